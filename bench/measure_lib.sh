# What the whole-process measurements share (sourced): a process's CPU in clock ticks, figures
# from ticks, and the medians of the runs kept in the array `results` (one line of figures a run).
hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# CPU of process $1 over $2 seconds, in ticks.
ticks_during() {
  local a b
  a=$(cpu_ticks "$1")
  sleep "$2"
  b=$(cpu_ticks "$1")
  echo $((b - a))
}
# $1 ticks over $2 seconds as a % of one core; $1 ticks as seconds.
pct() { awk -v t="$1" -v s="$2" -v hz="$hz" 'BEGIN{printf "%.2f", 100 * t / hz / s}'; }
secs() { awk -v t="$1" -v hz="$hz" 'BEGIN{printf "%.2f", t / hz}'; }
median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# The median of column $1 over the runs.
col() { printf '%s\n' "${results[@]}" | awk -v c="$1" '{print $c}' | median; }
