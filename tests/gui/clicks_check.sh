#!/usr/bin/env bash
# Window tests click only through test::UserClick, which clicks where a
# person would; a click sent to a control by pointer reaches a covered or
# disabled control that no person could click.
set -euo pipefail
cd "$1"
found=$(grep -rn -E --include='*.cpp' --include='*.h' \
  -e '->click\(\)|\.click\(\)|QTest::mouse(Click|Press|Release|DClick)|QMouseEvent[ (]' tests \
  | grep -v '^tests/support/user_click\.cpp:' || true)
if [ -n "$found" ]; then
  echo "clicks that do not go through test::UserClick:" >&2
  echo "$found" >&2
  exit 1
fi
