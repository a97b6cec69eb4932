#!/usr/bin/env bash
# Boots Debian's own kernel under qemu with a USB printer made by the
# kernel's gadget stack (dummy_hcd + configfs + usb_f_printer), lets usblp
# bind to it as /dev/usb/lp0 and runs vidodez-cli against the real driver,
# with vidodez-printer-sim answering on the gadget side (/dev/g_printer0).
#
#   run_usblp_test.sh --cache DIR --work DIR [--bin DIR] [--timeout SECONDS]
#
# --cache keeps the downloaded kernel package and the files taken from it, so
# only the first run needs the network. Without --bin (or when the programs
# are not there) only the driver-level checks run. One line per check is
# printed ("PASS name" / "FAIL name: why"). Exit 0 when every check passed,
# 77 when the kernel package cannot be had (the test is then skipped, never
# passed), 1 otherwise.
set -euo pipefail

readonly kSkip=77
here=$(cd "$(dirname "$0")" && pwd)
cache=""
work=""
bin=""
run_timeout=240

while [ $# -gt 0 ]; do
  case "$1" in
    --cache) cache=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --bin) bin=$2; shift 2 ;;
    --timeout) run_timeout=$2; shift 2 ;;
    *) echo "usage: $0 --cache DIR --work DIR [--bin DIR] [--timeout SECONDS]" >&2; exit 2 ;;
  esac
done
if [ -z "$cache" ] || [ -z "$work" ]; then
  echo "usage: $0 --cache DIR --work DIR [--bin DIR] [--timeout SECONDS]" >&2
  exit 2
fi

die() { echo "kernel test: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*"; exit "$kSkip"; }

for tool in qemu-system-x86_64 cpio gzip dpkg-deb apt-get apt-cache ldd timeout; do
  command -v "$tool" >/dev/null || die "$tool is missing (setup installs qemu-system-x86, cpio, dpkg, apt)"
done
busybox=/bin/busybox
[ -x "$busybox" ] || die "$busybox is missing (package busybox-static)"
# A dynamically linked busybox would need its libraries in the guest too.
if ldd "$busybox" >/dev/null 2>&1; then
  die "$busybox is not statically linked (install busybox-static)"
fi

mkdir -p "$cache" "$work"

# --- The kernel package -----------------------------------------------------
# linux-image-amd64 is a metapackage; the kernel itself is the package it
# depends on. The package lists are local, so this works offline too.
package=$(apt-cache depends linux-image-amd64 2>/dev/null |
          awk '$1 == "Depends:" && $2 ~ /^linux-image-/ { print $2; exit }') || true
deb=""
if [ -n "$package" ]; then
  deb=$(ls -1 "$cache/${package}"_*.deb 2>/dev/null | tail -n 1) || true
  if [ -z "$deb" ]; then
    echo "kernel test: fetching $package"
    # apt-get download writes into the current folder.
    if (cd "$cache" && timeout 120 apt-get download "$package" >"$cache/download.log" 2>&1); then
      deb=$(ls -1 "$cache/${package}"_*.deb 2>/dev/null | tail -n 1) || true
    else
      sed 's/^/  /' "$cache/download.log" | tail -n 5 >&2
    fi
  fi
fi
if [ -z "$deb" ]; then
  # No package list or no network: an earlier download still does.
  deb=$(ls -1 "$cache"/linux-image-*.deb 2>/dev/null | tail -n 1) || true
fi
[ -n "$deb" ] || skip "the kernel package (the dependency of linux-image-amd64) could not be fetched"

# --- Kernel and modules out of the package -----------------------------------
modules=(usb-common usbcore udc-core configfs libcomposite dummy_hcd usb_f_printer usblp)
kdir="$cache/$(basename "$deb" .deb)"
if [ ! -f "$kdir/complete" ]; then
  echo "kernel test: extracting $(basename "$deb")"
  rm -rf "$kdir"
  mkdir -p "$kdir/modules"
  tree="$kdir/tree"
  dpkg-deb -x "$deb" "$tree"
  vmlinuz=$(ls -1 "$tree"/boot/vmlinuz-* 2>/dev/null | head -n 1) || true
  [ -n "$vmlinuz" ] || die "no boot/vmlinuz-* in $(basename "$deb")"
  cp "$vmlinuz" "$kdir/vmlinuz"
  for m in "${modules[@]}"; do
    file=$(find "$tree/lib/modules" -name "$m.ko" -o -name "$m.ko.xz" -o -name "$m.ko.zst" \
             -o -name "$m.ko.gz" | head -n 1)
    [ -n "$file" ] || die "module $m not found in $(basename "$deb")"
    # busybox insmod inside the guest takes plain .ko files only.
    case "$file" in
      *.ko) cp "$file" "$kdir/modules/$m.ko" ;;
      *.ko.xz)
        command -v xz >/dev/null || die "$m is xz-compressed and xz is missing (package xz-utils)"
        xz -dc "$file" >"$kdir/modules/$m.ko" ;;
      *.ko.zst)
        command -v zstd >/dev/null || die "$m is zstd-compressed and zstd is missing (package zstd)"
        zstd -q -dc "$file" >"$kdir/modules/$m.ko" ;;
      *.ko.gz) gzip -dc "$file" >"$kdir/modules/$m.ko" ;;
    esac
  done
  rm -rf "$tree"
  touch "$kdir/complete"
fi

# --- The initramfs -------------------------------------------------------------
root="$work/root"
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,modules,etc}
cp "$busybox" "$root/bin/busybox"
cp "$kdir"/modules/*.ko "$root/modules/"
cp "$here/guest_init.sh" "$root/init"
cp "$here/program_checks.sh" "$root/bin/program_checks.sh"
chmod 755 "$root/init"
printf '%s\n' "${modules[@]}" >"$root/etc/modules"

programs=0
copy_with_libraries() {
  local program=$1
  cp "$program" "$root/bin/"
  # Every resolved library and the loader keep their paths, so the guest's
  # loader finds them where the host's would.
  local lib
  for lib in $(ldd "$program" | awk '/=> \// { print $3 } /^[[:space:]]*\// { print $1 }'); do
    mkdir -p "$root$(dirname "$lib")"
    cp -L "$lib" "$root$lib"
  done
}
if [ -n "$bin" ] && [ -x "$bin/vidodez-cli" ] && [ -x "$bin/vidodez-printer-sim" ]; then
  copy_with_libraries "$bin/vidodez-cli"
  copy_with_libraries "$bin/vidodez-printer-sim"
  # The C library loads its GBK converter at run time, so ldd does not name
  # it; it looks under the real path of its folder (/usr/lib/..., not /lib).
  gconv=$(dirname "$(realpath "$(ldd "$bin/vidodez-cli" | awk '/libc\.so/ { print $3 }')")")/gconv
  if [ -f "$gconv/GBK.so" ]; then
    mkdir -p "$root$gconv"
    cp -L "$gconv/GBK.so" "$gconv/gconv-modules.cache" "$root$gconv/" 2>/dev/null \
      || cp -L "$gconv/GBK.so" "$root$gconv/"
  fi
  # The font download's TrueType file, and the cat a user of this system
  # would type to send a file: the anchor of the send's time.
  font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  mkdir -p "$root/fonts" "$root/opt/coreutils"
  [ -f "$font" ] && cp "$font" "$root/fonts/DEJAVU.ttf"
  copy_with_libraries /bin/cat
  mv "$root/bin/cat" "$root/opt/coreutils/cat"
  programs=1
fi
echo "programs=$programs" >"$root/etc/ktest.conf"

initrd="$work/initrd.gz"
(cd "$root" && find . | cpio -o -H newc --quiet | gzip -1) >"$initrd"

# --- Boot ------------------------------------------------------------------------
# TCG only: the KVM of the machines this runs on does not boot a stock kernel.
log="$work/console.log"
rm -f "$log"
echo "kernel test: booting $(basename "$kdir") under qemu (TCG)"
qemu_rc=0
timeout -k 5 "$run_timeout" qemu-system-x86_64 \
  -accel tcg,thread=multi -smp 2 -m 512M \
  -kernel "$kdir/vmlinuz" -initrd "$initrd" \
  -append "console=ttyS0 quiet loglevel=3 panic=-1" \
  -nodefaults -display none -monitor none -serial "file:$log" -no-reboot \
  </dev/null || qemu_rc=$?

tr -d '\r' <"$log" >"$log.txt" || true
grep -E '^(PASS|FAIL|INFO) ' "$log.txt" || true
passed=$(grep -c '^PASS ' "$log.txt" || true)
failed=$(grep -c '^FAIL ' "$log.txt" || true)

if [ "$qemu_rc" -ne 0 ]; then
  echo "kernel test: qemu ended with $qemu_rc (124: the run passed its ${run_timeout}s bound)"
  tail -n 40 "$log.txt"
  exit 1
fi
if ! grep -q '^DONE$' "$log.txt"; then
  echo "kernel test: the guest did not finish its checks"
  tail -n 40 "$log.txt"
  exit 1
fi
echo "kernel test: $passed passed, $failed failed"
if [ "$failed" -ne 0 ] || [ "$passed" -eq 0 ]; then
  exit 1
fi
exit 0
