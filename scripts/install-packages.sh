#!/usr/bin/env bash
# scripts/install-packages.sh PACKAGE...: installs the Debian packages that are missing, with
# apt-get when run as root; otherwise prints the apt-get line to run and exits 1.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
else
  echo "These packages are missing. Run this, then run the command again:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
