#!/usr/bin/env bash
# The X server going away under the running program: it ends with status 1 and one line on
# stderr that says so, not with a signal, an abort or a core dump.
# Usage: app_xserver_gone.sh PATH_TO_TINTWELL   (run under with-xvfb, which names the server)
set -euo pipefail
app=$1
. "$(dirname "$0")/lib.sh"
[ -n "${XVFB_PID:-}" ] || fail "run under tests/e2e/with-xvfb"

start_app
sleep 1.5  # past the grow-in: both timers are reading the screen
before=$(wc -l <"$work/app.log")
kill -KILL "$XVFB_PID"
status=""
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    pid=""
    break
  fi
  sleep 0.05
done
[ -n "$status" ] || fail "still running 5 s after the X server went away"
[ "$status" = 1 ] || fail "exit status $status, expected 1"
after=$(tail -n +"$((before + 1))" "$work/app.log")
[ "$(printf '%s\n' "$after" | grep -c .)" = 1 ] || fail "expected one line on stderr, got: $after"
printf '%s\n' "$after" | grep -qi 'X11\|X server\|display' || fail "the line does not name the X server: $after"
echo "X server gone: status 1, \"$after\""
