#!/usr/bin/env bash
# Builds everything, packs the build into the Debian package (build/skedwise_*.deb) and runs
# every test, the package's included (benchmarks excluded).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
cd build
cpack -G DEB >/dev/null
ctest -LE bench --output-on-failure -j2
