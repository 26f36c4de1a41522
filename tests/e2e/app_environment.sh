#!/usr/bin/env bash
# The program where its surroundings are unusual: no display to open (one line naming it and
# status 1, not an abort), a display that cannot attach the program's shared memory (as a remote
# one; plain reads from the first refusal on, the colors still right), and a session bus only
# where the D-Bus library finds it by itself (the variable unset: the program is on that bus).
# Usage: app_environment.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
program=$1
app=$program
. "$(dirname "$0")/lib.sh"

# No display, for either platform.
for setting in "DISPLAY=:$((RANDOM + 1000))" "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=tintwell-none"; do
  status=0
  # shellcheck disable=SC2086 # the setting is one or two assignments
  out=$(env $setting "$program" 2>&1) || status=$?
  [ "$status" = 1 ] || fail "with $setting: status $status, expected 1: $out"
  [ "$(printf '%s\n' "$out" | grep -c .)" = 1 ] || fail "with $setting: not one line: $out"
  [[ $out == *"${setting##*=}"* ]] || fail "with $setting the line names no display: $out"
  echo "no display ($setting): status 1, \"$out\""
done

# Shared memory the display cannot attach: the program in an IPC namespace of its own.
if unshare --ipc true 2>/dev/null; then
  in_own_ipc() { exec unshare --ipc strace -f -qq -e trace=shmget -o "$work/shm" "$program"; }
  app=in_own_ipc
  xsetroot -solid '#3366CC'
  start_app
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  for i in $(seq 1 20); do xdotool mousemove $((20 + i)) 30 sleep 0.05; done
  focus "$wid" key space
  sleep 0.3
  hex=$(copy_box 252 75)
  focus "$wid" key Escape
  wait "$pid" 2>/dev/null || true
  pid=""
  [ "$hex" = 3366CC ] || fail "without shared memory the readout shows '$hex', expected 3366CC"
  asked=$(grep -c 'shmget(' "$work/shm" || true)
  [ "$asked" -le 1 ] || fail "a segment asked for $asked times after the display refused one"
  said=$(grep -c 'without shared memory' "$work/app.log" || true)
  [ "$said" = 1 ] || fail "the refusal was logged $said times"
  echo "shared memory refused: $asked segment, one line in the log, the readout $hex"
else
  echo "note: no IPC namespace can be made here: the refused shared memory is not checked"
fi

# The user's bus at $XDG_RUNTIME_DIR/bus, the variable unset.
bus="unix:path=$XDG_RUNTIME_DIR/bus"
dbus-daemon --session --address="$bus" --nofork --nopidfile >/dev/null 2>&1 &
daemon=$!
trap 'kill $daemon 2>/dev/null || true; [ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/bus" ] && break; sleep 0.05; done
without_address() { exec env -u DBUS_SESSION_BUS_ADDRESS "$program"; }
app=without_address
start_app
on_bus() {
  local name
  for name in $(dbus-send --bus="$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
    dbus-send --bus="$bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null |
      grep -qw "uint32 $pid" && return 0
  done
  return 1
}
for _ in $(seq 1 50); do on_bus && break; sleep 0.1; done
on_bus || fail "with DBUS_SESSION_BUS_ADDRESS unset the program is not on the user's bus"
echo "app environment: no display is one line and status 1; refused shared memory is given up" \
  "once; the user's bus is found without an address"
