#!/usr/bin/env bash
# The display tests of the end-to-end program (its HiDpiE2E and MonitorsE2E suites) on the
# layouts they are written for, one after the other on one private X server (run it through
# with-xvfb): the whole screen scaled by 1.25, 1.5 and 2; then three RandR monitors, the primary
# one with one left of it and one above it, unscaled and with a factor of its own per monitor.
# A suite that finds the display not laid out for it fails here (it skips in the plain run).
# Usage: displays.sh E2E_TESTS_PROGRAM
set -euo pipefail
tests=$1
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# run VARIABLE=VALUE SUITE
run() {
  echo "== $1 $2"
  env "$1" "$tests" --gtest_filter="$2.*" >"$log" 2>&1 || { cat "$log"; exit 1; }
  grep -E '^\[ +(OK|FAILED|SKIPPED) +\]' "$log" || true
  if grep -q "not this display's layout" "$log"; then
    cat "$log"
    echo "FAIL: a suite skipped its layout"
    exit 1
  fi
}

for factor in 1.25 1.5 2; do
  run QT_SCALE_FACTOR=$factor HiDpiE2E
done

# P replaces the monitor of the display's one output; L and T show parts of the root window that
# is otherwise on no monitor.
xrandr --setmonitor '*P' 880/100x624/100+400+400 screen >/dev/null
xrandr --setmonitor L 400/100x300/100+0+400 none >/dev/null
xrandr --setmonitor T 640/100x400/100+400+0 none >/dev/null
run QT_SCALE_FACTOR=1 MonitorsE2E
run 'QT_SCREEN_SCALE_FACTORS=P=2;L=1;T=1.5' MonitorsE2E
