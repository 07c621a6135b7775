#!/usr/bin/env bash
# Builds curavant-datagen and regenerates the pictures and sounds in data/.
# Usage: tools/make-data.sh [BUILD_DIR]   (default: build)
# Commit the result: the game and the tests read the files from data/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target curavant-datagen -j"$(nproc)"
"$build/tools/datagen/curavant-datagen" data
