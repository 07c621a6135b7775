#!/usr/bin/env bash
# Makes the README's example course report: a course of eight games of 240
# steps (eight minutes) recorded with the game's own recorder and scenario
# (curavant-coursegen, the same files every time), reported by curavant-sim
# --report, and its first page rendered by pdftoppm: docs/report-example.png.
# Usage: tools/make-report-example.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target curavant-sim curavant-coursegen -j2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/records"
"$build/bench/curavant-coursegen" "$scratch/records" 8 240
sim="$(cd "$build" && pwd)/curavant-sim"
(cd "$scratch" && "$sim" --report course.pdf records)
pdftoppm -r 110 -f 1 -l 1 -singlefile -png "$scratch/course.pdf" docs/report-example
ls -l docs/report-example.png
