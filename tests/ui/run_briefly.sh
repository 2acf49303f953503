#!/bin/sh
# Starts the real program on Qt's offscreen platform, in a program folder and a settings folder
# of its own, with the playlist given (if any), lets it run for a few seconds and asks it to
# quit with SIGTERM, as a session manager does. It must end by itself with status 0 (in the
# sanitizer build any report ends it otherwise) and leave its settings and playlist written.
# Usage: run_briefly.sh PROGRAM SECONDS [PLAYLIST]
set -eu
program=$1
seconds=$2
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-run-XXXXXX")
trap 'rm -rf "$home"' EXIT

status=0
# No session bus: the program must run alone without one.
VARLO_HOME=$home/program XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home \
  DBUS_SESSION_BUS_ADDRESS=unix:path=$home/no-bus \
  QT_QPA_PLATFORM=offscreen \
  timeout --preserve-status -k 10 -s TERM "$seconds" "$program" ${3:+"$3"} || status=$?
if [ "$status" -ne 0 ]; then
  echo "varlo ended with status $status" >&2
  exit 1
fi
for written in "$home/config/varlo/varlo.ini" "$home/program/playlist.m3u"; do
  if [ ! -f "$written" ]; then
    echo "varlo did not write $written" >&2
    exit 1
  fi
done
echo "varlo ran for $seconds s and quit cleanly"
