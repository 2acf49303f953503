#!/usr/bin/env python3
"""Fails when a ctest test of the given build folders has no TIMEOUT property.

A test without one would run until the whole CI run is stopped, so every test must state how
long it may take. Reads the test list ctest itself reports (--show-only=json-v1).
"""
import json
import subprocess
import sys


def tests_without_timeout(build_dir):
    listing = subprocess.run(
        ["ctest", "--test-dir", build_dir, "--show-only=json-v1"],
        check=True, capture_output=True, text=True).stdout
    tests = json.loads(listing).get("tests", [])
    missing = []
    for test in tests:
        properties = {p.get("name"): p.get("value") for p in test.get("properties", [])}
        timeout = properties.get("TIMEOUT")
        if timeout is None or float(timeout) <= 0:
            missing.append(test.get("name", "?"))
    return len(tests), missing


def main(argv):
    if len(argv) < 2:
        print(f"usage: {argv[0]} BUILD-FOLDER...", file=sys.stderr)
        return 2
    failed = False
    for build_dir in argv[1:]:
        count, missing = tests_without_timeout(build_dir)
        if count == 0:
            print(f"{build_dir}: ctest lists no tests", file=sys.stderr)
            failed = True
        for name in missing:
            print(f"{build_dir}: test {name} has no TIMEOUT", file=sys.stderr)
        failed = failed or bool(missing)
        print(f"{build_dir}: {count - len(missing)} of {count} tests have a time-out")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
