# Shared by the end-to-end scripts (sourced): a scratch folder, the program's process, failing
# with its log, and starting it.
# Requires: app (the program's path) set by the caller.
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/app.log" 2>/dev/null; exit 1; }

# Starts the program and waits up to 20 s (a loaded machine, a tracer) for its window to be on
# the screen; its id in $wid, the process in $pid.
start_app() {
  "$app" >"$work/app.log" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 1 400); do
    wid=$(xdotool search --onlyvisible --name '^Tintwell$' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && return 0
    sleep 0.05
  done
  fail "no Tintwell window"
}

# Gives window $1 the keyboard focus, then runs xdotool with the rest of the arguments, if any.
# Retried for up to 10 s: focusing a window that is not viewable (yet, or again) fails with
# BadMatch, and a loaded machine or a tracer slows the program down.
focus() {
  local w=$1
  shift
  for _ in $(seq 1 100); do
    if xdotool windowfocus "$w" 2>/dev/null; then
      [ $# -eq 0 ] || xdotool "$@"
      return 0
    fi
    sleep 0.1
  done
  fail "could not focus window $w"
}

# Copies a text box of the window at $X, $Y (at x, y inside it) through the clipboard.
copy_box() {
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
  sleep 0.3
  xdotool key ctrl+c
  sleep 0.3
  xclip -o -selection clipboard 2>/dev/null || true
}
