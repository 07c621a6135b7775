#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the build
# directory, where it finds its data through ../data/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
cd build
exec ./curavant "$@"
