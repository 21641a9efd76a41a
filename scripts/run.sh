#!/usr/bin/env bash
# Installs what is missing, builds, and starts Skedwise from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
exec build/bin/skedwise
