#!/usr/bin/env bash
# Installs the Debian 12 packages the console needs to build, run and test.
# Only what is missing is installed, so a second run costs next to nothing.
set -euo pipefail
packages=(
  qt6-base-dev qt6-serialport-dev libqt6serialport6 libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev cmake ninja-build g++ clang libclang-rt-14-dev
  socat xvfb xauth fonts-dejavu-core poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
