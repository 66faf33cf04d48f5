#!/bin/sh
# The real window under a virtual X server: its title, its class (the desktop entries' StartupWMClass), its
# icon and its size (the largest whole scale of 640 x 480 that fits a 1920 x 1080 screen: two).
# Usage: window_look.sh PROGRAM HOME. Exits 77 (skipped) without xvfb-run, xdotool or xprop.
set -u
if [ "${1:-}" != "--inside" ]; then
  for tool in xvfb-run xdotool xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
  done
  exec xvfb-run -a -s "-screen 0 1920x1080x24" sh "$0" --inside "$@"
fi
program=$2
home=$3
rm -rf "$home"
# X's own libraries keep memory to the end of the process; the leak check belongs to the other tests.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" SDL_AUDIODRIVER=dummy "$program" --home "$home" --frames 120 --lockstep &
pid=$!
win=$(timeout 60 xdotool search --sync --name "Orv Zelph II" | head -n 1)
status=0
if [ -z "$win" ]; then
  echo "no window appeared"
  status=1
else
  props=$(xprop -id "$win" WM_NAME WM_CLASS _NET_WM_ICON | head -n 3)
  geometry=$(xdotool getwindowgeometry "$win")
  echo "$props"
  echo "$geometry"
  echo "$props" | grep -q 'WM_NAME(STRING) = "Orv Zelph II v1.1 VGA"' || { echo "wrong title"; status=1; }
  echo "$props" | grep -q 'WM_CLASS(STRING) = "zelph-vga"' || { echo "wrong class"; status=1; }
  echo "$props" | grep -q 'Icon (48 x 48)' || { echo "no 48 x 48 icon"; status=1; }
  echo "$geometry" | grep -q 'Geometry: 1280x960' || { echo "not twice the picture"; status=1; }
fi
wait "$pid" || status=1
exit $status
