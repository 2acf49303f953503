#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite three times over:
#   1. the full build (RelWithDebInfo) and all its tests, fuzz corpora replayed included;
#   2. the same build in Debug under AddressSanitizer and UndefinedBehaviorSanitizer, with the
#      standard library's own checks on: core, libmpv backend and the front end (offscreen);
#   3. the fuzz build (clang, libFuzzer): every fuzzer replays its seed corpus, then fuzzes for
#      a few seconds (FUZZ_SECONDS each, 0 to skip).
# Every test has a time-out, which this script checks before running them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-10}
started=$(date +%s)
phase() { echo "=== $1 (at $(($(date +%s) - started)) s)"; }
# Runs a build's tests, then prints the fault harness's figures (also when a test failed).
run_tests() {
  rm -rf "$1/fault-report"
  local status=0
  ctest --test-dir "$1" --output-on-failure -j"$jobs" || status=$?
  sh tests/fault/summary.sh "$1" || status=1
  return "$status"
}

phase "full build"
cmake --preset default
cmake --build build -j"$jobs"
python3 scripts/check_timeouts.py build
run_tests build

# Leaks are reported for our code only: the suppressions name third-party libraries alone.
# The same settings hold for the programs the build itself runs (the skin and demo generators).
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

phase "sanitizer build"
cmake --preset sanitize
cmake --build build-sanitize -j"$jobs"
python3 scripts/check_timeouts.py build-sanitize
run_tests build-sanitize

phase "fuzz build"
cmake --preset fuzz
cmake --build build-fuzz -j"$jobs"
python3 scripts/check_timeouts.py build-fuzz
ctest --test-dir build-fuzz --output-on-failure -j"$jobs"
if [ "$fuzz_seconds" -gt 0 ]; then
  # New inputs go to a scratch corpus in the build folder; the committed seeds are only read.
  for fuzzer in build-fuzz/bin/fuzz_*; do
    name=${fuzzer##*/fuzz_}
    work=build-fuzz/fuzz-work/$name
    mkdir -p "$work"
    phase "fuzzing $name for $fuzz_seconds s"
    if ! "$fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work" "fuzz/corpus/$name" >"$work.log" 2>&1; then
      cat "$work.log"
      echo "fuzz_$name found a fault; the input that shows it is in $work/" >&2
      exit 1
    fi
    tail -n 1 "$work.log"
  done
fi

phase "all done"
