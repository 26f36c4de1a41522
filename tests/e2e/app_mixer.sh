#!/usr/bin/env bash
# The mixer with the real program on a private X server: freeze orange, open the mixer, copy the
# HTML color, drag the red slider to its left end and the shade slider to the right, lift the
# color-match window off the swatch and carry it 200 pixels, drop it, carry it again and cancel
# with Esc, close the mixer and see the readouts live again (and freeze them with Space to copy).
# Usage: app_mixer.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
app=$1
. "$(dirname "$0")/lib.sh"

drag() {  # x0 y x1, inside the window, left button
  xdotool mousemove $((X + $1)) $((Y + $2)) mousedown 1
  sleep 0.2
  xdotool mousemove $((X + ($1 + $3) / 2)) $((Y + $2))
  sleep 0.1
  xdotool mousemove $((X + $3)) $((Y + $2))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.4
}
pixel() { import -window root "$work/root.png" && convert "$work/root.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

xsetroot -solid '#FF8000'
start_app
sleep 0.8
eval "$(xdotool getwindowgeometry --shell "$wid")"
focus "$wid"
xdotool mousemove 30 30
sleep 0.5
xdotool key space
sleep 0.3

# The mixer button (3060, 1305 twips: 204, 87 pixels, 110 x 29).
xdotool mousemove $((X + 240)) $((Y + 100)) click 1
sleep 0.6
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 571 ] || fail "the open window is $WIDTH wide, expected 571"
# The "R" caption (Tahoma 8.25 points) in its 14-pixel black box at 353, 42: 3 rows above the
# letter and 3 below, as the platform places text by its cell.
import -window root "$work/root.png"
rows=$(convert "$work/root.png" -crop 16x14+$((X + 354))+$((Y + 42)) +repage -bordercolor black \
  -border 1 -trim -format '%[fx:page.y-1] %h' info:)
[ "$rows" = "3 8" ] || fail "the R caption's first row and height in its box: $rows, expected 3 8"

# txtColorHtml: frame 5175, 2085 plus 1440, 210 twips.
html=$(copy_box 471 160)
[ "$html" = "#FF8000" ] || fail "HTML box holds '$html', expected #FF8000"

# The red slider (5565, 630 twips: 371, 42 pixels, 158 x 14): its cue sits at the right end.
drag $((371 + 153)) 49 $((371 - 40))
html=$(copy_box 471 160)
[ "$html" = "#008000" ] || fail "after the red drag the HTML box holds '$html', expected #008000"

# The shade slider (in its frame at 5190, 1575: 350, 118 pixels, 201 x 14), now at 43: moving its
# cue to the right lightens every channel by the same amount.
drag $((350 + 37)) 125 $((350 + 57))
html=$(copy_box 471 160)
r=$((16#${html:1:2})); g=$((16#${html:3:2})); b=$((16#${html:5:2}))
[ "$r" -gt 0 ] && [ "$r" = "$b" ] && [ $((g - r)) = 128 ] || fail "after the shade drag: '$html'"

# Lift the color-match window off the swatch (350, 146 pixels, 61 x 53) and carry it 200 pixels
# down and right, the button held.
sx=$((X + 380)); sy=$((Y + 172))
carry() {
  xdotool mousemove $sx $sy mousedown 1
  sleep 0.3
  xdotool mousemove $((sx + 100)) $((sy + 100))
  sleep 0.1
  xdotool mousemove $((sx + 200)) $((sy + 200))
  sleep 0.5
}
carry
lifted=$(pixel $((sx + 200)) $((sy + 200)))
[ "#$lifted" = "$html" ] || fail "under the pointer: $lifted, expected the mixed ${html}"
xdotool mouseup 1
sleep 0.5
dropped=$(pixel $((sx + 200)) $((sy + 200)))
[ "$dropped" = FF8000 ] || fail "after the release the screen there shows $dropped, not the root"

# Esc during a carry puts the window back over the swatch and stays in the carry (the picker,
# whose Esc ends the program, never sees it); the release ends the carry.
carry
xdotool key Escape
sleep 0.5
kill -0 $pid 2>/dev/null || fail "Esc during the carry ended the program"
back=$(pixel $((sx + 200)) $((sy + 200)))
[ "$back" = FF8000 ] || fail "after Esc the carried window is still at the pointer ($back)"
xdotool mousemove $((sx + 150)) $((sy + 150))
sleep 0.3
still=$(pixel $((sx + 150)) $((sy + 150)))
[ "$still" = FF8000 ] || fail "after Esc the carried window follows the pointer again ($still)"
xdotool mouseup 1
sleep 0.5
kill -0 $pid 2>/dev/null || fail "the release after Esc ended the program"
kept=$(copy_box 471 160)
[ "$kept" = "$html" ] || fail "after the cancelled carry the HTML box holds '$kept', not $html"

# Close the mixer: sampling is on again.
xdotool mousemove $((X + 240)) $((Y + 100)) click 1
sleep 0.6
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 317 ] || fail "the closed window is $WIDTH wide"
xsetroot -solid '#3366CC'
xdotool mousemove 30 30
sleep 0.6
xdotool key space  # the switch has the focus again: freeze to copy
sleep 0.3
hex=$(copy_box 252 75)
[ "$hex" = 3366CC ] || fail "after closing the readouts show '$hex', expected 3366CC"
echo "app mixer: opened on #FF8000, red to 0 gave #008000, shade gave $html, lifted and dropped, live again"
