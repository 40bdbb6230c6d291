#!/usr/bin/env bash
# Line coverage of src/ by the whole suite: builds an instrumented copy with
# clang in build-cov, runs every test, and prints llvm-cov's report (the
# TOTAL line gives the figure). The HTML report goes to build-cov/coverage/.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${VKX_JOBS:-$(nproc)}

scripts/install-deps.sh
if ! command -v llvm-profdata-14 >/dev/null 2>&1; then
  [ "$(id -u)" -eq 0 ] || { echo "llvm-14 is missing (run as root to install it)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends llvm-14
fi

CC=clang CXX=clang++ cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVKX_COVERAGE=ON -DVKX_BENCH=OFF -DVKX_WERROR=OFF >/dev/null
cmake --build build-cov -j"$jobs"

profiles=$PWD/build-cov/profiles
rm -rf "$profiles" && mkdir -p "$profiles"
# Every process the tests start (the console, the simulator) writes its own
# profile; %m keeps one file per binary and merges runs of the same binary.
(cd build-cov && LLVM_PROFILE_FILE="$profiles/%p-%m.profraw" ctest -j"$jobs" --output-on-failure) || true
llvm-profdata-14 merge -sparse "$profiles"/*.profraw -o build-cov/coverage.profdata

binaries=()
for b in build-cov/tests/vkx_tests build-cov/tests/vkx_qt_tests build-cov/tests/vkx_e2e_tests \
         build-cov/vkx4700 build-cov/vkx-sim; do
  [ -x "$b" ] && binaries+=(-object "$b")
done
# The first -object is positional for llvm-cov.
first=${binaries[1]}
rest=("${binaries[@]:2}")
filter=(-ignore-filename-regex='(tests|tools|bench|build-cov)/|/usr/')
llvm-cov-14 report "$first" "${rest[@]}" -instr-profile=build-cov/coverage.profdata "${filter[@]}" \
  "$PWD/src" | tail -n 3
llvm-cov-14 show "$first" "${rest[@]}" -instr-profile=build-cov/coverage.profdata "${filter[@]}" \
  -format=html -output-dir=build-cov/coverage "$PWD/src" >/dev/null
echo "HTML report: build-cov/coverage/index.html"
