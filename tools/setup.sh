#!/usr/bin/env bash
# Installs the Debian 12 packages Curavant needs to build, run and test.
# Idempotent: when everything is there it only asks dpkg and returns.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config
  # the game's libraries
  qtbase5-dev libqt5opengl5-dev libcoin-dev libsoqt520-dev
  libopenal-dev libalut-dev libgl1-mesa-dri libglu1-mesa-dev
  # fonts the interface and the generated pictures use
  fontconfig fonts-dejavu-core fonts-liberation2
  # tests and benchmarks
  libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils python3 valgrind
  # packaging
  dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
