#!/usr/bin/env bash
# Builds curavant-readmeshots and photographs the game on a private Xvfb
# display for the README: docs/screenshot-{idle,game,spray,shock}.png. Then
# plays a real game by X input with recording on (the end-to-end play test,
# with a minute more of play) and keeps its course: docs/debrief-example.png.
# Usage: tools/make-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target curavant-readmeshots e2e_play_test -j"$(nproc)"
shots="$(cd "$build" && pwd)/tools/readmeshots/curavant-readmeshots"
(cd "$build/testroot/build" &&
  CURAVANT_DEBRIEF_PICTURE="$source_dir/docs/debrief-example.png" \
    "$source_dir/tests/xvfb-run.sh" ../../tests/e2e/e2e_play_test --gtest_filter='Play.*' >/dev/null)

# The game reads ../data/: run it from a scratch folder beside a link to data/.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
ln -s "$source_dir/data" "$scratch/data"
mkdir "$scratch/run"
cd "$scratch/run"
"$source_dir/tests/xvfb-run.sh" "$shots" "$source_dir/docs" >/dev/null
ls -l "$source_dir"/docs/screenshot-*.png "$source_dir"/docs/debrief-example.png
