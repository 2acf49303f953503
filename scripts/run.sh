#!/usr/bin/env bash
# Sets up the machine, builds varlo and starts it with the bundled default skin.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build build -j"$(nproc)" --target varlo varlo_skins halvern
exec build/bin/varlo "$@"
