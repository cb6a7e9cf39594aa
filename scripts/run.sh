#!/usr/bin/env bash
# Builds the program with its sample data set and starts it from its installation directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build/install
exec ./Frelane "$@"
