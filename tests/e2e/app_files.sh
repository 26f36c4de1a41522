#!/usr/bin/env bash
# What the program touches, traced with strace for a few seconds of ordinary use (start-up
# tones, sampling, the magnifier, Space, the about window): it opens only the system's
# libraries, fonts, the toolkit's, locale and X11 data, the sound devices and configuration,
# and its own /proc entries, but never PipeWire (the Wayland module's); it writes and creates no
# file; its only sockets are the X server's and the session bus (where the accessibility bridge
# looks for a screen reader).
# Usage: app_files.sh PATH_TO_TINTWELL   (run under with-xvfb)
set -euo pipefail
program=$1
. "$(dirname "$0")/lib.sh"

trace=$work/trace
# Without a session bus (no address, none where the D-Bus library looks): none is started.
traced() {
  env -u DBUS_SESSION_BUS_ADDRESS strace -f -qq -s 256 -e trace=%file,%network \
    -o "$trace" "$program"
}
app=traced
start_app
sleep 1.5
focus "$wid"
xdotool mousemove 100 100 sleep 0.3 mousemove 600 400 sleep 0.3 key space sleep 0.3 key space
xdotool key F1
sleep 1.5
about=$(xdotool search --onlyvisible --name ':::' 2>/dev/null | head -n1 || true)
[ -n "$about" ] && focus "$about" key Escape
sleep 0.8
focus "$wid" key Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
wait "$pid" 2>/dev/null || true
pid=""
[ -s "$trace" ] || fail "no trace written"

# Where reading is expected, by who reads it: the loader (libraries), fontconfig (its
# configuration, caches and the fonts), the C library and X11 (locale and input-method data, the
# CPU count), the toolkit (its icon theme, its plugins under /usr/lib), ALSA (its configuration
# and the sound devices), the D-Bus library (the machine id), and the process's own /proc
# entries. Anything else opened successfully is reported.
allowed='^(/lib/|/lib64/|/usr/lib/|/usr/lib64/|/etc/ld\.so\.'
allowed+='|/usr/share/fonts(/|$)|/usr/share/wine/fonts(/|$)|/usr/local/share/fonts(/|$)'
allowed+='|/usr/share/fontconfig/|/etc/fonts/|/var/cache/fontconfig/'
allowed+='|'"$HOME"'/(\.cache/fontconfig|\.fonts|\.local/share/fonts|\.config/fontconfig)'
allowed+='|/usr/lib/locale/|/usr/share/locale/|/usr/share/X11/|/sys/devices/system/cpu/'
allowed+='|/usr/share/icons/|/usr/share/qt6/'
allowed+='|/dev/snd/|/usr/share/alsa/|/etc/asound\.conf$|/dev/null$'
allowed+='|/var/lib/dbus/machine-id$|/etc/machine-id$|/proc/self/)'
problems=()
# Successful opens of a path outside those places.
while IFS= read -r path; do
  [[ $path =~ $allowed ]] || problems+=("opened $path")
done < <(grep -E '\b(open|openat|openat2|creat)\(' "$trace" | grep -v '= -1 ' |
  sed -E 's/.*\b(open|openat|openat2|creat)\(([^"]*)"([^"]*)".*/\3/' | sort -u)
# Anything opened for writing or created (failed attempts too), except the sound devices.
while IFS= read -r line; do
  problems+=("write: $line")
done < <(grep -E '\b(open|openat|openat2)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)' "$trace" |
  grep -vE '"/dev/snd/|"/dev/(null|tty)"' || true)
while IFS= read -r line; do
  problems+=("file change: $line")
done < <(grep -E '\b(creat|mkdir|mkdirat|unlink|unlinkat|rename|renameat2?|link|linkat|symlink|symlinkat|truncate|ftruncate|chmod|fchmodat|chown|utimensat)\(' "$trace" | grep -v '= -1 ' || true)
# Programs started: none but the program itself (the first execve of the trace).
while IFS= read -r line; do
  problems+=("started: $line")
done < <(grep -E '\bexecve\(' "$trace" | tail -n +2 || true)
# PipeWire is for the Wayland screen source alone, in a module that X11 never loads; only ALSA
# may bring it, where its PipeWire plugin is the sound device.
if ! grep -q 'libasound_module_pcm_pipewire' "$trace"; then
  while IFS= read -r line; do
    problems+=("Wayland only: $line")
  done < <(grep -E '\b(open|openat)\(.*(libpipewire|tintwell-portal)' "$trace" || true)
fi
# Sockets: local (AF_UNIX) ones only, connected to the X server or the session bus.
while IFS= read -r line; do
  problems+=("socket: $line")
done < <(grep -E '\bsocket\(' "$trace" | grep -v 'AF_UNIX' | grep -v '= -1 ' || true)
bus=${DBUS_SESSION_BUS_ADDRESS:-}
while IFS= read -r line; do
  if [[ $line =~ sun_path=@?\"([^\"]*)\" ]]; then
    target=${BASH_REMATCH[1]}
    [[ $target == /tmp/.X11-unix/* ]] && continue
    [[ -n $bus && $bus == *"$target"* ]] && continue
    [[ $target == */at-spi/bus* || $target == */bus ]] && continue
    problems+=("connect to $target")
  else
    problems+=("connect: $line")
  fi
done < <(grep -E '\bconnect\(' "$trace" || true)

if [ ${#problems[@]} -gt 0 ]; then
  printf '%s\n' "${problems[@]}" | sort -u | head -n 40
  fail "the program touched what it should not (${#problems[@]} findings)"
fi
echo "app files: $(grep -cE '\b(open|openat)\(' "$trace") opens, all expected; no writes; X socket only"
