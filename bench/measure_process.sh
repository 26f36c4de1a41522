#!/usr/bin/env bash
# Whole-process figures for a color picker on a private X server, measured the way people run
# one: a root image with detail everywhere (so every magnified pixel differs from its
# neighbours), the pointer still, then moving along a smooth path every 20 ms.
#
# For each run: the time from start to the first readout (Tintwell only), then for the still
# phase (10 s) and the moving phase (20 s): CPU % of one core of the program, the X server's CPU
# beyond its idle rate, and peak RSS; then, in a separate pass under strace (which slows the
# program), system calls per second in each phase. Three runs; the medians are printed last.
# Figures are printed, never asserted.
#
# Usage (under tests/e2e/with-xvfb): measure_process.sh COMMAND [ARGS...]
#   MEASURE_RUNS (3), MEASURE_STILL (10), MEASURE_MOVING (20) change the protocol;
#   MEASURE_MOVER=xtest moves the pointer as a device does (bench/xtest_move.py) instead of by
#   warps (xdotool), so that the server reports raw motion.
#   MEASURE_TINTWELL=0 measures another picker: no first-readout time (its window is not
#   known), 3 s to settle instead. MEASURE_ROOT names a file for the root image: made there when
#   missing, reused when present (bench/compare makes it once for all its runs). An `IDLE` line
#   holds the X server's idle rate; the last line holds the medians for bench/compare.
set -euo pipefail
runs=${MEASURE_RUNS:-3}
still=${MEASURE_STILL:-10}
moving=${MEASURE_MOVING:-20}
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/measure_lib.sh"
[ -n "${XVFB_PID:-}" ] || { echo "run under tests/e2e/with-xvfb (it names the server)" >&2; exit 1; }

# A smooth, detailed root: a plasma with fine noise (the same every time).
root=${MEASURE_ROOT:-$work/root.png}
[ -s "$root" ] ||
  convert -seed 7 -size 1280x1024 plasma:fractal -attenuate 0.4 +noise Uniform -depth 8 "$root"
display -window root "$root" >/dev/null 2>&1 || true

# The pointer's path, every 20 ms along a Lissajous curve: xdotool arguments for the longest
# phase, written once so that no time inside a measured phase goes to making them.
awk -v steps=$((moving * 50)) 'BEGIN {
  for (i = 0; i < steps; i++)
    printf "mousemove %d %d sleep 0.02\n", 640 + 500 * sin(i / 97), 512 + 400 * sin(i / 61 + 1)
}' >"$work/path.txt"
# One process moving the pointer along the path for $1 seconds: xdotool's warps (no raw motion),
# or with MEASURE_MOVER=xtest device-like motion through the test extension.
move_path() {
  local args
  if [ "${MEASURE_MOVER:-warp}" = xtest ]; then
    python3 "$(dirname "$0")/xtest_move.py" "$work/path.txt" $(($1 * 50))
    return
  fi
  read -r -a args <<<"$(head -n $(($1 * 50)) "$work/path.txt" | tr '\n' ' ')"
  xdotool "${args[@]}"
}

# The X server's idle rate, before anything runs.
xdotool mousemove 970 510
sleep 1
idle=$(ticks_during "$XVFB_PID" 5)
echo "X server idle: $(pct "$idle" 5) % of one core"
echo "IDLE $(pct "$idle" 5)"

results=()
for ((run = 1; run <= runs; run++)); do
  xdotool mousemove 970 510
  start=$(date +%s%N)
  "$@" >"$work/app.log" 2>&1 &
  pid=$!
  first=""
  want=$(convert "$root" -format '%[hex:p{970,510}]' info: | cut -c1-6)
  [ "${MEASURE_TINTWELL:-1}" = 1 ] || sleep 1
  for _ in $(seq 1 300); do
    [ "${MEASURE_TINTWELL:-1}" = 1 ] || break
    wid=$(xdotool search --name '^Tintwell$' 2>/dev/null | head -n1 || true)
    if [ -n "$wid" ]; then
      eval "$(xdotool getwindowgeometry --shell "$wid")"
      got=$(import -window root -crop "1x1+$((X + 54))+$((Y + 49))" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | head -n1 | cut -c2-)
      if [ "$got" = "$want" ]; then
        first=$((($(date +%s%N) - start) / 1000000))
        break
      fi
    fi
    sleep 0.02
  done
  sleep 2
  # Still: the pointer parked.
  x0=$(cpu_ticks "$XVFB_PID")
  a_still=$(ticks_during "$pid" "$still")
  x_still=$(($(cpu_ticks "$XVFB_PID") - x0 - idle * still / 5))
  # Moving: the figures are scaled to the nominal phase from the time xdotool really took.
  x0=$(cpu_ticks "$XVFB_PID")
  a0=$(cpu_ticks "$pid")
  t0=$(date +%s%N)
  move_path "$moving"
  took=$((($(date +%s%N) - t0) / 1000000))
  a_moving=$((($(cpu_ticks "$pid") - a0) * moving * 1000 / took))
  x_moving=$((($(cpu_ticks "$XVFB_PID") - x0) * moving * 1000 / took - idle * moving / 5))
  rss=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  # System calls per second, a separate pass under strace.
  calls() {  # seconds, then an optional mover
    timeout -s INT "$1" strace -c -f -p "$pid" -o "$work/strace.txt" 2>/dev/null &
    local s=$!
    [ -n "${2:-}" ] && move_path "$1"
    wait $s 2>/dev/null || true
    awk '/total/ {print $4}' "$work/strace.txt"
  }
  c_still=$(calls 5)
  c_moving=$(calls 5 move)
  f_moving=$(awk '$NF == "futex" {print $4}' "$work/strace.txt")
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  pid=""
  line="$(pct "$a_still" "$still") $(pct "$a_moving" "$moving") $(secs "$x_still") $(secs "$x_moving") $((c_still / 5)) $((c_moving / 5)) $(awk -v k="$rss" 'BEGIN{printf "%.1f", k / 1024}') ${first:-0} $((${f_moving:-0} / 5))"
  results+=("$line")
  echo "run $run: cpu still ${line%% *} %, $(echo "$line" | awk '{printf "cpu moving %s %%, X extra still %s s/%ds, X extra moving %s s/%ds, syscalls/s still %s moving %s, peak RSS %s MB, first readout %s ms", $2, $3, '"$still"', $4, '"$moving"', $5, $6, $7, $8}')"
done

echo "medians of $runs runs:"
echo "  CPU % of one core: still $(col 1), moving $(col 2)"
echo "  X server's extra CPU: still $(col 3) s per ${still} s, moving $(col 4) s per ${moving} s"
echo "  system calls per second: still $(col 5), moving $(col 6)"
echo "  peak RSS: $(col 7) MB; start to first readout: $(col 8) ms"
echo "  futex calls per second, moving: $(col 9)"
echo "MEDIANS $(col 1) $(col 2) $(col 3) $(col 4) $(col 5) $(col 6) $(col 7) $(col 8) $(col 9)"
