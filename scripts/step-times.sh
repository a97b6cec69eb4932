# How long each step of a check took, for .ci/run to print at its end.
# Sourced by .ci/run, scripts/test and scripts/clean-root.sh.
#
# When VIDODEZ_STEP_TIMES names a file, every step appends one line to it:
# "ORDER DEPTH SECONDS STATUS NAME", ORDER the number of lines the file held
# when the step began and DEPTH one more than the step it runs in. The scripts
# a step runs write to the same file, so nested steps come out indented
# under the step that ran them, whatever process (or clean root) ran them.

# record_step NAME ORDER START STATUS: the line of a step that began at
# SECONDS=START, when ORDER lines were in the file.
record_step() {
  [ -n "${VIDODEZ_STEP_TIMES:-}" ] || return 0
  printf '%s %s %s %s %s\n' "$2" "${VIDODEZ_STEP_DEPTH:-0}" "$((SECONDS - $3))" "$4" "$1" \
    >> "$VIDODEZ_STEP_TIMES"
}

# step_order: the ORDER of a step beginning now.
step_order() {
  if [ -n "${VIDODEZ_STEP_TIMES:-}" ] && [ -f "$VIDODEZ_STEP_TIMES" ]; then
    wc -l < "$VIDODEZ_STEP_TIMES"
  else
    echo 0
  fi
}

# timed NAME COMMAND...: runs COMMAND in a subshell, records its time, and
# returns its status. A function as COMMAND runs with errexit in force only
# where timed is not itself part of a condition (if, ||, &&), which turns
# errexit off for everything it calls; a program runs alike everywhere.
timed() {
  local name=$1 start=$SECONDS order status
  shift
  order=$(step_order)
  set +e
  (
    set -e
    export VIDODEZ_STEP_DEPTH=$((${VIDODEZ_STEP_DEPTH:-0} + 1))
    "$@"
  )
  status=$?
  set -e
  record_step "$name" "$order" "$start" "$status"
  return "$status"
}

# print_step_times: the recorded steps as a table, in the order they began.
print_step_times() {
  [ -n "${VIDODEZ_STEP_TIMES:-}" ] && [ -f "$VIDODEZ_STEP_TIMES" ] || return 0
  echo "== step times (seconds)"
  sort -k1,1n -k2,2n "$VIDODEZ_STEP_TIMES" | awk '{
    name = $5; for (i = 6; i <= NF; i++) name = name " " $i
    printf "%6d  %*s%s%s\n", $3, 2 * $2, "", name, ($4 == 0 ? "" : "  (exit " $4 ")")
  }'
}
