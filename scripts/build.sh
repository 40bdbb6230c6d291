#!/usr/bin/env bash
# Configures and builds one flavour of the project.
#   scripts/build.sh [release|asan|fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
jobs=${VKX_JOBS:-$(nproc)}
# A compiler cache, when the machine has one, makes rebuilds of other
# checkouts of the same tree cheap; paths are kept relative to the tree.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=$PWD
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
case "$flavour" in
  release)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    cmake --build build -j"$jobs" ;;
  asan)
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVKX_SANITIZE=ON -DVKX_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build build-asan -j"$jobs" ;;
  fuzz)
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVKX_FUZZ=ON -DVKX_WITH_QT=OFF -DVKX_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build build-fuzz -j"$jobs" ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac
