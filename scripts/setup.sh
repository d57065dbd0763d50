#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: make sure the Debian packages the
# build needs are present, installing them when we are root.
set -euo pipefail

REQUIRED_PACKAGES=(
  g++ cmake ninja-build pkg-config libzip-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-dejavu-core xvfb xauth
  openbox xdotool imagemagick at-spi2-core python3-pyatspi python3 dbus-daemon
  clang libclang-rt-14-dev
)

missing=()
for pkg in "${REQUIRED_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -eq 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
  else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi
