#!/usr/bin/env bash
# Installs the build into a private folder and checks what an installation
# needs: the programs answer --version and --help without a display, find
# their data folder relative to themselves, and the manuals, the completion,
# the desktop entry, the AppStream metadata and the udev rule are in place
# and valid.
#   install_test.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 app_id=$2 version=$3
root=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_contains() {  # WHAT TEXT NEEDLE
  [[ $2 == *"$3"* ]] || fail "$1: no \"$3\" in: ${2:0:300}"
}

prefix=$root/opt/vd
cmake --install "$build" --prefix "$prefix" > /dev/null
# The prefix moves after installation: nothing may hold the old one.
mv "$prefix" "$root/moved"
prefix=$root/moved

for f in bin/vidodez bin/vidodez-cli bin/vidodez-printer-sim \
  share/vidodez/SkinRes.dat share/vidodez/MARLIX.dat share/vidodez/Zudovad_EV.ize \
  share/vidodez/Virizor_OD.evi share/man/man1/vidodez.1.gz share/man/man1/vidodez-cli.1.gz \
  share/man/man1/vidodez-printer-sim.1.gz share/bash-completion/completions/vidodez-cli \
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
  "share/icons/hicolor/scalable/apps/$app_id.svg" "share/icons/hicolor/48x48/apps/$app_id.png" \
  lib/udev/rules.d/70-vidodez.rules; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ -d "$prefix/share/vidodez/Firmware" ] || fail "no Firmware folder"

# --version and --help of every program, the window's without a display.
for p in vidodez vidodez-cli vidodez-printer-sim; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$prefix/bin/$p" --version 2>&1) \
    || fail "$p --version exits $?"
  [[ $out =~ ^$p\ $version\ \(commit\ [0-9a-z]+\)$ ]] || fail "$p --version: $out"
done
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= LC_ALL=C VIDODEZ_APPDATA="$root/appdata" \
  "$prefix/bin/vidodez" --help 2>&1) || fail "vidodez --help exits $?"
expect_contains "vidodez --help" "$out" "usage: vidodez"

# The installed command line finds the model list in share/vidodez: a
# settings read of a simulated printer names the model's sensor.
bus=$root/bus
mkdir -p "$bus"
"$prefix/bin/vidodez-printer-sim" --bus "$bus" --port-number 2 --model VT-300 > /dev/null &
sim_pid=$!
for _ in $(seq 100); do [ -n "$(ls -A "$bus")" ] && break; sleep 0.05; done
out=$(VIDODEZ_SIM_BUS=$bus VIDODEZ_APPDATA=$root/appdata LC_ALL=C "$prefix/bin/vidodez-cli" list)
expect_contains "installed list" "$out" "USB02 [MarliXPrinters VT-300]"

# Pictures in formats Qt cannot read go through the ImageMagick module in
# the installed module folder: a PCX written by the program reads back.
"$prefix/bin/vidodez-cli" graphic convert --width 16 --height 16 \
  "$prefix/share/icons/hicolor/48x48/apps/$app_id.png" "$root/icon.pcx" > /dev/null
out=$(VIDODEZ_APPDATA=$root/appdata "$prefix/bin/vidodez-cli" graphic convert \
  "$root/icon.pcx" "$root/back.bmp" 2>&1) || fail "reading a PCX: $out"
[ -s "$root/back.bmp" ] || fail "no picture from the PCX"

# The manual lists the commands the program defines.
if command -v man > /dev/null; then
  out=$(MANWIDTH=100 man -l "$prefix/share/man/man1/vidodez-cli.1.gz" 2>&1)
  expect_contains "manual" "$out" "settings set"
  expect_contains "manual" "$out" "--printer PRINTER"
  out=$(MANWIDTH=100 man -l "$prefix/share/man/man1/vidodez-printer-sim.1.gz" 2>&1)
  expect_contains "simulator manual" "$out" "--write-rate"
fi

# The completion, from its installed file, offers what the definitions hold.
complete_words() {  # WORDS... (the last is the one being completed)
  VIDODEZ_SIM_BUS=$bus VIDODEZ_APPDATA=$root/appdata PATH=$prefix/bin:$PATH bash -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _vidodez_cli; printf "%s " "${COMPREPLY[@]}"' _ \
    "$prefix/share/bash-completion/completions/vidodez-cli" "$@"
}
[ "$(complete_words vidodez-cli set)" = "settings " ] || fail "set<TAB>: $(complete_words vidodez-cli set)"
[ "$(complete_words vidodez-cli settings s)" = "save set " ] || fail "settings s<TAB>"
[ "$(complete_words vidodez-cli --lang "")" = "eng chi " ] || fail "--lang <TAB>"
[ "$(complete_words vidodez-cli status -p "")" = "USB02 " ] || fail "-p <TAB>: $(complete_words vidodez-cli status -p "")"
expect_contains "status -<TAB>" "$(complete_words vidodez-cli status -)" "--json"

# Desktop entry, AppStream metadata and udev rule, by their own validators.
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry"
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" > "$root/as.log" 2>&1 \
    || { cat "$root/as.log"; fail "AppStream metadata"; }
fi
rule=$prefix/lib/udev/rules.d/70-vidodez.rules
[ "$(grep -c 'TAG+="uaccess"' "$rule")" -eq 5 ] || fail "udev rule: five printers expected"
expect_contains "udev rule" "$(cat "$rule")" 'SUBSYSTEM=="usbmisc", KERNEL=="lp*", ATTRS{idVendor}=="03eb", ATTRS{idProduct}=="6119"'
if udevadm verify --help > /dev/null 2>&1; then
  udevadm verify "$rule" || fail "udevadm verify"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "installation checked"
