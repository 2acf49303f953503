#!/bin/sh
# The program as a Wayland client: weston's headless backend is the compositor, and varlo runs
# on Qt's wayland platform for a few seconds, shows its shaped main window and quits cleanly on
# SIGTERM with its settings written.
# Usage: wayland_run.sh PROGRAM     (exit 77: skipped, no weston or no Qt wayland platform)
set -eu
program=$1
command -v weston >/dev/null || exit 77
qtplugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
ls "$qtplugins"/platforms/libqwayland-*.so >/dev/null 2>&1 || exit 77
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-wayland-XXXXXX")
chmod 700 "$home"
compositor=""
cleanup() {
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$home"
weston --backend=headless-backend.so --socket=varlo-wayland --idle-time=0 --width=1024 \
  --height=768 --log="$home/weston.log" &
compositor=$!
i=0
until [ -S "$home/varlo-wayland" ]; do
  i=$((i + 1))
  [ $i -lt 100 ] || { echo "weston did not start:" >&2; cat "$home/weston.log" >&2; exit 1; }
  sleep 0.1
done

status=0
env -u DISPLAY WAYLAND_DISPLAY=varlo-wayland QT_QPA_PLATFORM=wayland \
  VARLO_HOME="$home/program" XDG_CONFIG_HOME="$home/config" \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" \
  timeout --preserve-status -k 10 -s TERM 4 "$program" >"$home/varlo.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
  echo "varlo on Wayland ended with status $status:" >&2
  cat "$home/varlo.log" >&2
  exit 1
fi
if grep -qi 'could not connect\|failed to create\|no qt platform' "$home/varlo.log"; then
  cat "$home/varlo.log" >&2
  exit 1
fi
[ -f "$home/config/varlo/varlo.ini" ] || { echo "no settings written" >&2; exit 1; }
echo "varlo ran on Wayland under weston headless and quit cleanly"
