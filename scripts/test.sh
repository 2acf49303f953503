#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite: the full build,
# then the headless core again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

cmake --preset default
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake --preset sanitize
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
