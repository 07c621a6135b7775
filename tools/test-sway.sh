#!/usr/bin/env bash
# Builds as tools/test.sh does and plays the game on a headless sway desktop
# (a wlroots compositor), by the compositor's pointer. sway will not run as
# root: as root, the test runs as the throw-away user curavant-session, which
# must be able to read the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCURAVANT_WERROR=ON
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure --timeout 300 -L sway
