#!/bin/busybox sh
# /init of the kernel test's initramfs: builds a USB printer with the
# kernel's gadget stack, lets usblp bind to it and runs the checks, one
# result line each ("PASS name" / "FAIL name: why"), then powers off.
/bin/busybox --install -s /bin
export PATH=/bin HOME=/tmp LANG=C.UTF-8
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
. /etc/ktest.conf

pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; }
info() { echo "INFO $*"; }
finish() {
  echo DONE
  sync
  poweroff -f
}

# Hundredths of a second since boot.
now_cs() { awk '{ printf "%d\n", $1 * 100 }' /proc/uptime; }

# wait_until SECONDS COMMAND...: polls COMMAND every 20 ms; 1 when it never held.
wait_until() {
  limit=$(( $(now_cs) + $1 * 100 ))
  shift
  while ! "$@"; do
    [ "$(now_cs)" -lt "$limit" ] || return 1
    sleep 0.02
  done
  return 0
}

file_size() { if [ -e "$1" ]; then wc -c <"$1"; else echo 0; fi; }
size_at_least() { [ "$(file_size "$1")" -ge "$2" ]; }
exists() { [ -e "$1" ]; }
absent() { [ ! -e "$1" ]; }

# --- Modules ------------------------------------------------------------------
ok=1
for m in $(cat /etc/modules); do
  insmod /modules/$m.ko || { fail modules "insmod $m"; ok=0; }
done
[ $ok = 1 ] && pass modules || finish

# --- The gadget ---------------------------------------------------------------
readonly kMfg="MarliX"
readonly kModel="VT-4100"
readonly kId="MFG:$kMfg;MDL:$kModel;CMD:ZPL,EPL;CLS:PRINTER;"
readonly kSerial="KT0001"
G=/sys/kernel/config/usb_gadget/vidodez
mount -t configfs configfs /sys/kernel/config
mkdir $G $G/strings/0x409 $G/configs/c.1 $G/functions/printer.0
echo 0x0471 >$G/idVendor
echo 0x0168 >$G/idProduct
echo $kSerial >$G/strings/0x409/serialnumber
echo "MarliXPrinters" >$G/strings/0x409/manufacturer
echo "Kernel Test Printer" >$G/strings/0x409/product
echo 10 >$G/functions/printer.0/q_len
# The printer function answers GET_DEVICE_ID with a length that leaves out
# its own two-byte length header, so the host loses the last two characters
# of pnp_string: the two "xx" are there to be lost.
printf '%sxx' "$kId" >$G/functions/printer.0/pnp_string
ln -s $G/functions/printer.0 $G/configs/c.1/
udc=$(ls /sys/class/udc | head -n 1)

bind() { echo "$udc" >$G/UDC; }
# An empty name unbinds: for the host the printer is unplugged.
unbind() { echo "" >$G/UDC; }

bind
if wait_until 15 exists /dev/usb/lp0 && exists /dev/g_printer0; then
  pass bind
else
  fail bind "no /dev/usb/lp0 or /dev/g_printer0 after binding to $udc"
  dmesg | tail -n 20
  finish
fi

# --- What the Linux backend reads from sysfs ------------------------------------
lp=/sys/class/usbmisc/lp0
intf=$(readlink -f $lp/device)
usbdev=$(readlink -f $lp/device/..)
info "sysfs $lp -> $(readlink $lp)"
info "sysfs $lp/device -> $(readlink $lp/device) = $intf"
info "sysfs lp0 entries: $(ls $lp | tr '\n' ' ')"
info "sysfs lp0/dev: $(cat $lp/dev)"
info "sysfs interface entries: $(ls $intf | tr '\n' ' ')"
for a in ieee1284_id bInterfaceClass bInterfaceSubClass bInterfaceProtocol bInterfaceNumber; do
  info "sysfs interface/$a: [$(cat $intf/$a)] $(wc -c <$intf/$a) bytes, ending: $(od -An -c $intf/$a | tr -s ' \n' ' ' | tail -c 24)"
done
for a in idVendor idProduct serial manufacturer product busnum devnum devpath; do
  info "sysfs usbdevice/$a: [$(cat $usbdev/$a)]"
done
check_sysfs() {
  [ "$(cat $intf/ieee1284_id)" = "$kId" ] || { fail sysfs "ieee1284_id is [$(cat $intf/ieee1284_id)]"; return; }
  [ "$(cat $usbdev/idVendor)" = 0471 ] || { fail sysfs "idVendor $(cat $usbdev/idVendor)"; return; }
  [ "$(cat $usbdev/idProduct)" = 0168 ] || { fail sysfs "idProduct $(cat $usbdev/idProduct)"; return; }
  [ "$(cat $usbdev/serial)" = "$kSerial" ] || { fail sysfs "serial $(cat $usbdev/serial)"; return; }
  pass sysfs
}
check_sysfs

# --- Raw bytes through usblp to the gadget ----------------------------------------
check_raw_round_trip() {
  rm -f /tmp/raw
  cat /dev/g_printer0 >/tmp/raw &
  reader=$!
  printf 'RAW-1\r\n' >/dev/usb/lp0
  if wait_until 10 size_at_least /tmp/raw 7 && [ "$(cat /tmp/raw)" = "$(printf 'RAW-1\r\n')" ]; then
    pass raw_round_trip
  else
    fail raw_round_trip "the gadget read [$(cat /tmp/raw)]"
  fi
  kill $reader
  wait $reader 2>/dev/null
}
check_raw_round_trip

if [ "$programs" != 1 ]; then
  info "vidodez-cli and vidodez-printer-sim not in the image: driver checks only"
  finish
fi
. /bin/program_checks.sh
finish
