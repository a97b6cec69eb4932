# The clean Debian root that scripts/check-fresh and scripts/check-package
# share: sourced by both, after they set tool (for messages), repo, suite,
# arch, skipped, cache, tarball, logs, work and root.

say() { echo "$tool: $*" >&2; }
skip() { say "SKIPPED: $*"; exit "$skipped"; }

# The step name and how long it took, whatever its outcome.
# Each step runs in a subshell of its own with errexit in force (a function
# called as "f || ..." would run with errexit off). Its output goes to a log
# under the cache folder; the end of it is shown, more of it on failure.
step() {
  local name=$1 start=$SECONDS status log
  shift
  steps=$((steps + 1))
  log=$logs/$steps.log
  say "== $name (log: $log)"
  set +e
  (set -e; "$@") > "$log" 2>&1
  status=$?
  set -e
  if [ "$status" -eq 0 ]; then
    tail -n 6 "$log" | sed 's/^/   | /' >&2
  else
    tail -n 60 "$log" | sed 's/^/   | /' >&2
  fi
  say "$name: $((SECONDS - start)) s$([ "$status" -eq 0 ] || echo ", FAILED (exit $status)")"
  return "$status"
}
# The first bookworm "main" archive of this machine's apt sources, in the
# deb822 form or the one-line form.
find_mirror() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v suite="$suite" '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && suites ~ ("(^| )" suite "( |$)") && comps ~ /(^| )main( |$)/ && uri != "") {
          print uri; found = 1; exit
        }
        types = suites = comps = uri = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      tolower($1) == "types:" { $1 = ""; types = $0 }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { $1 = ""; suites = $0 }
      tolower($1) == "components:" { $1 = ""; comps = $0 }
      END { if (!found) flush() }' "$f" | head -n 1
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -E 's/\[[^]]*\]//' "$f" | awk -v suite="$suite" '
      $1 == "deb" && $3 == suite { for (i = 4; i <= NF; i++) if ($i == "main") { print $2; exit } }'
  done
}

ensure_tools() {
  command -v debootstrap > /dev/null && command -v wget > /dev/null && return 0
  apt-get update -qq > /dev/null 2>&1 \
    && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      debootstrap wget > /dev/null
}
# Ends every process whose root is the clean root, unmounts whatever is
# mounted inside it, deepest first, and removes the folder only when nothing
# is mounted there any more.
cleanup() {
  local p m
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2> /dev/null)" = "$root" ] && kill -KILL "${p#/proc/}" 2> /dev/null
  done
  awk -v w="$work/" 'index($2, w) == 1 { print $2 }' /proc/mounts | sort -r | while read -r m; do
    umount "$m" 2> /dev/null || umount -l "$m" 2> /dev/null || true
  done
  if awk -v w="$work/" 'index($2, w) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    say "left $work in place: something is still mounted there"
  else
    rm -rf "$work"
  fi
}
mount_one() {
  local target=$root/$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
}

# The bare root from the cached tarball, or made and cached.
make_root() {
  mkdir -p "$root"
  if [ -f "$tarball" ]; then
    tar -xzf "$tarball" -C "$root"
    return
  fi
  debootstrap --variant=minbase --arch="$arch" "$suite" "$root" "$mirror"
  tar -czf "$tarball.part" -C "$root" . && mv "$tarball.part" "$tarball"
}

# A /dev of the root's own rather than a bind of the host's, so nothing
# mounted inside propagates back to the host; and the host's name servers.
mount_system() {
  mount_one proc -t proc proc
  mount_one sys -t sysfs sysfs
  mount_one dev -t tmpfs -o mode=755,nosuid dev
  local node
  for node in "null c 1 3" "zero c 1 5" "full c 1 7" "random c 1 8" "urandom c 1 9" "tty c 5 0"; do
    set -- $node
    mknod -m 666 "$root/dev/$1" "$2" "$3" "$4"
  done
  mount_one dev/pts -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts
  ln -s pts/ptmx "$root/dev/ptmx"
  mount_one dev/shm -t tmpfs -o mode=1777 shm
  ln -s /proc/self/fd "$root/dev/fd"
  cp /etc/resolv.conf "$root/etc/resolv.conf" 2> /dev/null || true
  return 0
}

inside() {
  env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 TERM=dumb DEMO_SECONDS="${DEMO_SECONDS:-120}" \
    chroot "$root" /bin/bash -euo pipefail -c "cd /work/main && $1"
}

