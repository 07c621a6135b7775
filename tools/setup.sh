#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages Curavant needs to build, run and test.
# Idempotent: when everything is there it only asks dpkg and returns.
# The game is built with Qt 6 where Debian has SoQt's Qt 6 build (Debian 13
# and later), else with Qt 5 (Debian 12); CURAVANT_QT=5 or 6 chooses. The two
# SoQt builds cannot be installed together: choosing one removes the other.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

qt=${CURAVANT_QT:-}
# Debian 12 has SoQt's Qt 5 build only.
grep -qx 'VERSION_CODENAME=bookworm' /etc/os-release && qt=${qt:-5}
if [ -z "$qt" ]; then
  # Without package lists apt does not know the Qt 6 build even where it exists.
  ls /var/lib/apt/lists/*_Packages >/dev/null 2>&1 || $sudo apt-get update -q
  if apt-cache show libsoqt620-dev >/dev/null 2>&1; then qt=6; else qt=5; fi
fi
case $qt in
  5) qt_packages=(qtbase5-dev libqt5opengl5-dev libsoqt520-dev qtwayland5) ;;
  6) qt_packages=(qt6-base-dev libsoqt620-dev qt6-wayland) ;;
  *) echo "setup.sh: CURAVANT_QT is '$qt': it must be 5 or 6" >&2; exit 2 ;;
esac

packages=(
  # build
  cmake g++ make pkg-config
  # the game's libraries; with Qt the Qt Wayland platform that users get
  # through the Qt GUI library's recommends
  "${qt_packages[@]}" libcoin-dev
  libopenal-dev libalut-dev libgl1-mesa-dri libglu1-mesa-dev
  # scenario files (TOML), read header-only
  libtomlplusplus-dev
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
  # the Wayland desktops the game is tested on (GNOME's mutter, sway)
  mutter sway xwayland dbus libwayland-dev libxi-dev
  # packaging
  dpkg-dev file lintian
  # the learning record store the tests send to (tools/lrs/, never shipped)
  nodejs openssl
)
# Debian's npm, unless the Node.js installed brings its own (NodeSource's does).
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
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

# The learning record store of the tests: Learning Locker's statement service
# from npm, as tools/lrs/package-lock.json pins it, in a cache folder outside
# the source tree (CURAVANT_LRS_DIR; the build's CMake cache names it too).
# installed.json, a copy of the lock file, says a whole install is there.
lrs_dir=${CURAVANT_LRS_DIR:-/var/cache/curavant-lrs}
lrs_source="$(cd "$(dirname "$0")" && pwd)/lrs"
if ! cmp -s "$lrs_source/package-lock.json" "$lrs_dir/installed.json"; then
  echo "Installing the test LRS into $lrs_dir"
  $sudo mkdir -p "$lrs_dir"
  $sudo chown "$(id -u):$(id -g)" "$lrs_dir"
  rm -f "$lrs_dir/installed.json"
  cp "$lrs_source/package.json" "$lrs_source/package-lock.json" "$lrs_dir/"
  (cd "$lrs_dir" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  cp "$lrs_source/package-lock.json" "$lrs_dir/installed.json"
fi
