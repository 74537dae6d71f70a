#!/usr/bin/env bash
# A user starts Sumvane with no preferences anywhere, sees the 840 × 600 window, quits through
# the File menu with the keyboard; the program ends with 0 and writes its preferences.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user en_GB.UTF-8

start_app "$PROGRAM_DIR/Sumvane"
window=$(main_window)
[ "$(window_size "$window")" = "840x600" ] || fail "window is $(window_size "$window"), not 840x600"
quit_through_menu "$window"
wait_app
[ "$APP_EXIT" = 0 ] || fail "exit code $APP_EXIT"

prefs="$HOME/.config/Morvandel/Sumvane/Sumvane.prefs"
expected="$WORK/expected.prefs"
printf '\xef\xbb\xbf\r\n; Sumvane Preferences\r\n[Language]\r\nLanguage = en_GB\r\n[General]\r\nFingerprint = 0\r\nBits = 0\r\n[Window]\r\nWindowWidth = 840\r\nWindowHeight = 600\r\n' >"$expected"
cmp "$prefs" "$expected" || fail "preferences differ: $(od -c "$prefs" | head)"
echo "PASS"
