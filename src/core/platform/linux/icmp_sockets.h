#pragma once
// Linux's ICMP sockets, with their system calls passed in so tests can
// refuse the raw socket and prove the datagram socket takes over.

#include <poll.h>
#include <sys/socket.h>

#include "core/platform/icmp_socket.h"

namespace vidodez::platform {

struct IcmpSyscalls {
  int (*socket)(int domain, int type, int protocol);
  int (*bind)(int fd, const sockaddr* address, socklen_t size);
  int (*getsockname)(int fd, sockaddr* address, socklen_t* size);
  int (*setsockopt)(int fd, int level, int name, const void* value, socklen_t size);
  ssize_t (*sendto)(int fd, const void* data, size_t size, int flags, const sockaddr* to,
                    socklen_t to_size);
  ssize_t (*recvmsg)(int fd, msghdr* message, int flags);
  int (*poll)(pollfd* fds, nfds_t count, int timeout_ms);
  int (*close)(int fd);
};

IcmpSyscalls DefaultIcmpSyscalls();

// A raw ICMP socket, or when that is refused, the unprivileged datagram
// socket (allowed to the groups of net.ipv4.ping_group_range).
int OpenLinuxIcmpSocket(const IcmpSyscalls& sys, std::unique_ptr<IcmpSocket>* socket);

}  // namespace vidodez::platform
