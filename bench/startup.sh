#!/usr/bin/env bash
# Start-up time, from exec to the main window mapped, under a private Xvfb: the median of
# RUNS (default 9) interleaved runs each of
#   - a bare Qt widget (bench/bare_qt.cpp), the floor any Qt program pays, and for reference
#     the same window with a list and a line of text (bare_qt --list), which pays the font
#     set-up and the item view's accessibility set-up as well;
#   - varlo with the default skin and an empty playlist;
#   - varlo with a 32766-entry playlist named on the command line.
# Every varlo run starts on a fresh copy of one program folder and settings folder, made by a
# first run that is not counted (it installs the shipped files and warms the caches).
# With BASELINE set to another build folder, that build's varlo runs interleaved with these
# too (timed by this build's map_timer), for before-and-after figures from the same run.
#
#   bench/startup.sh [BUILD_DIR]      (default: build/ beside this folder)
#
# Needs the targets varlo, varlo_skins, bare_qt and map_timer built, and Xvfb.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${RUNS:-9}
bin=$build/bin
for tool in varlo bare_qt map_timer; do
  [ -x "$bin/$tool" ] || { echo "startup.sh: $bin/$tool is missing (build it first)" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "startup.sh: Xvfb is not installed" >&2; exit 1; }
# Without the skins every start would time a message box instead of the main window.
[ -f "$build/share/varlo/default.skin" ] ||
  { echo "startup.sh: $build/share/varlo has no default skin (build varlo_skins)" >&2; exit 1; }

scratch=$(mktemp -d /tmp/varlo-startup.XXXXXX)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=bench/private_xvfb.sh
source "$here/private_xvfb.sh"
start_private_xvfb startup.sh

# The long playlist: entries as a real one holds them (paths not checked at load).
big=$scratch/big.m3u
awk 'BEGIN { printf "#EXTM3U\r\n";
  for (i = 0; i < 32766; i++)
    printf "#EXTINF:215,Artist %d - Song Title %d\r\n/srv/music/Artist_%d/Album/%02d-Song_Title_%d.mp3\r\n",
      i, i, i / 12, i % 12 + 1, i }' >"$big"

builds=("$build")
if [ -n "${BASELINE:-}" ]; then
  baseline=$(cd "$BASELINE" && pwd)
  [ -x "$baseline/bin/varlo" ] || { echo "startup.sh: $baseline/bin/varlo is missing" >&2; exit 1; }
  builds+=("$baseline")
fi

run_varlo() {  # build, folder, then varlo's arguments
  local of=$1 dir=$2
  shift 2
  VARLO_HOME=$dir/home XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data \
    "$bin/map_timer" --timeout 30 --cpu 1 "$of/bin/varlo" "$@" 2>>"$scratch/varlo.log"
}

for k in "${!builds[@]}"; do
  mkdir -p "$scratch/template$k/home" "$scratch/template$k/config" "$scratch/template$k/data"
  run_varlo "${builds[$k]}" "$scratch/template$k" >/dev/null
  : >"$scratch/empty$k" >"$scratch/long$k"
done
"$bin/map_timer" --timeout 30 "$bin/bare_qt" >/dev/null

fresh() {  # template number
  rm -rf "$scratch/run"
  cp -a "$scratch/template$1" "$scratch/run"
}

: >"$scratch/bare" >"$scratch/list"
for i in $(seq "$runs"); do
  "$bin/map_timer" --timeout 30 --cpu 1 "$bin/bare_qt" >>"$scratch/bare"
  "$bin/map_timer" --timeout 30 --cpu 1 "$bin/bare_qt" --list >>"$scratch/list"
  for k in "${!builds[@]}"; do
    fresh "$k"
    run_varlo "${builds[$k]}" "$scratch/run" >>"$scratch/empty$k"
    fresh "$k"
    run_varlo "${builds[$k]}" "$scratch/run" "$big" >>"$scratch/long$k"
    echo "run $i, ${builds[$k]} (wall, cpu ms): bare $(tail -n1 "$scratch/bare")," \
      "empty $(tail -n1 "$scratch/empty$k"), 32766 entries $(tail -n1 "$scratch/long$k")" >&2
  done
done

median() {  # file, column
  awk -v c="$2" '{ print $c }' "$1" | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
printf 'median of %d runs, exec to window mapped (processor time of the program until then):\n' "$runs"
awk -v b="$(median "$scratch/bare" 1)" -v bc="$(median "$scratch/bare" 2)" 'BEGIN {
  printf "  bare Qt widget          %7.1f ms  (cpu %6.1f ms)\n", b, bc }'
awk -v b="$(median "$scratch/list" 1)" -v bc="$(median "$scratch/list" 2)" \
  -v e="$(median "$scratch/empty0" 1)" -v ec="$(median "$scratch/empty0" 2)" 'BEGIN {
  printf "  ... with list and text  %7.1f ms  (cpu %6.1f ms)  (reference: varlo empty x%.2f, cpu x%.2f)\n", b, bc, e / b, ec / bc }'
for k in "${!builds[@]}"; do
  [ "$k" -eq 0 ] || printf '  baseline %s:\n' "${builds[$k]}"
  awk -v b="$(median "$scratch/bare" 1)" -v e="$(median "$scratch/empty$k" 1)" \
    -v l="$(median "$scratch/long$k" 1)" -v bc="$(median "$scratch/bare" 2)" \
    -v ec="$(median "$scratch/empty$k" 2)" -v lc="$(median "$scratch/long$k" 2)" 'BEGIN {
    printf "  varlo, empty playlist   %7.1f ms  (cpu %6.1f ms)  x%.2f bare Qt  (goal <= 1.5: %s; cpu x%.2f: %s)\n", e, ec, e / b, e <= 1.5 * b ? "met" : "missed", ec / bc, ec <= 1.5 * bc ? "met" : "missed"
    printf "  varlo, 32766 entries    %7.1f ms  (cpu %6.1f ms)  x%.2f empty    (goal <= 1.3: %s; cpu x%.2f)\n", l, lc, l / e, l <= 1.3 * e ? "met" : "missed", lc / ec
  }'
done
