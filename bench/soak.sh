#!/usr/bin/env bash
# The soak's full form: the whole program plays 2 000 generated tracks of 0.2 s on the null
# sound output under a private Xvfb and a private session bus, switching every mode's skin
# (the browser's web engine included) every 50 tracks and opening and closing the tray menu,
# Track Info and the visual playlist selector each time. It prints the memory at track 200 and
# at the end, the descriptors and threads at the start and the end, the timers' counts, the
# tracks played and the wall time, and fails as the short form in ctest does.
#
#   bench/soak.sh [BUILD_DIR] [varlo_soak options...]   (default: build/ beside this folder;
#                                                        e.g. --no-browser, --tracks 1000)
#
# Needs the targets varlo_soak and map_timer built, Xvfb and dbus-run-session.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
[ $# -gt 0 ] && shift
bin=$build/bin
for tool in varlo_soak map_timer; do
  [ -x "$bin/$tool" ] || { echo "soak.sh: $bin/$tool is missing (build it first)" >&2; exit 1; }
done
for tool in Xvfb dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "soak.sh: $tool is not installed" >&2; exit 1; }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/varlo-soak-bench-XXXXXX")
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
. "$here/private_xvfb.sh"
start_private_xvfb soak.sh

# The report goes to the scratch folder: the build's own fault reports are left alone.
mkdir -p "$scratch/report"
VARLO_FAULT_REPORT_DIR=$scratch/report dbus-run-session -- "$bin/varlo_soak" \
  --tracks 2000 --track-ms 200 --switch-every 50 --baseline 200 --browser "$@"
