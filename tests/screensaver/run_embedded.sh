#!/bin/sh
# Runs saver_embed_check on an Xvfb of its own, with a settings folder and a program folder of
# its own, which the check fills, and the build's data folder for the bundled skin.
#   run_embedded.sh <saver_embed_check> <VarloSS> <data folder> <picture.png>
set -eu
check=$1 saver=$2 data=$3 picture=$4
scratch=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/config/varlo" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
for _ in 1 2 3 4 5; do
  number=$(( $$ % 500 + 300 ))
  number=$(( number + $(od -An -N1 -tu1 /dev/urandom) ))
  [ -e "/tmp/.X11-unix/X$number" ] && continue
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
  xvfb=$!
  sleep 1
  [ -e "/tmp/.X11-unix/X$number" ] && break
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done
[ -n "$xvfb" ] || { echo "run_embedded.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
  VARLO_HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" VARLO_DATA_DIR="$data" \
  "$check" "$saver" "$picture"
