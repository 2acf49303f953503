#!/usr/bin/env bash
# Resident memory while playing an MP3 with the main window shown, under a private Xvfb:
# varlo (default skin, fresh program and settings folders, AutoPlay on) is started on a
# 60-second MP3 made with ffmpeg, and VmRSS of /proc/PID/status is read after it has played for
# SETTLE seconds (default 4), with VmHWM (the peak) and the anonymous and file-backed parts.
# For comparison the same is read, in the same run, for
#   - the mpv player itself, "mpv --no-config --ao=null --vo=null" on the same file, the goal's
#     yardstick: varlo may take at most 12 MB more;
#   - mpv_floor, libmpv alone playing the same file with the options varlo gives it;
#   - qt_player_floor, the same under the smallest Qt Widgets window (a label with the file's
#     name): what any Qt Widgets player on libmpv takes, so that varlo's excess above it is its
#     own and the rest is the toolkit's;
#   - a bare Qt widget (bench/bare_qt.cpp) shown on the same display, the floor of any window.
# The sound goes to the engine's null output everywhere (VARLO_AO=null for varlo and the
# floors, --ao=null for mpv), so that no one pays for a sound system the others skip; varlo is
# also measured with the desktop's outputs (PipeWire, PulseAudio, ALSA, JACK), as a user runs it.
# The players are measured ROUNDS times (default 3), interleaved; the medians are printed.
# With BASELINE set to another build folder, that build's varlo is measured in the same rounds
# too, for before-and-after figures from one run.
#
#   bench/memory.sh [BUILD_DIR]      (default: build/ beside this folder)
#
# Needs the targets varlo, varlo_skins, mpv_floor, qt_player_floor, bare_qt and map_timer built,
# Xvfb, ffmpeg and mpv.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
settle=${SETTLE:-4}
rounds=${ROUNDS:-3}
bin=$build/bin
for tool in varlo mpv_floor qt_player_floor bare_qt map_timer; do
  [ -x "$bin/$tool" ] || { echo "memory.sh: $bin/$tool is missing (build it first)" >&2; exit 1; }
done
for tool in Xvfb ffmpeg mpv; do
  command -v "$tool" >/dev/null || { echo "memory.sh: $tool is not installed" >&2; exit 1; }
done
[ -f "$build/share/varlo/default.skin" ] ||
  { echo "memory.sh: $build/share/varlo has no default skin (build varlo_skins)" >&2; exit 1; }

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
  "$@" </dev/null >>"$scratch/player.log" 2>&1 &
  player=$!
  sleep "$settle"
  kill -0 "$player" 2>/dev/null || { echo "memory.sh: $1 ended early" >&2; cat "$scratch/player.log" >&2; exit 1; }
  memory_of "$player"
  kill "$player" 2>/dev/null
  # One that does not end on SIGTERM (a message box in the way) is killed.
  for _ in $(seq 50); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$player" 2>/dev/null || true
  wait "$player" 2>/dev/null || true
  player=""
}

mkdir -p "$scratch/home" "$scratch/config/varlo" "$scratch/data"
printf '[config]\nAutoPlay=1\n' >"$scratch/config/varlo/varlo.ini"
export VARLO_HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
last() { cut -d' ' -f1 <"$scratch/$1" | tail -n1; }
baseline=""
if [ -n "${BASELINE:-}" ]; then
  baseline=$(cd "$BASELINE" && pwd)
  [ -x "$baseline/bin/varlo" ] || { echo "memory.sh: $baseline/bin/varlo is missing" >&2; exit 1; }
fi
for i in $(seq "$rounds"); do
  VARLO_AO=null measure "$bin/varlo" "$song" >>"$scratch/varlo"
  [ -z "$baseline" ] || VARLO_AO=null measure "$baseline/bin/varlo" "$song" >>"$scratch/baseline"
  measure "$bin/varlo" "$song" >>"$scratch/desktop"
  measure mpv --no-config --ao=null --vo=null "$song" >>"$scratch/mpv"
  VARLO_AO=null measure "$bin/mpv_floor" "$song" >>"$scratch/floor"
  VARLO_AO=null measure "$bin/qt_player_floor" "$song" >>"$scratch/qtfloor"
  measure "$bin/bare_qt" >>"$scratch/bare"
  echo "round $i (VmRSS MB): varlo $(last varlo) (desktop sound $(last desktop)), mpv $(last mpv)," \
    "libmpv $(last floor), libmpv + Qt label $(last qtfloor), bare Qt $(last bare)" >&2
done

# The median of each column of a file of rounds.
medians() {
  for c in 1 2 3 4; do
    awk -v c="$c" '{ print $c }' "$1" | sort -n |
      awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
  done | paste -sd' '
}
read -r v_rss v_hwm v_anon v_file < <(medians "$scratch/varlo")
read -r d_rss d_hwm d_anon d_file < <(medians "$scratch/desktop")
read -r p_rss p_hwm p_anon p_file < <(medians "$scratch/mpv")
read -r q_rss q_hwm q_anon q_file < <(medians "$scratch/qtfloor")
read -r m_rss m_hwm m_anon m_file < <(medians "$scratch/floor")
read -r b_rss b_hwm b_anon b_file < <(medians "$scratch/bare")
printf 'resident memory after %s s of playing, median of %s rounds (MB):\n' "$settle" "$rounds"
printf '  %-28s VmRSS %6.1f  (peak %6.1f, anonymous %6.1f, files %6.1f)\n' \
  "varlo, window shown" "$v_rss" "$v_hwm" "$v_anon" "$v_file" \
  "mpv player (no window)" "$p_rss" "$p_hwm" "$p_anon" "$p_file" \
  "libmpv alone (mpv_floor)" "$m_rss" "$m_hwm" "$m_anon" "$m_file" \
  "libmpv + Qt label" "$q_rss" "$q_hwm" "$q_anon" "$q_file" \
  "bare Qt widget (not playing)" "$b_rss" "$b_hwm" "$b_anon" "$b_file" \
  "varlo, desktop sound outputs" "$d_rss" "$d_hwm" "$d_anon" "$d_file"
if [ -n "$baseline" ]; then
  read -r o_rss o_hwm o_anon o_file < <(medians "$scratch/baseline")
  printf '  %-28s VmRSS %6.1f  (peak %6.1f, anonymous %6.1f, files %6.1f)  %+.1f MB\n' \
    "baseline varlo" "$o_rss" "$o_hwm" "$o_anon" "$o_file" "$(awk -v a="$v_rss" -v b="$o_rss" 'BEGIN { print a - b }')"
  echo "  (baseline: $baseline)"
fi
awk -v r="$v_rss" -v p="$p_rss" -v m="$m_rss" -v q="$q_rss" -v d="$d_rss" 'BEGIN {
  printf "  varlo - mpv player            %+6.1f MB  (goal <= +12: %s)\n", r - p, r - p <= 12 ? "met" : "missed"
  printf "  varlo - libmpv alone          %+6.1f MB\n", r - m
  printf "  libmpv + Qt label - mpv       %+6.1f MB  (the toolkit: the least any Qt Widgets player adds)\n", q - p
  printf "  varlo - libmpv + Qt label     %+6.1f MB  (varlo'"'"'s own)\n", r - q
  printf "  desktop sound outputs         %+6.1f MB  (varlo with them against VARLO_AO=null)\n", d - r
}'
