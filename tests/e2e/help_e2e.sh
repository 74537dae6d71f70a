#!/usr/bin/env bash
# F1 opens the help viewer on the English help; quitting Sumvane closes the viewer too.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user en_GB.UTF-8

start_app "$PROGRAM_DIR/Sumvane"
window=$(main_window)
xdotool windowfocus --sync "$window"
xdotool key F1
viewer=$(timeout 20 xdotool search --sync --onlyvisible --name 'Pagelight$' | head -n1) ||
  fail "the help viewer did not open"
title=$(xdotool getwindowname "$viewer")
expected="$(head -n1 "$PROGRAM_DIR/Sumvane_2057.help" | sed 's/^# //') — Pagelight"
[ "$title" = "$expected" ] || fail "viewer shows '$title', not '$expected'"
viewer_pid=$(xdotool getwindowpid "$viewer")

quit_and_expect_success "$window"
sleep 0.5
if kill -0 "$viewer_pid" 2>/dev/null; then
  fail "the help viewer still runs after quitting"
fi
echo "PASS"
