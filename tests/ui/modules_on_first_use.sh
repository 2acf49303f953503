#!/bin/sh
# The libraries of printing (Qt Print Support, CUPS), the serial port (Qt Serial Port), the
# network (Qt Network) and the CD drive (the CD plugin) are mapped only once a mode uses them:
# a start that plays a file, and prints, opens no port and looks nothing up, has none of them
# in /proc/PID/maps while it plays. Nor is TagLib, which looked into the file as it started. Libraries the media engine links itself (libmpv's own
# libcdio, for one) are left out of the check. With "ExEnable=1" the serial port's are mapped,
# which shows that the check sees a plugin once it is loaded.
# Usage: modules_on_first_use.sh PROGRAM
set -eu
program=$1
home=$(mktemp -d "${TMPDIR:-/tmp}/varlo-modules-XXXXXX")
pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$home" DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus"
export QT_QPA_PLATFORM=offscreen
python3 -c "
import math, struct, sys, wave
with wave.open(sys.argv[1], 'wb') as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
    w.writeframes(b''.join(struct.pack('<h', int(8000 * math.sin(i / 8.0))) for i in range(22050 * 20)))
" "$home/tone.wav"

mapped() { awk '{ print $6 }' "/proc/$1/maps" 2>/dev/null | grep -F "/$2" | head -n 1; }

# Starts the program with the settings $1 in a folder of its own, waits until the media engine
# plays, and leaves its pid in $pid.
start() {
  dir=$home/run$2
  mkdir -p "$dir/config/varlo"
  printf '[config]\nAutoPlay=1\n%s' "$1" >"$dir/config/varlo/varlo.ini"
  VARLO_HOME=$dir/program XDG_CONFIG_HOME=$dir/config "$program" "$home/tone.wav" \
    2>>"$home/log" &
  pid=$!
  i=0
  until [ -n "$(mapped "$pid" libmpv.so)" ]; do
    i=$((i + 1))
    [ $i -lt 400 ] || { echo "the media engine never loaded" >&2; cat "$home/log" >&2; exit 1; }
    kill -0 "$pid" || { echo "the program ended" >&2; cat "$home/log" >&2; exit 1; }
    sleep 0.05
  done
  sleep 1
}
stop() {
  kill -TERM "$pid"
  wait "$pid" || { echo "the program did not quit cleanly" >&2; exit 1; }
  pid=""
}

start "" 1
engine=$(mapped "$pid" libmpv.so)
engine_needs=$(ldd "$engine" | awk '{ print $1 }')
status=0
for lib in libQt6PrintSupport.so libcups.so libQt6SerialPort.so libQt6Network.so \
  libgssapi_krb5.so libkrb5.so libcdio.so libvarlo_print.so libvarlo_serial.so \
  libvarlo_http.so libvarlo_cdio.so; do
  if echo "$engine_needs" | grep -q "^$lib"; then
    echo "($lib comes with the media engine: not checked)"
    continue
  fi
  if [ -n "$(mapped "$pid" "$lib")" ]; then
    echo "mapped without being used: $(mapped "$pid" "$lib")" >&2
    status=1
  fi
done
# TagLib is loaded to look into the file when it starts playing, and unloaded once that is done.
for lib in libtag.so libvarlo_tags.so; do
  if [ -n "$(mapped "$pid" "$lib")" ]; then
    echo "still mapped after the file was looked into: $(mapped "$pid" "$lib")" >&2
    status=1
  fi
done
stop
[ $status -eq 0 ] || exit 1

# The serial display's first text loads the serial port's plugin and its library.
start "ExEnable=1
ExDevice=$home/no-such-port
" 2
for lib in libvarlo_serial.so libQt6SerialPort.so; do
  [ -n "$(mapped "$pid" "$lib")" ] || { echo "not mapped after the first text: $lib" >&2; exit 1; }
done
stop
echo "printing, serial port, network, CD drive and TagLib are mapped only while used"
