#!/bin/sh
# SIGTERM (a log-out, a shut-down, `kill`) while a message box is open: the real program, under
# Xvfb, starts with a damaged playlist and "AutoPlay" without continuous playback, so the error
# box of the first entry comes up over its window. Asked to quit then, it must end within 2 s
# with status 0, as closing its window does: playlist and settings written.
# Usage: sigterm.sh PROGRAM
set -u
program=${1:?usage: sigterm.sh PROGRAM}
report_dir=${VARLO_FAULT_REPORT_DIR:?VARLO_FAULT_REPORT_DIR names the fault reports folder}
if [ -z "${VARLO_SIGTERM_UNDER_XVFB:-}" ]; then
  VARLO_SIGTERM_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-sigterm-XXXXXX")
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT
mkdir -p "$home/program" "$home/config/varlo" "$home/media"
printf '\377\373\220\144\000' >"$home/media/broken.mp3"
printf '%s\r\n' "$home/media/broken.mp3" >"$home/media/list.m3u"
printf '[config]\nAutoPlay=1\nContPB=0\n' >"$home/config/varlo/varlo.ini"

report() {
  printf '%s\t%s\n' "$1" "$2" >"$report_dir/sigterm.txt"
  echo "$2"
  [ "$1" = ok ]
}
now_ms() { date +%s%3N; }
# The windows named "Varlo" that are on the screen: the main window, and the box above it.
shown_windows() {
  count=0
  for id in $(xwininfo -root -tree 2>/dev/null | grep '"Varlo": ("varlo"' | awk '{print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && count=$((count + 1))
  done
  echo "$count"
}

VARLO_HOME=$home/program XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home \
  DBUS_SESSION_BUS_ADDRESS=unix:path=$home/no-bus VARLO_AO=null QT_QPA_PLATFORM=xcb \
  "$program" "$home/media/list.m3u" >"$home/out.log" 2>&1 &
pid=$!

# Waits for the box: two windows of the program on the screen.
boxed=no
waited=0
while [ "$waited" -lt 150 ]; do
  if [ "$(shown_windows)" -ge 2 ]; then
    boxed=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
  waited=$((waited + 1))
done
if [ "$boxed" != yes ]; then
  cat "$home/out.log" >&2
  report FAIL "sigterm: no message box came up within 15 s; nothing was asked to quit"
  exit 1
fi
sleep 0.5

sent=$(now_ms)
kill -TERM "$pid"
ended=no
while [ $(($(now_ms) - sent)) -lt 5000 ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    ended=yes
    break
  fi
  sleep 0.02
done
took=$(($(now_ms) - sent))
status=0
if [ "$ended" = yes ]; then
  wait "$pid" || status=$?
  pid=""
fi
saved=0
[ -f "$home/program/playlist.m3u" ] && grep -q broken.mp3 "$home/program/playlist.m3u" &&
  saved=$((saved + 1))
grep -q '^LastTrack=' "$home/config/varlo/varlo.ini" && saved=$((saved + 1))

line="sigterm: a message box open, ended after $took ms with status $status, $saved of 2 files saved (playlist, settings)"
if [ "$ended" != yes ]; then
  report FAIL "sigterm: a message box open, still running $took ms after SIGTERM"
  exit 1
fi
if [ "$took" -ge 2000 ] || [ "$status" -ne 0 ] || [ "$saved" -ne 2 ]; then
  cat "$home/out.log" >&2
  report FAIL "$line"
  exit 1
fi
report ok "$line"
