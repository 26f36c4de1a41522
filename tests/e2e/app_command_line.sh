#!/usr/bin/env bash
# The command line's commands on a private X server. --at prints the exact color of single pixels
# of a known root picture (on the one monitor, and relative to a primary monitor with others left
# of and above it), one line per notation asked for, makes no window while it reads, and prints
# nothing with status 2 where no monitor shows the point. --pick prints the pixel clicked (also at
# scale 2) or reached with the arrow keys and Enter, and nothing with status 1 after Esc or a right
# click. --copy leaves the color on the clipboard once the command has ended, until another program
# takes it.
# Usage: app_command_line.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
app=$1
. "$(dirname "$0")/lib.sh"

# Single pixels of colors of their own on a dark ground, two of them in the screen's corners: a
# read one pixel off reads the ground.
points=("0 0 FF0000" "1279 1023 00FF00")
draw=(-fill '#FF0000' -draw 'point 0,0' -fill '#00FF00' -draw 'point 1279,1023')
for i in $(seq 0 19); do
  x=$(((i * 197 + 13) % 1270 + 3))
  y=$(((i * 131 + 29) % 1014 + 3))
  c=$(printf '%02X%02X%02X' $(((i * 53 + 17) % 256)) $(((i * 97 + 101) % 256)) $(((i * 29 + 200) % 256)))
  points+=("$x $y $c")
  draw+=(-fill "#$c" -draw "point $x,$y")
done
convert -size 1280x1024 xc:'#202020' "${draw[@]}" "$work/root.png"
# (display sets the root and still ends with status 1.)
display -window root "$work/root.png" >/dev/null 2>&1 || true

# Every window made or mapped from here on, as the X server reports it.
xev -root -event substructure >"$work/xev.log" 2>&1 &
xev_pid=$!
sleep 0.3
for p in "${points[@]}"; do
  read -r x y c <<<"$p"
  got=$("$app" --at "$x,$y" --format hex) || fail "--at $x,$y ended with status $?"
  [ "$got" = "$c" ] || fail "--at $x,$y printed '$got', expected $c"
done
read -r x y c <<<"${points[2]}"
got=$("$app" --at "$x,$y" --format rgb-legacy,hex,vb,hex)
want="rgb($((16#${c:0:2})), $((16#${c:2:2})), $((16#${c:4:2})))
$c
&H${c:4:2}${c:2:2}${c:0:2}&
$c"
[ "$got" = "$want" ] || fail "--at $x,$y with four notations printed '$got'"
[ "$(QT_SCALE_FACTOR=2 "$app" --at "$x,$y")" = "#$c" ] || fail "--at at scale 2"
sleep 0.2
! grep -E 'CreateNotify|MapNotify' "$work/xev.log" || fail "--at made a window"
xev_lines=$(wc -l <"$work/xev.log")

for at in 1280,0 0,-1; do
  status=0
  got=$("$app" --at "$at" 2>"$work/app.log") || status=$?
  [ "$status" = 2 ] && [ -z "$got" ] || fail "--at $at: status $status, printed '$got'"
done
status=0
"$app" --at 1,1 --format nope 2>"$work/app.log" || status=$?
[ "$status" = 64 ] && [ "$(wc -l <"$work/app.log")" = 1 ] || fail "a bad --format: status $status"

# --copy: the first notation stays on the clipboard after the command, until another program
# takes it; its keeper then ends.
read -r x y c <<<"${points[3]}"
got=$("$app" --at "$x,$y" --format hex,rgb --copy)
[ "$(echo "$got" | head -n1)" = "$c" ] || fail "--copy printed '$got'"
[ "$(xclip -o -selection clipboard)" = "$c" ] || fail "the clipboard holds '$(xclip -o -selection clipboard)'"
printf taken | xclip -selection clipboard
sleep 0.3
! pgrep -f -- "--at $x,$y --format hex,rgb --copy" >/dev/null || fail "the clipboard's keeper outlived its clipboard"

# --pick: starts it, waits for its loupe; `picked` waits for its end, its status in $status.
pick() {
  "$app" --pick "$@" >"$work/pick.out" 2>"$work/app.log" &
  pid=$!
  for _ in $(seq 1 200); do
    xdotool search --onlyvisible --name '^Tintwell pick$' >/dev/null 2>&1 && break
    sleep 0.05
  done
  sleep 0.3  # the pointer and keyboard taken
}
picked() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  status=0
  wait "$pid" || status=$?
  pid=""
}

read -r x y c <<<"${points[4]}"
xdotool mousemove "$x" "$y"
pick --format hex,rgb --copy
xdotool click 1
picked
[ "$status" = 0 ] || fail "--pick: a click ended it with status $status"
[ "$(cat "$work/pick.out")" = "$c
rgb($((16#${c:0:2})) $((16#${c:2:2})) $((16#${c:4:2})))" ] || fail "--pick printed '$(cat "$work/pick.out")' at $x,$y ($c)"
[ "$(xclip -o -selection clipboard)" = "$c" ] || fail "--pick --copy left '$(xclip -o -selection clipboard)'"
[ "$(wc -l <"$work/xev.log")" -gt "$xev_lines" ] || fail "xev saw no window of the loupe"

# One pixel with the arrows, ten with Shift, then Enter.
read -r x y c <<<"${points[5]}"
xdotool mousemove $((x - 2)) $((y - 10))
pick --format hex
xdotool key Right Right shift+Down Return
picked
[ "$status" = 0 ] && [ "$(cat "$work/pick.out")" = "$c" ] || fail "--pick by keys printed '$(cat "$work/pick.out")', expected $c"

read -r x y c <<<"${points[6]}"
xdotool mousemove "$x" "$y"
QT_SCALE_FACTOR=2 pick --format hex
xdotool click 1
picked
[ "$status" = 0 ] && [ "$(cat "$work/pick.out")" = "$c" ] || fail "--pick at scale 2 printed '$(cat "$work/pick.out")', expected $c"

for cancel in "key Escape" "click 3"; do
  pick
  xdotool $cancel
  picked
  [ "$status" = 1 ] && [ ! -s "$work/pick.out" ] || fail "--pick after $cancel: status $status"
done

# A primary monitor with one left of it and one above it (as displays.sh lays them out): --at
# counts from the primary's corner, negative left of and above it; the root window's parts that
# no monitor shows are no point.
xrandr --setmonitor '*P' 880/100x624/100+400+400 screen >/dev/null
xrandr --setmonitor L 400/100x300/100+0+400 none >/dev/null
xrandr --setmonitor T 640/100x400/100+400+0 none >/dev/null
shown=0
for p in "${points[@]}"; do
  read -r x y c <<<"$p"
  if { [ "$x" -ge 400 ] && [ "$y" -ge 400 ]; } || { [ "$x" -lt 400 ] && [ "$y" -ge 400 ] && [ "$y" -lt 700 ]; } ||
    { [ "$x" -ge 400 ] && [ "$x" -lt 1040 ] && [ "$y" -lt 400 ]; }; then
    want=$c
    shown=$((shown + 1))
  else
    want=""
  fi
  status=0
  got=$("$app" --at "$((x - 400)),$((y - 400))" --format hex 2>"$work/app.log") || status=$?
  [ "$got" = "$want" ] && [ "$status" = "$([ -n "$want" ] && echo 0 || echo 2)" ] ||
    fail "--at $((x - 400)),$((y - 400)) on the monitors: status $status, '$got', expected '$want'"
done
kill "$xev_pid" 2>/dev/null || true
echo "app command line: ${#points[@]} pixels read, $shown on three monitors; picked by click, keys and at scale 2; copied"
