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

# Another package manager (the unattended upgrades of a freshly booted
# machine) may hold apt's locks. Rather than failing at once, say so and wait
# for it, up to LOCK_WAIT_SECONDS in all: apt itself waits for the dpkg lock
# (DPkg::Lock::Timeout), the lock of the package lists is tried again here.
LOCK_WAIT_SECONDS=300

apt_get() {
  local deadline=$((SECONDS + LOCK_WAIT_SECONDS)) timeout=0 errors status
  errors=$(mktemp)
  while true; do
    status=0
    apt-get -o DPkg::Lock::Timeout="$timeout" "$@" 2>"$errors" || status=$?
    if ((status == 0)) || ! grep -q "Could not get lock" "$errors" || ((SECONDS >= deadline)); then
      cat "$errors" >&2
      rm -f "$errors"
      return "$status"
    fi
    if ((timeout == 0)); then
      echo "Waiting up to $((deadline - SECONDS)) s for another package manager to finish:" \
        "$(grep -m1 "Could not get lock" "$errors" | sed 's/^E: //')"
    fi
    timeout=$((deadline - SECONDS))
    sleep 5
  done
}

if ((${#missing[@]})); then
  if [[ $(id -u) -eq 0 ]]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_get update -qq
    apt_get install -y -qq "${missing[@]}"
    echo "Installed: ${missing[*]}"
  else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi
