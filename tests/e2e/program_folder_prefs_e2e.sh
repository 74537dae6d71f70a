#!/usr/bin/env bash
# A preferences file beside the program wins: its window size and options are restored, and it
# is rewritten there at exit while the per-user folder is never created.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user en_GB.UTF-8

portable="$WORK/portable"
mkdir -p "$portable"
cp "$PROGRAM_DIR/Sumvane" "$portable/"
printf '[General]\r\nFingerprint = 3\r\nBits = 2\r\n[Window]\r\nWindowWidth = 1000\r\nWindowHeight = 700\r\n' >"$portable/Sumvane.prefs"

start_app "$portable/Sumvane"
window=$(main_window)
[ "$(window_size "$window")" = "1000x700" ] || fail "window is $(window_size "$window"), not 1000x700"
quit_and_expect_success "$window"

[ ! -e "$HOME/.config/Morvandel" ] || fail "the per-user folder was created"
expected="$WORK/expected.prefs"
expected_prefs en_GB 3 2 1000 700 >"$expected"
cmp "$portable/Sumvane.prefs" "$expected" || fail "preferences differ: $(cat -A "$portable/Sumvane.prefs")"
echo "PASS"
