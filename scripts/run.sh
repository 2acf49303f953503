#!/usr/bin/env bash
# Sets up the machine, builds varlo and starts it with the bundled default skin. On the
# first run (no playlist kept in the program folder yet) it opens the demo album.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build build -j"$(nproc)" --target varlo varlo_skins varlo_demo halvern

# The program folder as varlo finds it; varlo copies the demo album into it at start.
folder="${VARLO_HOME:-${XDG_DATA_HOME:-${HOME:-/tmp}/.local/share}/varlo}"
folder="${folder%/}"
if [ $# -eq 0 ] && [ ! -e "$folder/playlist.m3u" ]; then
  set -- "$folder/demo/Varlo Demo.m3u"
fi
exec build/bin/varlo "$@"
