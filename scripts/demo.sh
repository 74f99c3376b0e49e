#!/usr/bin/env bash
# `make run`: the stand-in host and the agent under 32-bit Wine. The agent
# runs from the release zip (`make dist`), unzipped into build/run/ as a user
# unzips it: the same bytes users get.
# With $DISPLAY set, they run on that display until the host is closed.
# Without it, they run on a private Xvfb for a few seconds and a screenshot is
# written to build/run/screenshot.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
host_bin=$root/build/win32/bin
out=$root/build/run
mkdir -p "$out"

if [ "${1:-}" = "--inside" ]; then
  # On a display, with WINEPREFIX set.
  release=$(release_folder)
  agent_dir=$out/$(basename "$release")
  rm -rf "$agent_dir"
  unzip -q "$release.zip" -d "$out" || { echo "make run: cannot unzip $release.zip" >&2; exit 1; }
  (cd "$agent_dir" && "${JA_ENV[@]}" wine Sorvik.exe >"$out/agent.out" 2>&1) &
  sleep 3
  cd "$host_bin"
  "${JA_ENV[@]}" wine standin-host.exe --log "$(winepath -w "$out/standin-host.log" 2>/dev/null)" \
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
  export WINEPREFIX=$out/wineprefix
  # A prefix of an earlier, 64-bit `make run` cannot run the 32-bit Wine.
  if [ -f "$WINEPREFIX/system.reg" ] && ! grep -q '^#arch=win32' "$WINEPREFIX/system.reg"; then
    rm -rf "$WINEPREFIX"
  fi
  [ -f "$WINEPREFIX/system.reg" ] || wine_new_prefix
  "$0" --inside
  "${JA_ENV[@]}" wineserver -k 2>/dev/null
else
  SORVIK_DEMO_SCREENSHOT=$out/screenshot.png "$root/scripts/wine-session.sh" "$out/session" "$0" --inside
fi
