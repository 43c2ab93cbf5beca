#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, then configures and builds.
# Usage: scripts/setup.sh [BUILD_DIR [extra cmake options...]]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libncurses-dev libspeechd-dev tmux edict afl++)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
  else
    echo "These packages are missing. Run this, then run the command again:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
