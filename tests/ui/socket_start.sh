#!/bin/sh
# One instance without a session bus: a second `varlo FILE FILE` hands both files to the running
# program over the local socket in XDG_RUNTIME_DIR and ends at once; the first adds them to its
# playlist, in order, and writes it when it quits. A socket left by a program that died is taken over.
# Usage: socket_start.sh PROGRAM     (exit 77: skipped, no ffmpeg)
set -eu
program=$1
command -v ffmpeg >/dev/null || exit 77
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-socket-XXXXXX")
first=""
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null && wait "$first" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
export VARLO_HOME="$home/program" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" QT_QPA_PLATFORM=offscreen
mkdir -p "$home/music"
ffmpeg -loglevel error -f lavfi -i sine=frequency=440:duration=5 "$home/music/handed over.ogg"
cp "$home/music/handed over.ogg" "$home/music/and this.ogg"

# A stale socket file, as a program that was killed leaves it.
python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.bind(sys.argv[1])" \
  "$home/varlo-instance"

"$program" &
first=$!
sleep 3
kill -0 "$first" || { echo "the first program ended" >&2; exit 1; }

timeout 10 "$program" "$home/music/handed over.ogg" "$home/music/and this.ogg" || {
  echo "the second start did not hand over and end" >&2
  exit 1
}
sleep 1
kill -TERM "$first"
wait "$first" || { echo "the first program did not quit cleanly" >&2; exit 1; }
first=""
tail -n 2 "$home/program/playlist.m3u" | tr -d '\r' | tr '\n' '|' |
  grep -q "/handed over.ogg|.*/and this.ogg|$" || {
  echo "the handed files are not in the playlist, in order:" >&2
  cat "$home/program/playlist.m3u" >&2
  exit 1
}
echo "the second start handed its files over the local socket"
