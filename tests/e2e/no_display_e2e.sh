#!/usr/bin/env bash
# Without a display the program says so in one line and ends with a non-zero code.
set -uo pipefail
PROGRAM_DIR="$1"
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PROGRAM_DIR/Sumvane" 2>&1)
code=$?
[ "$code" -ne 0 ] || { echo "FAIL: exit code 0"; exit 1; }
[ "$output" = "no display: set DISPLAY or use xvfb-run" ] || { echo "FAIL: said '$output'"; exit 1; }
output=$(DISPLAY=:9876 "$PROGRAM_DIR/Sumvane" 2>&1)
code=$?
[ "$code" -ne 0 ] && [ "$output" = "no display: set DISPLAY or use xvfb-run" ] ||
  { echo "FAIL: unreachable display gave code $code and '$output'"; exit 1; }
echo "PASS"
