# Sourced by the benchmarks: starts an Xvfb of their own and exports DISPLAY, leaving its
# process id in $xvfb for the caller's clean-up. Needs $bin (with map_timer) and $scratch.
# The display number is drawn at random from a high range, away from the low numbers that
# servers started with -displayfd take, since such a server can race for ours and take its
# socket away; the display is probed and the start tried again when it cannot be opened.
start_private_xvfb() {
  local caller=$1
  for _ in 1 2 3 4 5; do
    local number=$((200 + RANDOM % 700))
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
    xvfb=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do "$bin/map_timer" --probe && break; sleep 0.1; done
    "$bin/map_timer" --probe && break
    kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    xvfb=""
  done
  [ -n "$xvfb" ] || { echo "$caller: Xvfb did not start" >&2; exit 1; }
  export QT_QPA_PLATFORM=xcb XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/runtime
  mkdir -m 700 "$scratch/runtime"
  unset WAYLAND_DISPLAY VARLO_DATA_DIR
}
