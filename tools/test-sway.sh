#!/usr/bin/env bash
# Builds as tools/test.sh does and plays the game on a headless sway desktop
# (a wlroots compositor), by the compositor's pointer. sway will not run as
# root: as root, the test runs as the throw-away user curavant-session, which
# must be able to read the build folder.
exec bash "$(dirname "$0")/test.sh" -L sway
