#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the build
# directory, where it finds its data through ../data/. CURAVANT_QT=5 or 6
# builds with that Qt, as in tools/test.sh; without it, with SoQt's, whatever
# an earlier build chose.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCURAVANT_QT="${CURAVANT_QT:-}"
cmake --build build -j"$(nproc)"
cd build
exec ./curavant "$@"
