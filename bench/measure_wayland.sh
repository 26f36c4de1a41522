#!/usr/bin/env bash
# Whole-process figures for Tintwell on a Wayland desktop, by the protocol of
# bench/measure_process.sh: a detailed background (the same seeded plasma with noise), the
# pointer still for 10 s, then moving every 20 ms along a smooth path for 20 s; for each phase
# the program's CPU % of one core and the compositor's CPU beyond its idle rate, and peak RSS;
# three runs, medians last. The desktop's own portal shares the screen where it can (a GPU
# render node); elsewhere the end-to-end test's stand-in portal shares a PipeWire stream of the
# desktop's picture with cursor metadata, and that stream's producer, which a real desktop does
# not have, is reported on a line of its own. Figures are printed, never asserted.
#
# Usage (under tests/e2e/with-sway):
#   measure_wayland.sh TINTWELL TINTWELL_TEST_SCREEN_STREAM STAND_IN_PORTAL.py
#   MEASURE_RUNS, MEASURE_STILL and MEASURE_MOVING as for measure_process.sh. The last line holds
#   the medians: CPU still, CPU moving, compositor still, compositor moving, RSS, producer CPU.
set -euo pipefail
app=$1 producer=$2 stand_in=$3
runs=${MEASURE_RUNS:-3}
still=${MEASURE_STILL:-10}
moving=${MEASURE_MOVING:-20}
work=$(mktemp -d)
pids=()
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/measure_lib.sh"
[ -n "${SWAYSOCK:-}" ] || { echo "run under tests/e2e/with-sway" >&2; exit 1; }
sway_pid=$(pgrep -u "$(id -u)" -x sway | head -n1)

convert -seed 7 -size 1280x720 plasma:fractal -attenuate 0.4 +noise Uniform -depth 8 "$work/root.png"
swaybg -o '*' -i "$work/root.png" -m center >/dev/null 2>&1 &
pids+=($!)
sleep 1

pointer_file=$work/pointer
stand_in_used=""
if ls /dev/dri/renderD* >/dev/null 2>&1; then
  echo "the desktop's own portal shares the screen"
else
  # The stand-in starts a producer for each session and writes its pid to producer.pid.
  grim "$work/shot.png"
  /usr/bin/python3 "$stand_in" 1280 720 "$work/selects" "$work/decline" "$work/mode" \
    "$work/error-text" "$work/producer.pid" "$producer" "$work/shot.png" "$pointer_file" \
    >/dev/null 2>"$work/portal.log" &
  pids+=($!)
  stand_in_used=1
  echo "a stand-in portal shares a stream of the desktop's picture (no GPU render node here)"
  sleep 1
fi

# The pointer: one process that moves it through the compositor's IPC (and, for the stand-in
# stream's cursor metadata, the pointer file) every 20 ms along a Lissajous curve, for $1
# seconds, or once to (x, y) given as $2 $3.
mover() {
  /usr/bin/python3 - "$@" <<'PY'
import math, os, socket, struct, sys, time
ipc = socket.socket(socket.AF_UNIX)
ipc.connect(os.environ["SWAYSOCK"])
pointer = os.environ["POINTER_FILE"]
def move(x, y):
    cmd = b"seat - cursor set %d %d" % (x, y)
    ipc.sendall(b"i3-ipc" + struct.pack("<II", len(cmd), 0) + cmd)
    size = struct.unpack("<II", ipc.recv(14)[6:])[0]
    while size > 0:
        size -= len(ipc.recv(size))
    with open(pointer + ".new", "w") as f:
        f.write("%d %d\n" % (x, y))
    os.replace(pointer + ".new", pointer)
if len(sys.argv) == 3:
    move(int(sys.argv[1]), int(sys.argv[2]))
else:
    for i in range(int(sys.argv[1]) * 50):
        move(640 + 500 * math.sin(i / 97), 360 + 300 * math.sin(i / 61 + 1))
        time.sleep(0.02)
PY
}
export POINTER_FILE=$pointer_file


mover 970 510
sleep 1
idle=$(ticks_during "$sway_pid" 5)

results=()
for ((run = 1; run <= runs; run++)); do
  mover 970 510
  rm -f "$work/producer.pid"
  QT_QPA_PLATFORM=wayland "$app" >"$work/app.log" 2>&1 &
  pid=$!
  sleep 4  # the portal conversation and the first frames
  producer_pid=""
  [ -n "$stand_in_used" ] && [ -f "$work/producer.pid" ] && producer_pid=$(cat "$work/producer.pid")
  s0=$(cpu_ticks "$sway_pid")
  p0=${producer_pid:+$(cpu_ticks "$producer_pid")}
  a_still=$(ticks_during "$pid" "$still")
  s_still=$(($(cpu_ticks "$sway_pid") - s0 - idle * still / 5))
  s0=$(cpu_ticks "$sway_pid")
  a0=$(cpu_ticks "$pid")
  t0=$(date +%s%N)
  mover "$moving"
  took=$((($(date +%s%N) - t0) / 1000000))
  a_moving=$((($(cpu_ticks "$pid") - a0) * moving * 1000 / took))
  s_moving=$((($(cpu_ticks "$sway_pid") - s0) * moving * 1000 / took - idle * moving / 5))
  p_all=0
  [ -n "$producer_pid" ] && p_all=$(($(cpu_ticks "$producer_pid") - p0))
  rss=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
  line="$(pct "$a_still" "$still") $(pct "$a_moving" "$moving") $(secs "$s_still") $(secs "$s_moving") $(awk -v k="$rss" 'BEGIN{printf "%.1f", k / 1024}') $(pct "$p_all" $((still + moving)))"
  results+=("$line")
  echo "run $run: $(echo "$line" | awk '{printf "cpu still %s %%, moving %s %%, compositor extra still %s s/'"$still"'s, moving %s s/'"$moving"'s, peak RSS %s MB, stream producer %s %%", $1, $2, $3, $4, $5, $6}')"
done

echo "medians of $runs runs:"
echo "  CPU % of one core: still $(col 1), moving $(col 2)"
echo "  compositor's extra CPU: still $(col 3) s per ${still} s, moving $(col 4) s per ${moving} s"
echo "  peak RSS: $(col 5) MB; the stand-in stream's producer: $(col 6) % of one core"
echo "MEDIANS $(col 1) $(col 2) $(col 3) $(col 4) $(col 5) $(col 6)"
