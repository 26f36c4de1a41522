#!/usr/bin/env bash
# Ending the real program on a private X server: " X" ends the process with status 0 once the
# window has shrunk away, and Esc pressed during the start-up tones ends it at once, leaving no
# windowless process behind.
# Usage: app_exit.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
app=$1
. "$(dirname "$0")/lib.sh"

# Waits up to $1 seconds for the process to end; its exit status in $status.
wait_gone() {
  local tries=$(($1 * 20))
  for _ in $(seq 1 "$tries"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && return 1
  status=0
  wait "$pid" || status=$?
  pid=""
}

# " X" after start-up.
start_app
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 302)) $((Y + 9)) click 1
wait_gone 2 || fail "still running 2 s after clicking X"
[ "$status" = 0 ] || fail "exit status $status after X"

# Esc 100 ms after the window appears, while the tones play.
start_app
sleep 0.1
focus "$wid" key Escape
wait_gone 1 || fail "still running 1 s after Esc during start-up"
[ "$status" = 0 ] || fail "exit status $status after Esc"
echo "app exit: X and Esc during start-up both end the process with status 0"
