#!/usr/bin/env bash
# Installs into a temporary prefix, checks the layout, and starts the installed program.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for path in lib/sumvane/Sumvane lib/sumvane/pagelight lib/sumvane/Sumvane.lang \
            lib/sumvane/Sumvane_2057.help lib/sumvane/Sumvane_1041.help bin/sumvane \
            share/applications/sumvane.desktop share/icons/hicolor/128x128/apps/sumvane.png; do
  [ -e "$prefix/$path" ] || fail "$path is not installed"
done
[ -L "$prefix/bin/sumvane" ] || fail "bin/sumvane is not a link"
grep -q '^Exec=sumvane %f$' "$prefix/share/applications/sumvane.desktop" || fail "desktop entry"

# Started through the link, it runs: it is still running when timeout stops it.
home="$prefix/home"
mkdir -p "$home"
code=0
HOME="$home" LANG=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$prefix/bin/sumvane" \
  >/dev/null 2>&1 || code=$?
[ "$code" = 124 ] || fail "the installed program ended with $code instead of running"
echo "PASS"
