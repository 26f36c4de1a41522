#!/usr/bin/env bash
# A long run of the Release program on a private X server, used the way a person leaves it open
# all day: a detailed root image, the pointer always moving, Space toggled every few seconds, the
# magnifier's factor changed through the right-click menu, the about window opened and closed,
# the window dragged back and forth. The resident set size is sampled every 10 s; at the end the
# growth over the run and the least-squares slope (MB per hour) are printed, never asserted.
#
# Usage: bench/soak.sh [MINUTES]   (default 60; builds the "release" preset first)
#   SOAK_LOG names the file that keeps the samples ("seconds rss_kB" a line; default a temp file).
set -euo pipefail
minutes=${1:-60}
here=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${SOAK_INSIDE:-}" ]; then
  (cd "$here" && scripts/build release tintwell >&2)
  export SOAK_INSIDE=1
  exec nice -n 10 "$here/tests/e2e/with-xvfb" "$0" "$minutes"
fi

app=$here/build/release/src/picker/tintwell
work=$(mktemp -d)
samples=${SOAK_LOG:-$work/rss.txt}
pid=""
sampler=""
trap '[ -n "$sampler" ] && kill $sampler 2>/dev/null; [ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT

convert -seed 7 -size 1280x1024 plasma:fractal -attenuate 0.4 +noise Uniform -depth 8 "$work/root.png"
display -window root "$work/root.png" >/dev/null 2>&1 || true

"$app" >"$work/app.log" 2>&1 &
pid=$!
wid=""
for _ in $(seq 1 200); do
  wid=$(xdotool search --name '^Tintwell$' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.05
done
[ -n "$wid" ] || { echo "soak: no Tintwell window" >&2; cat "$work/app.log" >&2; exit 1; }
sleep 3  # past the grow-in and the start-up tones

# RSS every 10 s, in kB, with the seconds since the first sample.
: >"$samples"
(
  t0=$(date +%s)
  while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$rss" ] && echo "$(($(date +%s) - t0)) $rss" >>"$samples"
    sleep 10
  done
) &
sampler=$!

alive() { kill -0 "$pid" 2>/dev/null; }
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }
# The pointer along a Lissajous path over the whole screen, a step every 20 ms, for $1 seconds.
step=0
move_for() {
  local args
  mapfile -t args < <(awk -v from="$step" -v n="$(($1 * 50))" 'BEGIN {
    for (i = from; i < from + n; i++)
      printf "mousemove\n%d\n%d\nsleep\n0.02\n", 640 + 600 * sin(i / 97), 512 + 480 * sin(i / 61 + 1)
  }')
  step=$((step + $1 * 50))
  xdotool "${args[@]}"
}
# A click on the bare root closes any popup left open; with none open it does nothing.
close_popups() { xdotool mousemove 1275 1019 click 1; sleep 0.2; }
space() { xdotool windowfocus "$wid" key space; }
# Right click on the window's background, then "Zoom at cursor" and the factor with the keys.
zoom_menu() {
  local k
  geometry
  xdotool mousemove $((X + 150)) $((Y + 208)) click 3
  sleep 0.4
  xdotool key Down Right
  sleep 0.3
  for ((k = 0; k < $1; k++)); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
  close_popups
}
# F1 opens the about window; Esc is sent only when it is there (on the picker, Esc quits).
about() {
  local a=""
  xdotool windowfocus "$wid" key F1
  sleep 1.5
  a=$(xdotool search --onlyvisible --name ':::' 2>/dev/null | head -n1 || true)
  [ -n "$a" ] && xdotool windowfocus "$a" key Escape
  sleep 1
  a=$(xdotool search --onlyvisible --name ':::' 2>/dev/null | head -n1 || true)
  [ -n "$a" ] && xdotool mousemove 1275 1019 && echo "soak: the about window did not close" >&2
  return 0
}
# The swatch dragged 60 pixels right and down, or back.
drag() {
  geometry
  xdotool mousemove $((X + 50)) $((Y + 50)) mousedown 1
  xdotool mousemove $((X + 50 + $1 / 2)) $((Y + 50 + $1 / 2)) sleep 0.1
  xdotool mousemove $((X + 50 + $1)) $((Y + 50 + $1)) sleep 0.1 mouseup 1
}

end=$(($(date +%s) + minutes * 60))
cycle=0
while alive && [ "$(date +%s)" -lt "$end" ]; do
  move_for 3
  space
  move_for 2
  space
  move_for 3
  case $((cycle % 4)) in
    0) zoom_menu $((cycle / 4 % 7)) ;;
    1) about ;;
    2) drag 60 ;;
    3) drag -60 ;;
  esac
  cycle=$((cycle + 1))
done

if ! alive; then
  echo "soak: tintwell ended after $cycle cycles" >&2
  cat "$work/app.log" >&2
  exit 1
fi
sleep 1
kill "$sampler" 2>/dev/null || true
sampler=""

# Over the whole run, and again from the fifth minute on: the first minutes fill what the
# program keeps for good (font caches, the about window, a buffer per zoom factor).
awk -v cycles="$cycle" '
  function fit(from,   i, n, st, sr, mt, mr, num, den) {
    for (i = from; i <= NR; i++) { n++; st += t[i]; sr += r[i] }
    mt = st / n; mr = sr / n
    for (i = from; i <= NR; i++) { num += (t[i] - mt) * (r[i] - mr); den += (t[i] - mt) ^ 2 }
    return den > 0 ? num / den * 3600 : 0
  }
  { t[NR] = $1; r[NR] = $2 / 1024 }
  END {
    n = NR
    if (n < 2) { print "soak: too few samples"; exit }
    max = r[1]; for (i = 2; i <= n; i++) if (r[i] > max) max = r[i]
    printf "soak: %d cycles, %d RSS samples over %.1f min\n", cycles, n, t[n] / 60
    printf "  RSS first %.2f MB, last %.2f MB, peak %.2f MB\n", r[1], r[n], max
    printf "  growth over the run: %+.2f MB; least-squares slope: %+.3f MB/hour\n", r[n] - r[1], fit(1)
    for (w = 1; w <= n && t[w] < 300; w++) {}
    if (n - w >= 2)
      printf "  from minute 5 on: growth %+.2f MB; slope %+.3f MB/hour\n", r[n] - r[w], fit(w)
  }' "$samples"
