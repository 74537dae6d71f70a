#!/usr/bin/env bash
# The real viewer under a virtual X server, driven by xdotool: it opens a window for a help file,
# for a missing file and without an argument, ends with exit code 0 on Ctrl+Q, and ends on SIGTERM.
#   pagelight_end_to_end.sh <pagelight program> <help folder>
set -u
viewer=$1
help_dir=$2
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display number of the server's own choosing, so parallel runs do not collide.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts the viewer with the given arguments and waits for a window with the given title.
start_viewer() {
  local title=$1; shift
  "$viewer" "$@" >"$work/viewer.log" 2>&1 &
  viewer_pid=$!
  window=$(timeout 20 xdotool search --sync --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] || { fail "no window titled '$title' for: $*"; return 1; }
}

# Waits up to 10 s for the viewer to end; sets `status` to its exit status.
wait_for_exit() {
  for _ in $(seq 100); do
    kill -0 "$viewer_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$viewer_pid" 2>/dev/null; then
    status="still running"
  else
    wait "$viewer_pid"
    status=$?
  fi
  viewer_pid=
}

quit_with_ctrl_q() {
  local what=$1
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key ctrl+q
  wait_for_exit
  [ "$status" = "0" ] || fail "$what: Ctrl+Q gave exit status '$status'"
}

if start_viewer "Sumvane Help — Pagelight" "$help_dir/Sumvane_2057.help"; then
  quit_with_ctrl_q "English help"
fi
if start_viewer "Help file not found — Pagelight" "$work/Sumvane_9999.help"; then
  quit_with_ctrl_q "missing file"
fi
if start_viewer "Pagelight"; then
  quit_with_ctrl_q "no argument"
fi
if start_viewer "Sumvane-Hilfe — Pagelight" "$help_dir/Sumvane_1031.help"; then
  kill -TERM "$viewer_pid"
  wait_for_exit
  [ "$status" = "still running" ] && fail "SIGTERM did not end the viewer"
fi

[ "$failures" -eq 0 ] && echo "pagelight end to end: all passed"
exit $((failures > 0))
