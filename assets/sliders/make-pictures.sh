#!/usr/bin/env bash
# Draws the slider pictures of the picker's mixer panel with ImageMagick: the RGB tracks
# (157 x 14), the shade tracks (200 x 14), each at rest and under the pointer, and the 10 x 14
# cue at rest, pressed and under the pointer. The tracks sit on the panel's light-blue bands
# (RGB 169,211,245) inside its blue frames (RGB 2,23,210). Pixel art without antialiasing and
# without time stamps, so the same command always writes the same files.
# Usage: assets/sliders/make-pictures.sh   (writes next to itself)
set -euo pipefail
cd "$(dirname "$0")"

band='#A9D3F5'
png() { # png FILE SIZE DRAW-ARGS...: draws on the band color
  local file=$1 size=$2
  shift 2
  convert -size "$size" "xc:$band" +antialias "$@" -strip -define png:exclude-chunks=date,time \
    "PNG24:$file"
}

# A groove across the track: a dark outline round two rows of fill (top shade, bottom light).
track() { # track FILE WIDTH OUTLINE TOP BOTTOM GLOW
  local file=$1 w=$2 outline=$3 top=$4 bottom=$5 glow=$6
  png "$file" "${w}x14" \
    -fill "$glow" -draw "rectangle 2,4 $((w - 3)),9" \
    -fill "$outline" -draw "rectangle 1,5 $((w - 2)),8" \
    -fill "$top" -draw "rectangle 2,6 $((w - 3)),6" \
    -fill "$bottom" -draw "rectangle 2,7 $((w - 3)),7"
}
track rgb_track.png 157 '#1A3A9C' '#3561C9' '#6E97EA' "$band"
track rgb_track_over.png 157 '#0B2A8A' '#4D8BFF' '#A4CBFF' '#D4EAFC'

# The shade groove runs from dark (the "Darker" end) to light (" Lighter").
shade() { # shade FILE OUTLINE GLOW
  local file=$1 outline=$2 glow=$3
  png "$file" 200x14 \
    -fill "$glow" -draw "rectangle 2,4 197,9" \
    -fill "$outline" -draw "rectangle 1,5 198,8" \
    \( -size 2x196 gradient:'#101830-#F4F8FF' -rotate -90 \) -geometry +2+6 -composite
}
shade shade_track.png '#1A3A9C' "$band"
shade shade_track_over.png '#0B2A8A' '#D4EAFC'

# The cue: a rounded knob with a grip line; the corners stay transparent so the track shows.
cue() { # cue FILE OUTLINE UPPER LOWER GRIP
  local file=$1 outline=$2 upper=$3 lower=$4 grip=$5
  convert -size 10x14 xc:none +antialias \
    -fill "$lower" -stroke "$outline" -draw "roundrectangle 0,0 9,13 2,2" -stroke none \
    -fill "$upper" -draw "rectangle 2,1 7,5" -draw "rectangle 1,2 8,5" \
    -fill "$grip" -draw "rectangle 4,4 5,9" \
    -strip -define png:exclude-chunks=date,time "PNG32:$file"
}
cue cue.png '#0F2A8C' '#E8F1FF' '#B5CDF5' '#3561C9'
cue cue_over.png '#1F56D6' '#FFFFFF' '#D2E4FF' '#2F7BFF'
cue cue_down.png '#0A1F6B' '#9DB8EC' '#7D9CDD' '#FFFFFF'
