#!/usr/bin/env bash
# Runs one command on a fresh Xvfb server of its own (XVFB_SCREEN sets its
# size), so that parallel tests never share a screen, pointer or keyboard.
set -u
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r -t 20 display <"$fifo"
rm -f "$fifo"
if [ -z "${display:-}" ]; then
  echo "xvfb-run.sh: Xvfb did not start" >&2
  kill "$xvfb" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
# A plain X11 session, even when the tests are started from a Wayland desktop.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
export LIBGL_ALWAYS_SOFTWARE=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
