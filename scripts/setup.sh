#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the build needs (when run as root) and
# configures a build tree. Usage: scripts/setup.sh BUILD_DIR [cmake options...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libxmp-dev libpng-dev zlib1g-dev libmd-dev
  libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  desktop-file-utils appstream xvfb xauth xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

build_dir=$1
shift
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja "$@"
fi
