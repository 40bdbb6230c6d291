#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh [release|asan|fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
jobs=$(nproc)
case "$flavour" in
  release)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$jobs" ;;
  asan)
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVKX_SANITIZE=ON -DVKX_BENCH=OFF >/dev/null
    cmake --build build-asan -j"$jobs" ;;
  fuzz)
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVKX_FUZZ=ON -DVKX_WITH_QT=OFF -DVKX_BENCH=OFF >/dev/null
    cmake --build build-fuzz -j"$jobs" ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac
