#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the engine, runtime and
# form-model tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
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

if [ -x scripts/smoke.sh ]; then
  bash scripts/smoke.sh build
fi
echo "All tests passed."
