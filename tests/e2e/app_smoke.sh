#!/usr/bin/env bash
# The real program on a private X server: a solid root color, the pointer on it, and the
# picker's swatch and hex box showing that color in a root-window screenshot.
# Usage: app_smoke.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
app=$1
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

xsetroot -solid '#3366CC'
"$app" >"$work/app.log" 2>&1 &
pid=$!

wid=""
for _ in $(seq 1 100); do
  wid=$(xdotool search --name '^Tintwell$' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "FAIL: no Tintwell window"; cat "$work/app.log"; exit 1; }
xdotool mousemove 40 40
sleep 1

eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y, WIDTH, HEIGHT
[ "$WIDTH" = 317 ] && [ "$HEIGHT" = 235 ] || { echo "FAIL: window is ${WIDTH}x${HEIGHT}"; exit 1; }
import -window root "$work/root.png"
pixel() { convert "$work/root.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

# The swatch: 360, 510 twips from the window's corner, 915 x 450 twips; sample its middle.
swatch=$(pixel $((X + 24 + 30)) $((Y + 34 + 15)))
[ "$swatch" = 3366CC ] || { echo "FAIL: swatch shows $swatch, expected 3366CC"; exit 1; }
kill -0 "$pid" || { echo "FAIL: Tintwell exited"; exit 1; }
echo "app smoke: window ${WIDTH}x${HEIGHT} at $X,$Y, swatch $swatch"
