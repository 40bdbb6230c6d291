#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite, the suite
# again under ASan+UBSan, and each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${VKX_FUZZ_SECONDS:-20}
jobs=$(nproc)
start=$(date +%s)

scripts/install-deps.sh

echo "== build (warnings are errors)"
scripts/build.sh release
echo "== test suite"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== build under ASan+UBSan"
scripts/build.sh asan
echo "== test suite under ASan+UBSan"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
# Beside the suite (one process a test) and the fuzzing, the Qt tests run once
# more all in one process, their pictures apart: what a test leaves behind (a
# pending timer, a window) must not trip a later one.
qt_tests=build-asan/tests/vkx_qt_tests
one_process_log=build-asan/qt-tests-one-process.log
one_process=
# Whatever step fails first, the run in the background ends with the script.
trap '[ -z "$one_process" ] || kill "$one_process" 2>/dev/null || true' EXIT
if [ -x "$qt_tests" ]; then
  VKX_ARTIFACT_DIR=$PWD/build-asan/artifacts-one-process QT_QPA_PLATFORM=offscreen \
    "$qt_tests" >"$one_process_log" 2>&1 &
  one_process=$!
fi
(cd build-asan && ctest --output-on-failure -j"$jobs")

echo "== fuzz targets, ${fuzz_seconds} s each"
scripts/build.sh fuzz
for target in build-fuzz/tests/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds=tests/fuzz/corpus/${name#fuzz_}
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 "$corpus" 2>&1 | tail -n 2
  rm -rf "$corpus"
done

if [ -n "$one_process" ]; then
  echo "== the Qt tests in one process under ASan+UBSan"
  pid=$one_process one_process=  # waited for, so no longer the trap's
  if ! wait "$pid"; then
    tail -n 80 "$one_process_log"
    echo "== the Qt tests failed when run in one process"
    exit 1
  fi
  tail -n 1 "$one_process_log"
fi

echo "== all tests passed in $(( $(date +%s) - start )) s"
