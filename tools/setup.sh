#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages Curavant needs to build, run and test.
# Idempotent: when everything is there it only asks dpkg and returns.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config
  # the game's libraries
  qtbase5-dev libqt5opengl5-dev libcoin-dev libsoqt520-dev
  libopenal-dev libalut-dev libgl1-mesa-dri libglu1-mesa-dev
  # the data generator's sound files
  libsndfile1-dev
  # the German locale, in which the tests check that numbers stay the same
  locales
  # fonts the interface and the generated pictures use
  fontconfig fonts-dejavu-core fonts-liberation2
  # tests and benchmarks
  libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils python3 valgrind
  # the course report's tests read its PDF as a person would (pdftotext, pdftoppm)
  poppler-utils
  # the Wayland desktops the game is tested on (GNOME's mutter, sway), with
  # the Qt Wayland platform that users get through libqt5gui5's recommends
  mutter sway xwayland qtwayland5 dbus libwayland-dev libxi-dev
  # packaging
  dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a | grep -qix 'de_DE.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $sudo sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi
