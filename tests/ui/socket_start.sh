#!/bin/sh
# One instance without a session bus: a second `varlo FILE FILE` on the same display with the
# same program folder hands both files to the running program over its local socket in
# XDG_RUNTIME_DIR and ends at once; the first adds them to its playlist, in order, and writes it
# when it quits. A start on another display or with another program folder runs a program of its
# own instead, and a socket left by a program that was killed is taken over.
# Usage: socket_start.sh PROGRAM     (exit 77: skipped, no ffmpeg)
set -eu
program=$1
command -v ffmpeg >/dev/null || exit 77
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-socket-XXXXXX")
first=""
other=""
cleanup() {
  for p in $first $other; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$home"
}
trap cleanup EXIT
export VARLO_HOME="$home/program" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" QT_QPA_PLATFORM=offscreen DISPLAY=:91
mkdir -p "$home/music"
ffmpeg -loglevel error -f lavfi -i sine=frequency=440:duration=5 "$home/music/handed over.ogg"
cp "$home/music/handed over.ogg" "$home/music/and this.ogg"

sockets() { find "$home" -maxdepth 1 -type s -name 'varlo-*' | sort; }
# Waits until the program $1 listens on a socket that $2 (the sockets before it) lacks, and
# prints that socket.
listening() {
  i=0
  while :; do
    new=$(sockets | grep -vxF "$2" || true)
    [ -n "$new" ] && { echo "$new"; return 0; }
    kill -0 "$1" 2>/dev/null || { echo "the program ended" >&2; return 1; }
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "the program never listened" >&2; return 1; }
    sleep 0.1
  done
}

# A program killed outright leaves its socket behind; the next one takes it over.
"$program" &
first=$!
socket=$(listening "$first" "")
kill -9 "$first"
wait "$first" 2>/dev/null || true
[ -S "$socket" ] || { echo "no stale socket was left" >&2; exit 1; }
answers() {
  python3 -c "import socket,sys; socket.socket(socket.AF_UNIX).connect(sys.argv[1])" "$1" \
    2>/dev/null
}
answers "$socket" && { echo "a killed program's socket answers" >&2; exit 1; }
"$program" &
first=$!
i=0
until answers "$socket"; do
  i=$((i + 1))
  [ $i -lt 100 ] || { echo "the stale socket was not taken over" >&2; exit 1; }
  kill -0 "$first" || { echo "the first program ended" >&2; exit 1; }
  sleep 0.1
done
timeout 10 "$program" "$home/music/handed over.ogg" "$home/music/and this.ogg" || {
  echo "the second start did not hand over and end" >&2
  exit 1
}
[ "$(sockets)" = "$socket" ] || { echo "more than one socket: $(sockets)" >&2; exit 1; }

# Another display, then another program folder: each start runs a program of its own, which
# listens on a socket of its own.
for change in "DISPLAY=:92" "VARLO_HOME=$home/other"; do
  env "$change" "$program" "$home/music/handed over.ogg" &
  other=$!
  listening "$other" "$socket" >/dev/null || {
    echo "a start with $change handed over instead of running by itself" >&2
    exit 1
  }
  kill -TERM "$other"
  wait "$other" || true
  other=""
done

kill -TERM "$first"
wait "$first" || { echo "the first program did not quit cleanly" >&2; exit 1; }
first=""
tail -n 2 "$home/program/playlist.m3u" | tr -d '\r' | tr '\n' '|' |
  grep -q "/handed over.ogg|.*/and this.ogg|$" || {
  echo "the handed files are not in the playlist, in order:" >&2
  cat "$home/program/playlist.m3u" >&2
  exit 1
}
[ -z "$(sockets)" ] || { echo "a socket was left after quitting: $(sockets)" >&2; exit 1; }
echo "the second start handed its files over the local socket, and only to its own display and folder"
