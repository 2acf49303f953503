#!/bin/sh
# `cmake --install` into a fresh prefix: the programs, the tuner library, the shipped data, the
# desktop entry and the icon land in their freedesktop places, and the installed program starts
# (under Xvfb when there is one, else on Qt's offscreen platform), finds its data relative to
# its own executable, and quits cleanly on SIGTERM.
# Usage: install_and_run.sh BUILD_DIR
set -eu
build=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/varlo-install-XXXXXX")
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
prefix=$tmp/prefix

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"

fail() {
  echo "$*" >&2
  exit 1
}
for f in bin/varlo bin/VarloSS bin/halvern-tool lib/libhalvern.so lib/libvarlo_tags.so lib/libvarlo_browser.so \
  lib/libvarlo_print.so lib/libvarlo_serial.so lib/libvarlo_http.so lib/libvarlo_cdio.so \
  share/applications/varlo.desktop share/icons/hicolor/scalable/apps/varlo.svg \
  share/varlo/default.skin; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
grep -q '^Exec=varlo %F$' "$prefix/share/applications/varlo.desktop" || fail "no Exec line"
grep -q '^MimeType=.*audio/mpeg;.*audio/x-mpegurl;' "$prefix/share/applications/varlo.desktop" ||
  fail "the desktop entry lacks the audio and playlist types"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/varlo.desktop"
fi
# The tool finds the library beside it in the prefix (it only lists the cards here).
"$prefix/bin/halvern-tool" >/dev/null 2>&1 || [ $? -ne 127 ] || fail "halvern-tool does not run"

platform=offscreen
if command -v Xvfb >/dev/null; then
  # The server picks a free display and writes its number.
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$tmp/display" 2>/dev/null &
  xvfb=$!
  i=0
  while [ ! -s "$tmp/display" ] && [ $i -lt 50 ]; do
    i=$((i + 1))
    sleep 0.1
  done
  if [ -s "$tmp/display" ]; then
    DISPLAY=:$(cat "$tmp/display")
    export DISPLAY
    platform=xcb
  fi
fi

status=0
# Started from elsewhere, with no data folder named: the data must come from the prefix.
(cd / && env -u VARLO_DATA_DIR VARLO_HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" \
  XDG_RUNTIME_DIR="$tmp" DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/no-bus" \
  QT_QPA_PLATFORM=$platform \
  timeout --preserve-status -k 10 -s TERM 4 "$prefix/bin/varlo") || status=$?
[ "$status" -eq 0 ] || fail "the installed varlo ended with status $status"
[ -f "$tmp/home/default.skin" ] || fail "the installed varlo did not find its shipped data"
[ -f "$tmp/config/varlo/varlo.ini" ] || fail "the installed varlo wrote no settings"
echo "installed into $prefix and ran on $platform"
