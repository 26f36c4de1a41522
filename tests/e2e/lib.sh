# Shared by the end-to-end scripts (sourced): a scratch folder, the program's process, failing
# with its log, and starting it.
# Requires: app (the program's path) set by the caller.
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/app.log" 2>/dev/null; exit 1; }

# Starts the program and waits up to 10 s for its window; its id in $wid, the process in $pid.
start_app() {
  "$app" >"$work/app.log" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 1 200); do
    wid=$(xdotool search --name '^Tintwell$' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && return 0
    sleep 0.05
  done
  fail "no Tintwell window"
}
