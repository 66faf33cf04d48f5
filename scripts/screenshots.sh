#!/usr/bin/env bash
# Regenerates the README's screenshots with the built game: the main menu (docs/main-menu.png) and a level
# in play (docs/level.png), from a reproducible headless run of docs/screenshots.script.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/zelph-vga" --headless --lockstep --seed 2 --frames 300 \
  --home "$home" --data "$build/data/vga" --input docs/screenshots.script \
  --screenshot 160:docs/main-menu.png --screenshot 300:docs/level.png
echo "wrote docs/main-menu.png and docs/level.png"
