# How long each step of a check took, for .ci/run to print at its end.
# Sourced by .ci/run, scripts/test and scripts/clean-root.sh.
#
# When VIDODEZ_STEP_TIMES names a file, every step appends one line to it:
# "ORDER DEPTH SECONDS CPU STATUS NAME", ORDER the number of lines the file
# held when the step began, DEPTH one more than the step it runs in, CPU the
# processor seconds its processes used. The scripts a step runs write to the
# same file, so nested steps come out indented under the step that ran them,
# whatever process (or clean root) ran them. On a shared machine the
# processor time says more than the time on the clock: a step that keeps
# both of two processors busy takes half of it on a machine of its own.

# children_cpu: sets cpu_seconds to the processor seconds this shell's
# finished children used (times must run in this shell, not in $(...)). The
# file is named for this very shell: a background subshell shares $$.
children_cpu() {
  local file=${TMPDIR:-/tmp}/vidodez-step-times.$BASHPID
  times > "$file"
  cpu_seconds=$(awk 'NR == 2 { for (i = 1; i <= 2; i++) { split($i, p, "m"); s += p[1] * 60 + p[2] }
                               printf "%d", s + 0.5 }' "$file")
  rm -f "$file"
}

# begin_step: sets the caller's order, start and cpu_start for a step
# beginning now.
begin_step() {
  order=0
  if [ -n "${VIDODEZ_STEP_TIMES:-}" ] && [ -f "$VIDODEZ_STEP_TIMES" ]; then
    order=$(wc -l < "$VIDODEZ_STEP_TIMES")
  fi
  start=$SECONDS
  children_cpu
  cpu_start=$cpu_seconds
}

# record_step NAME STATUS: the line of the step begin_step began.
record_step() {
  [ -n "${VIDODEZ_STEP_TIMES:-}" ] || return 0
  children_cpu
  printf '%s %s %s %s %s %s\n' "$order" "${VIDODEZ_STEP_DEPTH:-0}" "$((SECONDS - start))" \
    "$((cpu_seconds - cpu_start))" "$2" "$1" >> "$VIDODEZ_STEP_TIMES"
}

# timed NAME COMMAND...: runs COMMAND in a subshell, records its time, and
# returns its status. A function as COMMAND runs with errexit in force only
# where timed is not itself part of a condition (if, ||, &&), which turns
# errexit off for everything it calls; a program runs alike everywhere.
timed() {
  local name=$1 order start cpu_start cpu_seconds status
  shift
  begin_step
  set +e
  (
    set -e
    export VIDODEZ_STEP_DEPTH=$((${VIDODEZ_STEP_DEPTH:-0} + 1))
    "$@"
  )
  status=$?
  set -e
  record_step "$name" "$status"
  return "$status"
}

# print_step_times: the recorded steps as a table, in the order they began.
print_step_times() {
  [ -n "${VIDODEZ_STEP_TIMES:-}" ] && [ -f "$VIDODEZ_STEP_TIMES" ] || return 0
  echo "== step times: seconds on the clock, processor seconds, step"
  sort -k1,1n -k2,2n "$VIDODEZ_STEP_TIMES" | awk '{
    name = $6; for (i = 7; i <= NF; i++) name = name " " $i
    printf "%6d %6d  %*s%s%s\n", $3, $4, 2 * $2, "", name, ($5 == 0 ? "" : "  (exit " $5 ")")
  }'
}
