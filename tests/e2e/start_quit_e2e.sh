#!/usr/bin/env bash
# A user starts Sumvane with no preferences anywhere, sees the 840 × 600 window, quits through
# the File menu with the keyboard; the program ends with 0 and writes its preferences.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user en_GB.UTF-8

start_app "$PROGRAM_DIR/Sumvane"
window=$(main_window)
[ "$(window_size "$window")" = "840x600" ] || fail "window is $(window_size "$window"), not 840x600"
quit_and_expect_success "$window"

prefs="$HOME/.config/Morvandel/Sumvane/Sumvane.prefs"
expected="$WORK/expected.prefs"
expected_prefs en_GB 0 0 840 600 >"$expected"
cmp "$prefs" "$expected" || fail "preferences differ: $(od -c "$prefs" | head)"
echo "PASS"
