#!/bin/sh
# One instance: on a private session bus, a second `varlo FILE FILE` hands both files to the
# program already running and ends at once; the first adds them and, with AutoPlay on, plays the
# first of them, which its MPRIS metadata then shows. The hand-over goes through the local socket
# where the runtime folder allows one, and over the bus where it does not (a folder whose path is
# too long for a socket). `--new-instance` starts a program of its own instead, as does a start
# with another program folder or on another display.
# Usage: second_start.sh PROGRAM     (exit 77: skipped, no dbus-daemon or ffmpeg)
set -eu
program=$1
command -v dbus-daemon >/dev/null && command -v dbus-send >/dev/null || exit 77
command -v ffmpeg >/dev/null || exit 77
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-second-XXXXXX")
first=""
bus_pid=""
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null && wait "$first" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$home/address" 4>"$home/pid"
bus_pid=$(cat "$home/pid")
DBUS_SESSION_BUS_ADDRESS=$(cat "$home/address")
export DBUS_SESSION_BUS_ADDRESS
export VARLO_HOME="$home/program" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$home/config/varlo" "$home/music"
printf '[config]\nAutoPlay=1\n' >"$home/config/varlo/varlo.ini"
ffmpeg -loglevel error -f lavfi -i sine=frequency=440:duration=20 -metadata title=Handed \
  -metadata artist=Second "$home/music/handed over.ogg"
ffmpeg -loglevel error -f lavfi -i sine=frequency=440:duration=20 -metadata title=Later \
  "$home/music/later.ogg"

owner() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:"$1" 2>/dev/null | grep -q 'boolean true'
}
metadata() {
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.varlo /org/mpris/MediaPlayer2 \
    org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2.Player string:Metadata
}

# A runtime folder no socket can be made in: its path leaves no room for the socket's name.
long=$home/runtime-$(printf '%0120d' 0)
mkdir -m 700 "$long"

for runtime in "$home" "$long"; do
  export XDG_RUNTIME_DIR="$runtime"
  rm -f "$home/program/playlist.m3u"
  "$program" &
  first=$!
  i=0
  until owner org.mpris.MediaPlayer2.varlo; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "the first program never came onto the bus" >&2; exit 1; }
    sleep 0.1
  done
  # Where a socket can be made the program listens on it (the bus is left out of the
  # hand-over); elsewhere there is none.
  if [ "$runtime" = "$home" ]; then
    i=0
    until [ -n "$(find "$home" -maxdepth 1 -type s -name 'varlo-*')" ]; do
      i=$((i + 1))
      [ $i -lt 100 ] || { echo "the first program never listened on its socket" >&2; exit 1; }
      sleep 0.1
    done
  fi

  # The second start hands over and ends by itself, well before a time-out.
  timeout 10 "$program" "$home/music/handed over.ogg" "$home/music/later.ogg" || {
    echo "the second start (runtime folder $runtime) did not hand over and end" >&2
    exit 1
  }
  i=0
  until metadata | grep -q 'Handed'; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "the handed file does not play:" >&2; metadata >&2; exit 1; }
    sleep 0.1
  done
  metadata | grep -q 'handed%20over.ogg' || { echo "no file URL in the metadata" >&2; exit 1; }
  [ "$runtime" = "$long" ] && break
  kill "$first"
  wait "$first" || true
  first=""
done

# --new-instance runs beside the first, under a name of its own; so does a start with another
# program folder or on another display, which the first program is not for.
for start in "--new-instance" "env VARLO_HOME=$home/other" "env DISPLAY=:93"; do
  if [ "$start" = "--new-instance" ]; then
    "$program" --new-instance &
  else
    $start "$program" "$home/music/handed over.ogg" &
  fi
  second=$!
  i=0
  until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ListNames | grep -q 'org.mpris.MediaPlayer2.varlo.instance'; do
    i=$((i + 1))
    [ $i -lt 100 ] || { kill "$second"; echo "$start did not start its own program" >&2; exit 1; }
    sleep 0.1
  done
  kill "$second"
  wait "$second" || true
done
echo "the second start handed its file to the first"
