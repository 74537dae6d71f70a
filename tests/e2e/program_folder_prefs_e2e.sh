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
quit_through_menu "$window"
wait_app
[ "$APP_EXIT" = 0 ] || fail "exit code $APP_EXIT"

[ ! -e "$HOME/.config/Morvandel" ] || fail "the per-user folder was created"
expected="$WORK/expected.prefs"
printf '\xef\xbb\xbf\r\n; Sumvane Preferences\r\n[Language]\r\nLanguage = en_GB\r\n[General]\r\nFingerprint = 3\r\nBits = 2\r\n[Window]\r\nWindowWidth = 1000\r\nWindowHeight = 700\r\n' >"$expected"
cmp "$portable/Sumvane.prefs" "$expected" || fail "preferences differ: $(cat -A "$portable/Sumvane.prefs")"
echo "PASS"
