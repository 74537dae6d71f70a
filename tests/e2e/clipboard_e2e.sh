#!/usr/bin/env bash
# A user starts Sumvane on a folder, presses Calculate, answers the summary, presses Clipboard
# and pastes: the text is "path,checksum" CR LF per file, checksums as sha256sum computes them.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user en_GB.UTF-8
command -v xclip >/dev/null || { echo "SKIP: xclip is not installed"; exit 77; }

# SHA-256 from stored preferences.
mkdir -p "$HOME/.config/Morvandel/Sumvane"
printf '[General]\r\nFingerprint = 3\r\nBits = 1\r\n' >"$HOME/.config/Morvandel/Sumvane/Sumvane.prefs"

data="$WORK/data"
mkdir -p "$data/sub"
printf 'abc' >"$data/abc.txt"
printf '' >"$data/empty"
head -c 3000000 /dev/urandom >"$data/random.bin"
printf 'x' >"$data/sub/not-taken.txt"

start_app "$PROGRAM_DIR/Sumvane" "$data"
window=$(main_window)
xdotool windowfocus --sync "$window"
# Buttons are placed from the bottom of the window, so the menu bar's height does not matter.
size=$(window_size "$window")
width=${size%x*}
height=${size#*x}
xdotool mousemove --window "$window" $((width - 70)) $((height - 43)) click 1  # Calculate
wait_visible_windows -ge 2 || fail "no summary after the job"
sleep 0.3
xdotool key Return
sleep 0.5
xdotool mousemove --window "$window" 70 $((height - 182)) click 1  # Clipboard
wait_visible_windows -ge 2 || fail "no notice after copying"
sleep 0.3
xdotool key Return
sleep 0.3

expected="$WORK/expected.txt"
: >"$expected"
for file in "$data/abc.txt" "$data/empty" "$data/random.bin"; do
  printf '%s,%s\r\n' "$file" "$(sha256sum "$file" | cut -d' ' -f1)" >>"$expected"
done
xclip -o -selection clipboard >"$WORK/clipboard.txt" || fail "nothing on the clipboard"
cmp "$WORK/clipboard.txt" "$expected" ||
  fail "clipboard differs: $(cat -A "$WORK/clipboard.txt") vs $(cat -A "$expected")"

quit_and_expect_success "$window"
echo "PASS"
