#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the engine, runtime and
# form-model tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then 30
# seconds of the rating driver's fuzzer when clang is there. The Qt binding's own tests, and
# the program's lists scrolled with a screen reader listening, run under the sanitizers too,
# in a build of those tests alone (offscreen, no display or bus: their screen reader turns
# Qt's accessibility on in the process).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFRELANE_SANITIZE=ON \
  -DFRELANE_BUILD_APP=OFF -DFRELANE_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build-asan-qt -DCMAKE_BUILD_TYPE=Debug -DFRELANE_SANITIZE=ON \
  -DFRELANE_BUILD_BENCH=OFF
cmake --build build-asan-qt -j"$jobs" --target qt_tests frelane_settings_qt_tests \
  frelane_window_layout_tests
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
(cd build-asan-qt/platform/qt && ./qt_tests)
# The program's own lists, scrolled with the screen reader listening.
(cd build-asan-qt/frelane/app && ./frelane_settings_qt_tests --gtest_filter='*DiscountList*' &&
  ./frelane_window_layout_tests --gtest_filter='*ScreenReader*')
unset QT_QPA_PLATFORM ASAN_OPTIONS UBSAN_OPTIONS

# The libFuzzer harness of the rating driver, for a bounded run, where clang is installed.
if command -v clang++ >/dev/null 2>&1; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFRELANE_FUZZ=ON -DFRELANE_BUILD_APP=OFF -DFRELANE_BUILD_BENCH=OFF
  cmake --build build-fuzz -j"$jobs" --target shipment_fuzzer
  UBSAN_OPTIONS=print_stacktrace=1 \
    build-fuzz/tolv32dll/driver/shipment_fuzzer -max_total_time=30 -print_final_stats=1
fi

if [ -x scripts/smoke.sh ]; then
  bash scripts/smoke.sh build
fi
echo "All tests passed."
