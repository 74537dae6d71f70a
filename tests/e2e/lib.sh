# Helpers of the end-to-end tests. Source it; it starts a private X server for the script.
# shellcheck shell=bash
set -euo pipefail

PROGRAM_DIR="$1"
WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/app.log" ] && sed 's/^/  program: /' "$WORK/app.log" >&2
  exit 1
}

# Starts Xvfb on a free display number of its own choosing.
start_x() {
  if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP: Xvfb or xdotool is not installed"
    exit 77
  fi
  local fdfile="$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  if [ ! -s "$fdfile" ]; then
    echo "SKIP: Xvfb could not start: $(cat "$WORK/xvfb.log")"
    exit 77
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
}

# A fresh user: empty home, no XDG variables, a fixed locale.
fresh_user() {
  export HOME="$WORK/home"
  mkdir -p "$HOME"
  unset XDG_CONFIG_HOME XDG_RUNTIME_DIR LC_ALL LC_MESSAGES
  export LANG="${1:-en_GB.UTF-8}"
}

# Starts the program (path, then arguments) in the background.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

# Waits for the main window; prints its X window id.
main_window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sumvane v1\.0\.0\.0 \(x64\) - Morvandel$' | head -n1) ||
    fail "main window did not appear"
  # Let the toolkit finish showing and laying out before keys arrive.
  sleep 0.5
  echo "$id"
}

window_size() {
  xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'
}

# Waits until the number of windows the program shows compares with N as asked:
# "-ge 2" once a dialog has opened, "-le 1" once it has closed.
wait_visible_windows() {
  local test="$1" count="$2"
  for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" "$test" "$count" ] &&
      return 0
    sleep 0.1
  done
  return 1
}

# Quits through File → Quit with the keyboard and answers the question with Return.
quit_through_menu() {
  local window="$1"
  xdotool windowfocus --sync "$window"
  xdotool key --delay 200 alt Down Up Return
  wait_visible_windows -ge 2 || fail "the quit question did not open"
  sleep 0.3
  xdotool key Return
}

# Quits through the menu and checks that the program ends with exit code 0.
quit_and_expect_success() {
  quit_through_menu "$1"
  wait_app
  [ "$APP_EXIT" = 0 ] || fail "exit code $APP_EXIT"
}

# The bytes of a preferences file as the program writes it:
#   expected_prefs LANGUAGE FINGERPRINT BITS WIDTH HEIGHT
expected_prefs() {
  printf '\xef\xbb\xbf\r\n; Sumvane Preferences\r\n[Language]\r\nLanguage = %s\r\n[General]\r\nFingerprint = %s\r\nBits = %s\r\n[Window]\r\nWindowWidth = %s\r\nWindowHeight = %s\r\n' "$@"
}

# Waits for the program to end and puts its exit code into APP_EXIT. Call it directly, not in
# $(…): only this shell, the program's parent, can collect its exit code.
wait_app() {
  APP_EXIT=0
  timeout 20 tail --pid="$APP_PID" -f /dev/null || fail "program did not end"
  wait "$APP_PID" || APP_EXIT=$?
  APP_PID=""
}
