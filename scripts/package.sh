#!/usr/bin/env bash
# Builds the Debian package: a Release build of the programs (no tests) in build/release,
# packed by CPack into build/skedwise_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j2
cd build/release
cpack -G DEB -B "$PWD/.."
