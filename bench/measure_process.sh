#!/usr/bin/env bash
# Whole-process figures for Tintwell on an X server: the time from start to the first readout
# (the swatch showing the color under the pointer), then CPU seconds and peak RSS over 20 s of
# sampling while the pointer moves. Usage: measure_process.sh PATH_TO_TINTWELL (under with-xvfb)
set -euo pipefail
app=$1
seconds=${MEASURE_SECONDS:-20}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
xsetroot -solid '#3366CC'
xdotool mousemove 40 40
start=$(date +%s%N)
"$app" >/dev/null 2>&1 &
pid=$!
first=""
for _ in $(seq 1 500); do
  wid=$(xdotool search --name '^Tintwell$' 2>/dev/null | head -n1 || true)
  if [ -n "$wid" ]; then
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    # The window is on screen (a pixel of its own, not the root's) and its swatch shows the
    # root color under the pointer.
    px() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | grep -c '#3366CC' || true; }
    swatch=$(px $((X + 54)) $((Y + 49)))
    inside=$(px $((X + 5)) $((Y + 100)))
    if [ "$WIDTH" = 317 ] && [ "$HEIGHT" = 235 ] && [ "$swatch" = 1 ] && [ "$inside" = 0 ]; then
      first=$(( ($(date +%s%N) - start) / 1000000 ))
      break
    fi
  fi
  sleep 0.01
done
echo "start to first readout: ${first:-not seen} ms"
ticks_per_s=$(getconf CLK_TCK)
read -r u0 s0 < <(awk '{print $14, $15}' "/proc/$pid/stat")
end=$(( $(date +%s) + seconds ))
i=0
while [ "$(date +%s)" -lt "$end" ]; do
  xdotool mousemove $(( (i * 37) % 1280 )) $(( (i * 53) % 1024 ))
  i=$((i + 1))
  sleep 0.05
done
read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
cpu=$(( (u1 + s1) - (u0 + s0) ))
echo "CPU over ${seconds} s of sampling: $(awk -v c="$cpu" -v t="$ticks_per_s" 'BEGIN{printf "%.2f", c/t}') s"
echo "peak RSS: $(awk '/VmHWM/ {print $2, $3}' "/proc/$pid/status")"
