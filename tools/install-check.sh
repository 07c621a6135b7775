#!/usr/bin/env bash
# Installs the package built in build/ the way users do, with apt and its
# recommended packages (Qt's Wayland platform comes with the Qt GUI library's), then
# starts the installed game from another folder in a headless GNOME Wayland
# session: its window must come up on XWayland with the logo, and the game
# must end after two closes. Run as root, after tools/test.sh; it changes the
# system (tools/test-in-debian.sh runs it in its throw-away Debian).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack --config build/CPackConfig.cmake -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$scratch"/curavant_*.deb
{ dpkg-query -W -f='${Status}\n' qtwayland5 qt6-wayland 2>/dev/null || true; } |
  grep -q 'ok installed' || echo "note: Qt's Wayland platform did not come with the recommends"

cd "$scratch"
tools=$repo/build
"$repo/tools/wayland-session.sh" mutter bash -c '
  env -u QT_QPA_PLATFORM /usr/games/curavant >game.out 2>game.err &
  game=$!
  "$0/curavant-probe" wait /usr/share/curavant/logo.png --timeout 60 || { cat game.err; exit 1; }
  "$0/curavant-probe" close
  sleep 3
  "$0/curavant-probe" close
  wait $game
' "$tools"
echo "the installed game came up on a GNOME Wayland session and ended cleanly"
