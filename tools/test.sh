#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headlessly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCURAVANT_WERROR=ON
cmake --build build -j"$(nproc)"
cd build
# Arguments go to ctest; without them every test runs but sway's, which
# tools/test-sway.sh runs.
[ $# -gt 0 ] || set -- -LE sway
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
