#!/bin/sh
# The program as a Wayland client under sway's headless backend, driven by a virtual pointer:
# its fixed-size window floats rather than being tiled, a drag on the skin's background moves the window through the compositor (Qt's system move),
# a click on the song name opens the track information window and the preferences button the
# preferences window, each a window of its own; SIGTERM then ends the program cleanly.
# Usage: sway_run.sh PROGRAM TEST_POINTER SONG [SCREENSHOT]
# (exit 77: skipped, no sway or no Qt wayland platform)
set -eu
program=$1
pointer=$2
song=$3
screenshot=${4:-}
command -v sway >/dev/null && command -v swaymsg >/dev/null || exit 77
command -v python3 >/dev/null || exit 77
qtplugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
ls "$qtplugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || exit 77

home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-sway-XXXXXX")
chmod 755 "$home"
runtime=$home/run
mkdir -m 700 "$runtime"
compositor=""
client=""
cleanup() {
  [ -n "$client" ] && kill "$client" 2>/dev/null || true
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

cat >"$home/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1024x768 position 0 0
default_border none
focus_follows_mouse no
CONF
chmod 644 "$home/sway.conf"
# sway refuses to run as root: there it runs as nobody, and the program (root) still reaches
# its socket.
as_compositor=""
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$runtime"
  as_compositor="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" HOME="$home" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  $as_compositor sway -c "$home/sway.conf" >"$home/sway.log" 2>&1 &
compositor=$!
i=0
until ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && [ -S "$runtime/wayland-1" ]; do
  i=$((i + 1))
  [ $i -lt 100 ] || { echo "sway did not start:" >&2; cat "$home/sway.log" >&2; exit 1; }
  sleep 0.1
done
ipc=$(ls "$runtime"/sway-ipc.*.sock)
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1

# The windows of the program, a line each: "x y width height title".
windows() {
  swaymsg -s "$ipc" -r -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("app_id") == "varlo":
        r = n["rect"]
        print(r["x"], r["y"], r["width"], r["height"], n.get("name") or "")
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
# Waits up to $2 seconds (ten by default) for a window titled $1; prints its line.
await_window() {
  i=0
  while [ $i -lt $((${2:-10} * 10)) ]; do
    line=$(windows | grep " $1\$" || true)
    [ -n "$line" ] && { echo "$line"; return 0; }
    i=$((i + 1))
    sleep 0.1
  done
  echo "no window '$1'; the program's windows:" >&2
  windows >&2
  return 1
}

mkdir -p "$home/config/varlo"
printf '[config]\r\nAutoPlay=1\r\n' >"$home/config/varlo/varlo.ini"
env -u DISPLAY QT_QPA_PLATFORM=wayland VARLO_HOME="$home/program" XDG_CONFIG_HOME="$home/config" \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" "$program" "$song" >"$home/varlo.log" 2>&1 &
client=$!
fail() {
  echo "$1" >&2
  echo "--- the program said:" >&2
  cat "$home/varlo.log" >&2
  exit 1
}
main=$(await_window Varlo 30) || fail "the main window did not show"
set -- $main
x=$1
y=$2
[ "$3" -eq 480 ] && [ "$4" -eq 386 ] ||
  fail "the window is $3 x $4, not the default skin's 480 x 386: it was tiled"
sleep 1

# A drag on the frame left of the cover, 100 right and 50 down, in steps.
"$pointer" 1024 768 move $((x + 5)) $((y + 109)) wait 200 press \
  move $((x + 30)) $((y + 120)) move $((x + 60)) $((y + 135)) move $((x + 105)) $((y + 159)) \
  wait 200 release wait 300 || fail "the virtual pointer failed"
set -- $(windows | grep ' Varlo$')
[ "$1" -eq $((x + 100)) ] && [ "$2" -eq $((y + 50)) ] ||
  fail "the drag left the window at $1,$2, not at $((x + 100)),$((y + 50))"
x=$1
y=$2

# The song name (label 2 at 250,62) opens the track information.
"$pointer" 1024 768 move $((x + 300)) $((y + 70)) wait 100 press wait 50 release wait 200 ||
  fail "the virtual pointer failed"
await_window "Track Info" >/dev/null || fail "no track information window"
# Out of the way of the next click, below the main window's header.
swaymsg -s "$ipc" '[title="^Track Info$"] move position 0 480' >/dev/null
# The preferences button (378,12).
"$pointer" 1024 768 move $((x + 385)) $((y + 19)) wait 100 press wait 50 release wait 200 ||
  fail "the virtual pointer failed"
await_window "Varlo Prefs" >/dev/null || fail "no preferences window"
[ -n "$screenshot" ] && command -v grim >/dev/null && grim "$screenshot"

kill -TERM "$client"
status=0
wait "$client" || status=$?
client=""
[ "$status" -eq 0 ] || fail "varlo ended with status $status"
echo "under sway the drag moved the window and the side windows opened"
