#!/usr/bin/env bash
# `make run`: the stand-in host and the agent under Wine.
# With $DISPLAY set, they run on that display until the host is closed.
# Without it, they run on a private Xvfb for a few seconds and a screenshot is
# written to build/run/screenshot.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/win64/bin
out=$root/build/run
mkdir -p "$out"

if [ "${1:-}" = "--inside" ]; then
  # On a display, with WINEPREFIX set.
  . "$root/scripts/wine-env.sh"
  cd "$bin"
  if [ -f Sorvik.exe ]; then
    "${JA_ENV[@]}" wine64 Sorvik.exe >"$out/agent.out" 2>&1 &
    sleep 3
  fi
  "${JA_ENV[@]}" wine64 standin-host.exe --log "$(winepath -w "$out/standin-host.log" 2>/dev/null)" \
    --title-window 6000 >"$out/host.out" 2>&1 &
  host=$!
  if [ -n "${SORVIK_DEMO_SCREENSHOT:-}" ]; then
    sleep "${SORVIK_DEMO_SECONDS:-5}"
    import -window root "$SORVIK_DEMO_SCREENSHOT"
    echo "make run: screenshot written to $SORVIK_DEMO_SCREENSHOT"
  else
    echo "make run: running on $DISPLAY; close the stand-in host's main window to end"
    wait "$host"
  fi
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  . "$root/scripts/wine-env.sh"
  export WINEPREFIX=$out/wineprefix
  [ -f "$WINEPREFIX/system.reg" ] || wine_new_prefix
  "$0" --inside
  "${JA_ENV[@]}" wineserver -k 2>/dev/null
else
  SORVIK_DEMO_SCREENSHOT=$out/screenshot.png "$root/scripts/wine-session.sh" "$out/session" "$0" --inside
fi
