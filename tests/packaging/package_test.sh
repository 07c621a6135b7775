#!/usr/bin/env bash
# Builds the Debian package, checks it, unpacks it into a scratch root and
# starts the installed game there: its window must show the logo and quit
# after two closes.
# Usage: package_test.sh BUILD_DIR CURAVANT_PROBE XVFB_RUN
set -euo pipefail
build=$1
probe=$2
xvfb=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# -- the package -----------------------------------------------------------
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  fail "cpack did not build the package"
fi
debs=("$scratch"/out/curavant_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one curavant_*.deb, found: ${debs[*]}"
deb=${debs[0]}
dpkg-deb --info "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = curavant ] || fail "package name"
[ -n "$(field Version)" ] || fail "no version"
[ "$(field Section)" = games ] || fail "section"
field Maintainer | grep -q '@' || fail "no maintainer address"
[ "$(field Description | wc -l)" -ge 2 ] || fail "no long description"

# Debian's own checker: no errors, no warnings.
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with the package"

# -- what it installs --------------------------------------------------------
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
# Depends names every package that holds a library the binaries link, as
# dpkg-shlibdeps finds them on this system, and the Mesa driver OpenGL needs.
depends=$(field Depends)
mkdir -p "$scratch/shlibs/debian"
touch "$scratch/shlibs/debian/control"
linked=$(cd "$scratch/shlibs" && dpkg-shlibdeps -O "$root/usr/lib/curavant/bin/curavant" \
  "$root/usr/games/curavant-sim" 2>"$scratch/shlibs.log" | sed -n 's/^shlibs:Depends=//p' | tr -d ' ' | tr ',|' '\n\n')
for needed in $(sed 's/(.*//' <<<"$linked") libgl1-mesa-dri; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
apt-get --simulate install "$deb" >"$scratch/apt.log" 2>&1 ||
  fail "the package would not install here: $(cat "$scratch/apt.log")"
for file in usr/games/curavant usr/games/curavant-sim usr/lib/curavant/bin/curavant; do
  [ -x "$root/$file" ] || fail "$file is missing or not executable"
done
for file in scene002.iv logo.png ekg1.bmp ekg2.bmp Icons/naehen.bmp Sound/beep.wav \
  scenarios/fraktur.toml scenarios/erste-stunde.toml scenarios/pruefung.toml scenarios/schwer.toml \
  Sound/alarm.wav Sound/atmosphere2.wav; do
  [ -f "$root/usr/lib/curavant/data/$file" ] || fail "data/$file is missing beside the game"
done
desktop="$root/usr/share/applications/curavant.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in 'Type=Application' 'Exec=curavant' 'Icon=curavant' 'Terminal=false'; do
  grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
grep -q '^Categories=.*Game;' "$desktop" || fail "desktop entry is not in the Game category"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
fi
for size in 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/curavant.png"
  file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
    fail "icon ${size}x${size}: $(file "$icon")"
done
if dpkg-deb --contents "$deb" | grep -E 'testroot|_test|_bench|\.a$'; then
  fail "the package carries build or test files"
fi

# -- the installed game --------------------------------------------------------
# Through a link from another folder: the launcher must still find ../data/,
# and a relative record folder counts from here (one game, from the menu).
mkdir "$scratch/elsewhere"
ln -s "$root/usr/games/curavant" "$scratch/elsewhere/start-curavant"
cd "$scratch/elsewhere"
"$xvfb" bash -c '
  CURAVANT_RECORD_DIR=records ./start-curavant >game.log 2>&1 &
  game=$!
  "$1" wait "$2" --timeout 60 --shot shot.png
  seen=$?
  xdotool search --class curavant mousemove --window %1 20 10 click 1 sleep 1 key Down Return
  for _ in $(seq 50); do ls records/*.csv >/dev/null 2>&1 && break; sleep 0.2; done
  for _ in $(seq 100); do
    kill -0 $game 2>/dev/null || break
    "$1" close
    sleep 0.2
  done
  if kill -0 $game 2>/dev/null; then
    echo "the game did not quit after being closed twice" >&2
    kill -9 $game
    exit 1
  fi
  wait $game
  status=$?
  echo "game exit status: $status"
  [ $seen -eq 0 ] && [ $status -eq 0 ]
' _ "$probe" "$root/usr/share/curavant/logo.png" || {
  cat game.log
  fail "the installed game did not come up, or did not quit cleanly"
}
file shot.png | grep -q "PNG image data, 1000 x 600" || fail "window picture: $(file shot.png)"
ls records/curavant-*.png >/dev/null && [ -z "$(find "$root" -name 'curavant-*.csv')" ] ||
  fail "the game was not recorded in the folder it was started from: $(ls -R records)"
if grep -q "File not found\|Problem reading file" game.log; then
  cat game.log
  fail "the installed game did not find its room"
fi

# A scenario file named by a relative path counts from where the player is; a
# missing one is named in one line, with status 2, before any window opens.
for way in option equals variable; do
  status=0
  case $way in
  option) ./start-curavant -name x --scenario missing.toml 2>scenario.log || status=$? ;;
  equals) ./start-curavant --scenario=missing.toml 2>scenario.log || status=$? ;;
  variable) CURAVANT_SCENARIO=missing.toml ./start-curavant 2>scenario.log || status=$? ;;
  esac
  [ $status -eq 2 ] && [ "$(wc -l <scenario.log)" -eq 1 ] &&
    grep -q "^$PWD/missing.toml:" scenario.log ||
    fail "scenario by $way: status $status, $(cat scenario.log)"
done
echo "package test passed"
