#!/usr/bin/env bash
# Builds everything and runs every test (benchmarks excluded).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
cd build && ctest -LE bench --output-on-failure -j2
