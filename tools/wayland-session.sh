#!/usr/bin/env bash
# Runs one command in a headless Wayland desktop session of its own, with
# XWayland, on a private runtime folder and session bus, with what such a
# session sets for its programs:
#   mutter  GNOME's compositor, with a virtual monitor
#   sway    a wlroots compositor (it refuses root: as root, the command runs
#           as the throw-away user curavant-session)
# The command's own X11 clients (tests, tools) run through XWayland as well
# (QT_QPA_PLATFORM=xcb; a test removes it for the game). No mouse reaches a
# headless compositor: curavant-pointer, and the tests through
# CURAVANT_SESSION_POINTER, drive its pointer.
# Usage: wayland-session.sh mutter|sway COMMAND [ARGUMENT...]
set -u
kind=${1:-}
shift || true
case "$kind" in mutter | sway) ;; *) echo "usage: $0 mutter|sway COMMAND..." >&2; exit 2 ;; esac
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
# XWayland will not start beside a socket folder that others cannot write
# (an X server started by root may leave it so).
if [ -d /tmp/.X11-unix ] && [ -O /tmp/.X11-unix ]; then chmod 1777 /tmp/.X11-unix; fi
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland LIBGL_ALWAYS_SOFTWARE=1
export SESSION_KIND=$kind

as_user=()
if [ "$kind" = sway ] && [ "$(id -u)" -eq 0 ]; then
  id curavant-session >/dev/null 2>&1 || useradd --system --no-create-home curavant-session
  chown curavant-session "$runtime"
  as_user=(runuser -u curavant-session --)
fi
chmod 700 "$runtime"

exec "${as_user[@]}" dbus-run-session -- bash -c '
  log=$XDG_RUNTIME_DIR/compositor.log
  wayland=curavant-$$
  if [ "$SESSION_KIND" = mutter ]; then
    export XDG_CURRENT_DESKTOP=GNOME CURAVANT_SESSION_POINTER=mutter
    mutter --headless --wayland --virtual-monitor 1280x800 --wayland-display="$wayland" >"$log" 2>&1 &
  else
    export XDG_CURRENT_DESKTOP=sway CURAVANT_SESSION_POINTER=wlroots
    export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
    printf "%s\n" "output * resolution 1280x800" "xwayland force" \
      "exec echo \"Using public X11 display \$DISPLAY on \$WAYLAND_DISPLAY\" >>$log" \
      >"$XDG_RUNTIME_DIR/sway.conf"
    sway --config "$XDG_RUNTIME_DIR/sway.conf" >>"$log" 2>&1 &
  fi
  compositor=$!
  for _ in $(seq 300); do
    display=$(sed -n "s/.*Using public X11 display \(:[0-9]*\).*/\1/p" "$log" | head -n 1)
    named=$(sed -n "s/.*Using public X11 display :[0-9]* on \(.*\)/\1/p" "$log" | head -n 1)
    wayland=${named:-$wayland}
    [ -n "$display" ] && [ -S "$XDG_RUNTIME_DIR/$wayland" ] && break
    sleep 0.1
  done
  if [ -z "$display" ]; then
    echo "wayland-session.sh: $SESSION_KIND did not start:" >&2
    cat "$log" >&2
    kill $compositor 2>/dev/null
    exit 1
  fi
  export DISPLAY=$display WAYLAND_DISPLAY=$wayland QT_QPA_PLATFORM=xcb
  auth=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
  [ -n "$auth" ] && export XAUTHORITY=$auth
  "$@"
  status=$?
  kill $compositor 2>/dev/null
  wait $compositor 2>/dev/null
  exit $status
' wayland-session "$@"
