#!/usr/bin/env bash
# Runs a command inside a private X display (Xvfb with the openbox window
# manager) and a fresh Wine prefix created under the ja_JP locale.
#   usage: wine-session.sh <state-dir> <command> [args...]
# The state dir keeps the prefix and the X logs. Several sessions may run at
# once: each takes a free display number. Every Wine process is ended when the
# command returns; the command's exit code is the script's.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

state=$(mkdir -p "$1" && cd "$1" && pwd); shift
export WINEPREFIX="$state/wineprefix"

xvfb_pid=; openbox_pid=
cleanup() {
  "${JA_ENV[@]}" wineserver -k >/dev/null 2>&1
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_display() {
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=   # lost a race for this number: try the next
  done
  echo "wine-session: no free X display" >&2
  return 1
}

start_display || exit 1
openbox --sm-disable >"$state/openbox.log" 2>&1 &
openbox_pid=$!
# The desktop keeps up with what it is asked, as a user's does, also when
# other work keeps the machine busy: Wine waits for the window manager each
# time a window is shown, hidden or destroyed (up to 2 s), and a starved
# X server or window manager would make the host's queue wait as long for
# reasons that are neither the host's nor the agent's. (Raising a priority
# needs root; without it they run as they are.)
renice -n -5 -p "$xvfb_pid" "$openbox_pid" >/dev/null 2>&1 || true
echo "wine-session: display $DISPLAY, prefix $WINEPREFIX" >&2
wine_new_prefix || { echo "wine-session: wineboot failed" >&2; exit 1; }

"${JA_ENV[@]}" "$@"
