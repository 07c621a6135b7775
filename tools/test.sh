#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headlessly.
# CURAVANT_QT=5 or 6 builds with that Qt (tools/setup.sh installs it); without
# it, with the Qt that SoQt is built with.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCURAVANT_WERROR=ON -DCURAVANT_QT="${CURAVANT_QT:-}"
cmake --build build -j"$(nproc)"
cd build
# Arguments go to ctest; without them every test runs but sway's, which
# tools/test-sway.sh runs.
[ $# -gt 0 ] || set -- -LE sway
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
