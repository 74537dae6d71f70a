#!/usr/bin/env bash
# Under a German locale the interface is German; choosing another language in the Languages
# menu switches it at once, and the choice is stored for the next start.
source "$(dirname "$0")/lib.sh"
start_x
fresh_user de_DE.UTF-8
pack="$SUMVANE_SOURCE/lang/pack"

# The Languages menu lists languages in the catalogue's hash order; find its first two keys.
read -r first second < <(python3 - "$pack" <<'PY'
import pathlib, sys
def name(path):
    for line in path.read_text(encoding="utf-8-sig").splitlines():
        key, _, value = line.partition("=")
        if key.strip() == "tLangFileNAME":
            return value.strip()
def bucket(text):
    data = text.encode("utf-16-le")
    h = 0
    for i in range(0, len(data), 2):
        h = (h * 65599 + int.from_bytes(data[i:i + 2], "little")) % 2**32
    return h % 512
files = sorted(pathlib.Path(sys.argv[1]).glob("*.language"))
order = sorted(files, key=lambda f: bucket(name(f)))
print(" ".join(f.stem for f in order[:2]))
PY
)
target="$first"
steps="Return"
if [ "$first" = de_DE ]; then
  target="$second"
  steps="Down Return"
fi
title_of() {
  grep -a '^tAboutTITLE' "$pack/$1.language" | sed 's/^[^=]*= *//; s/\r$//'
}

about_title() {
  local window="$1"
  xdotool windowfocus --sync "$window"
  xdotool key --delay 200 alt Right Right Down Down Return  # Help → About
  wait_visible_windows -ge 2 || fail "About did not open"
  local about
  about=$(xdotool search --onlyvisible --pid "$APP_PID" | grep -v "^$window$" | head -n1)
  xdotool getwindowname "$about"
  xdotool windowfocus --sync "$about"
  xdotool key space  # OK
  wait_visible_windows -le 1 || fail "About did not close"
  sleep 0.3
}

start_app "$PROGRAM_DIR/Sumvane"
window=$(main_window)
seen=$(about_title "$window")
[ "$seen" = "$(title_of de_DE)" ] || fail "About is titled '$seen', not German"

xdotool windowfocus --sync "$window"
# shellcheck disable=SC2086
xdotool key --delay 200 alt Right Down $steps  # Languages → a language
sleep 1
seen=$(about_title "$window")
[ "$seen" = "$(title_of "$target")" ] || fail "after the switch About is titled '$seen'"

quit_and_expect_success "$window"
grep -q "^Language = $target"$'\r'"$" "$HOME/.config/Morvandel/Sumvane/Sumvane.prefs" ||
  fail "preferences do not hold $target: $(cat -A "$HOME/.config/Morvandel/Sumvane/Sumvane.prefs")"
echo "PASS ($target)"
