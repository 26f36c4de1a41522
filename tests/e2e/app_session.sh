#!/usr/bin/env bash
# A user's session with the real program on a private X server, driven by xdotool: the window
# opens at its size with the swatch showing the color under the pointer; freeze the readouts
# with Space over a known color, copy the "#:" box with Ctrl+C and read the clipboard, copy it
# as rgb from its edit menu and again with Ctrl+Shift+C, open the zoom menu with a right click
# and see one check mark among the factors, drag the window by a readout, and quit with Esc.
# Usage: app_session.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
app=$1
. "$(dirname "$0")/lib.sh"

xsetroot -solid '#12C37A'
start_app
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$wid")"
x0=$X
y0=$Y

[ "$WIDTH" = 317 ] && [ "$HEIGHT" = 235 ] || fail "window is ${WIDTH}x${HEIGHT}"

# Sampling: the swatch (360, 510 twips from the corner, 915 x 450) shows the root's color.
focus "$wid"
sleep 0.3
xdotool mousemove 30 30
sleep 0.5
import -window root "$work/root.png"
swatch=$(convert "$work/root.png" -format "%[hex:p{$((X + 54)),$((Y + 49))}]" info: | cut -c1-6)
[ "$swatch" = 12C37A ] || fail "swatch shows $swatch, expected 12C37A"

# Freeze over the root color, then copy the hex box.
xdotool key space
sleep 0.3
xdotool mousemove $((X + 252)) $((Y + 75)) click 1
sleep 0.3
xdotool key ctrl+c
sleep 0.3
hex=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$hex" = 12C37A ] || fail "clipboard holds '$hex', expected 12C37A"

# The box's edit menu ends in "Copy as": its sixth notation is rgb. Ctrl+Shift+C then copies in
# the notation chosen last.
xdotool click 3
sleep 0.5
xdotool key Up
sleep 0.1
xdotool key Right
sleep 0.3
xdotool key Down Down Down Down Down Return
sleep 0.3
rgb=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$rgb" = "rgb(18 195 122)" ] || fail "Copy as copied '$rgb', expected rgb(18 195 122)"
printf x | xclip -selection clipboard
focus "$wid" key ctrl+shift+c
sleep 0.3
rgb=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$rgb" = "rgb(18 195 122)" ] || fail "Ctrl+Shift+C copied '$rgb', expected rgb(18 195 122)"

# A right click on the window's own surface opens the popup at the pointer.
before=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
xdotool mousemove $((X + 150)) $((Y + 208)) click 3
sleep 0.5
after=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
popup=$(comm -13 <(echo "$before") <(echo "$after") | head -n1)
[ -n "$popup" ] || fail "no popup menu appeared"
eval "$(xdotool getwindowgeometry --shell "$popup" | sed 's/^/P_/')"
[ $((P_X - X - 150)) -ge -2 ] && [ $((P_X - X - 150)) -le 2 ] || fail "popup at $P_X,$P_Y"

# Its one item opens the factors; exactly one of them shows a check indicator. Rows of the
# submenu's indicator column (x 4..23) that differ from the menu's background, counted as runs.
xdotool mousemove $((P_X + 20)) $((P_Y + P_HEIGHT / 2))
sleep 0.8
after2=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
sub=$(comm -13 <(echo "$after") <(echo "$after2") | head -n1)
[ -n "$sub" ] || fail "no zoom submenu appeared"
eval "$(xdotool getwindowgeometry --shell "$sub" | sed 's/^/S_/')"
import -window root "$work/menu.png"
indicators=$(convert "$work/menu.png" -crop 20x$((S_HEIGHT - 4))+$((S_X + 4))+$((S_Y + 2)) +repage \
  txt:- | awk 'NR > 1 { split($1, p, /[,:]/); y = p[2]; if (NR == 2) bg = $3;
                        if ($3 != bg) mark[y] = 1; if (y > maxy) maxy = y }
               END { runs = 0; prev = 0
                     for (y = 0; y <= maxy; y++) { cur = (y in mark); if (cur && !prev) runs++; prev = cur }
                     print runs }')
[ "$indicators" = 1 ] || fail "the zoom submenu shows $indicators check indicators, expected 1"
xdotool key Escape
sleep 0.2
xdotool key Escape
sleep 0.3

# Dragging the color swatch with the left button moves the window with the pointer.
focus "$wid"
xdotool mousemove $((X + 50)) $((Y + 50)) mousedown 1
xdotool mousemove $((X + 70)) $((Y + 60))
sleep 0.2
xdotool mousemove $((X + 110)) $((Y + 90))
sleep 0.2
xdotool mouseup 1
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$X" = $((x0 + 60)) ] && [ "$Y" = $((y0 + 40)) ] || fail "window moved to $X,$Y from $x0,$y0"

# Esc ends the program at once.
focus "$wid"
sleep 0.3
xdotool key Escape
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Esc"
wait "$pid" || true
pid=""
echo "app session: froze and copied $hex, popup at $P_X,$P_Y, dragged to $X,$Y, ended by Esc"
