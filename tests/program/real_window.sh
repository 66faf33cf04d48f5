#!/bin/sh
# The game in a real window, as a person meets it: under a virtual X server the program starts without
# --headless, xdotool clicks New Game on the main menu and presses an arrow key, and the game's own dump and
# screenshot of a later frame must show a game in play with the head steered.
# Usage: real_window.sh PROGRAM DATA_DIR WORK_DIR. Exit 77 (skipped) when no X server can be started.
set -u
program=$1 data=$2 work=$3

skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is missing (scripts/setup.sh installs the xvfb package)"
command -v xdotool >/dev/null 2>&1 || skip "xdotool is missing (scripts/setup.sh installs it)"

rm -rf "$work"
mkdir -p "$work/home"

# Runs inside the X server. The game's screenshots of given frames double as its clock: the click waits for
# the main menu's buttons (frame 150), the arrow for the game to have begun (frame 300).
cat >"$work/inside.sh" <<'EOF'
set -u
program=$1 data=$2 work=$3
touch "$work/x-started"
# The X libraries a real window loads leave a few blocks at exit from modules already unloaded, which no
# suppression can name; the game's own leaks are checked by the headless runs. No sound card is needed.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" SDL_AUDIODRIVER=dummy "$program" --home "$work/home" --data "$data" --seed 2 --frames 600 \
  --screenshot 150:"$work/menu.png" --screenshot 300:"$work/started.png" --dump 300:"$work/started.txt" \
  --screenshot 450:"$work/play.png" --dump 450:"$work/play.txt" &
pid=$!
wait_for() {
  i=0
  while [ ! -s "$1" ]; do
    i=$((i + 1))
    if [ $i -gt 600 ] || ! kill -0 $pid 2>/dev/null; then
      echo "FAILED: $1 never appeared"
      kill $pid 2>/dev/null
      exit 1
    fi
    sleep 0.1
  done
}
wait_for "$work/menu.png"
window=$(xdotool search --pid $pid 2>/dev/null | tail -1)
[ -n "$window" ] || window=$(xdotool search --name "Zelph" 2>/dev/null | tail -1)
if [ -z "$window" ]; then
  echo "FAILED: the game's window was not found"
  kill $pid
  exit 1
fi
# The window may be scaled up to fit the screen: the button's point in the 640 x 480 picture is scaled too.
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window: ${WIDTH}x${HEIGHT}"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" $((320 * WIDTH / 640)) $((170 * HEIGHT / 480)) click 1
wait_for "$work/started.png"
xdotool key Up
wait_for "$work/play.txt"
wait $pid
EOF

xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/inside.sh" "$program" "$data" "$work"
status=$?
[ -f "$work/x-started" ] || skip "no X server could be started (xvfb-run ended with $status)"
[ $status -eq 0 ] || {
  echo "FAILED: the run ended with $status"
  exit 1
}

# In play: both dumps hold the cutting head (kind 5) on a level, and between them, after the arrow key, it
# moved to another cell.
head_cell() { grep '^object kind=5 ' "$1" | sed 's/.* cell=\([0-9]*,[0-9]*\) .*/\1/'; }
for dump in "$work/started.txt" "$work/play.txt"; do
  grep -q '^level [1-9]' "$dump" && [ -n "$(head_cell "$dump")" ] || {
    echo "FAILED: no game in play in $dump"
    exit 1
  }
done
echo "the head: $(head_cell "$work/started.txt") before the arrow key, $(head_cell "$work/play.txt") after it"
[ "$(head_cell "$work/started.txt")" != "$(head_cell "$work/play.txt")" ] || {
  echo "FAILED: the head did not move after the arrow key"
  exit 1
}
cmp -s "$work/menu.png" "$work/play.png" && {
  echo "FAILED: the screen did not change from the main menu"
  exit 1
}
echo "ok: New Game and the arrow key in the real window began play (see $work/play.png)"
