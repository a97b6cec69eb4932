#!/usr/bin/env bash
# Runs examples/ansible/printers.yml with ansible-core against this host
# (connection local) and two simulated printers of different models: the
# facts hold both printers with their status and settings, and the settings
# file reaches the printer of the chosen model only.
#   ansible_test.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$(realpath "$1") src=$2
command -v ansible-playbook > /dev/null || { echo "ansible-playbook is missing (ansible-core)"; exit 1; }
dir=$(mktemp -d)
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; done
  rm -rf "$dir"
}
trap cleanup EXIT
export VIDODEZ_SIM_BUS=$dir/bus VIDODEZ_APPDATA=$dir/appdata LC_ALL=C.UTF-8
mkdir -p "$VIDODEZ_SIM_BUS"
"$bin/vidodez-printer-sim" --port-number 2 --wire-log "$dir/wire2" > "$dir/sim2" &
sims+=($!)
"$bin/vidodez-printer-sim" --port-number 3 --model VT-300 --status 1 --wire-log "$dir/wire3" > "$dir/sim3" &
sims+=($!)
for _ in $(seq 100); do
  grep -q ready "$dir/sim2" 2> /dev/null && grep -q ready "$dir/sim3" 2> /dev/null && break
  sleep 0.05
done

# The settings file: the VT-300's own, darker.
"$bin/vidodez-cli" settings save -p USB03 "$dir/saved.ini"
sed 's/^DarkValue=.*/DarkValue=15/' "$dir/saved.ini" > "$dir/darker.ini"
: > "$dir/wire2"
: > "$dir/wire3"

export ANSIBLE_CACHE_PLUGIN=jsonfile ANSIBLE_CACHE_PLUGIN_CONNECTION=$dir/facts
export ANSIBLE_LOCAL_TEMP=$dir/tmp ANSIBLE_REMOTE_TEMP=$dir/tmp ANSIBLE_NOCOLOR=1
ansible-playbook -i localhost, -c local "$src/examples/ansible/printers.yml" \
  -e "vidodez_cli=$bin/vidodez-cli" -e "vidodez_settings_file=$dir/darker.ini" \
  -e vidodez_model=VT-300 > "$dir/play.log" 2>&1 || { cat "$dir/play.log"; exit 1; }

python3 - "$dir/facts/localhost" "$dir/wire2" "$dir/wire3" <<'PY'
import json, sys
facts = json.load(open(sys.argv[1]))["vidodez_printers"]
got = [(p["name"], p["model"], p["status"]["message"], p["status"]["ready"],
        p["settings"]["Darkness"]) for p in facts]
want = [("USB02 [MarliXPrinters VT-4100]", "VT-4100", "READY", True, "10"),
        ("USB03 [MarliXPrinters VT-300]", "VT-300", "GRAMMAR ERROR", False, "10")]
assert got == want, got
wire2, wire3 = (open(f, "rb").read() for f in sys.argv[2:])
# Both were read; only the VT-300 got the settings, Darkness 15 among them.
assert b"^G1" in wire2 and b"^G1" in wire3, (wire2, wire3)
assert b"#PS>" not in wire2, wire2
assert b"#PS>S*1*0*0*15*" in wire3, wire3
PY
echo "playbook checked"
