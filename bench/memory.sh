#!/usr/bin/env bash
# Resident memory while playing an MP3 with the main window shown, under a private Xvfb:
# varlo (default skin, fresh program and settings folders, AutoPlay on) is started on a
# 60-second MP3 made with ffmpeg, and VmRSS of /proc/PID/status is read after it has played for
# SETTLE seconds (default 4), with VmHWM (the peak) and the anonymous and file-backed parts.
# For comparison the same is read for mpv_floor, libmpv alone playing the same file with the
# options varlo gives it.
#
#   bench/memory.sh [BUILD_DIR]      (default: build/ beside this folder)
#
# Needs the targets varlo, mpv_floor and map_timer built, Xvfb and ffmpeg.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
settle=${SETTLE:-4}
bin=$build/bin
for tool in varlo mpv_floor map_timer; do
  [ -x "$bin/$tool" ] || { echo "memory.sh: $bin/$tool is missing (build it first)" >&2; exit 1; }
done
for tool in Xvfb ffmpeg; do
  command -v "$tool" >/dev/null || { echo "memory.sh: $tool is not installed" >&2; exit 1; }
done

scratch=$(mktemp -d /tmp/varlo-memory.XXXXXX)
xvfb=""
player=""
cleanup() {
  [ -n "$player" ] && kill "$player" 2>/dev/null && wait "$player" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=bench/private_xvfb.sh
source "$here/private_xvfb.sh"
start_private_xvfb memory.sh

song=$scratch/song.mp3
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=60" -ac 2 -ar 44100 \
  -codec:a libmp3lame -b:a 192k "$song"

# Prints "rss hwm anon file" in MB for a process, from /proc/PID/status.
memory_of() {
  awk '/^VmRSS:/ { r = $2 } /^VmHWM:/ { h = $2 } /^RssAnon:/ { a = $2 } /^RssFile:/ { f = $2 }
       END { printf "%.1f %.1f %.1f %.1f\n", r / 1024, h / 1024, a / 1024, f / 1024 }' \
    "/proc/$1/status"
}

# Runs a player in the background, lets it settle and prints its memory.
measure() {
  "$@" >>"$scratch/player.log" 2>&1 &
  player=$!
  sleep "$settle"
  kill -0 "$player" 2>/dev/null || { echo "memory.sh: $1 ended early" >&2; cat "$scratch/player.log" >&2; exit 1; }
  memory_of "$player"
  kill "$player" 2>/dev/null
  wait "$player" 2>/dev/null || true
  player=""
}

mkdir -p "$scratch/home" "$scratch/config/varlo" "$scratch/data"
printf '[config]\nAutoPlay=1\n' >"$scratch/config/varlo/varlo.ini"
export VARLO_HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
read -r v_rss v_hwm v_anon v_file < <(measure "$bin/varlo" "$song")
read -r m_rss m_hwm m_anon m_file < <(measure "$bin/mpv_floor" "$song")
printf 'resident memory after %s s of playing (MB):\n' "$settle"
printf '  %-28s VmRSS %6.1f  (peak %6.1f, anonymous %6.1f, files %6.1f)\n' \
  "varlo, window shown" "$v_rss" "$v_hwm" "$v_anon" "$v_file" \
  "libmpv alone (mpv_floor)" "$m_rss" "$m_hwm" "$m_anon" "$m_file"
awk -v r="$v_rss" 'BEGIN { printf "  goal: varlo under 80 MB: %s\n", r < 80 ? "met" : "missed" }'
