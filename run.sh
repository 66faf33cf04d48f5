#!/usr/bin/env bash
# Sets up, builds and starts the game. ./run.sh [--qvga] [game options...]
set -euo pipefail
cd "$(dirname "$0")"

program=zelph-vga
if [ "${1:-}" = "--qvga" ]; then
  program=zelph-qvga
  shift
fi

scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build --target "$program" >&2
exec "build/$program" "$@"
