# Sourced by the scripts that run Windows programs: the Wine binaries and the
# environment every Wine process of the project gets.
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko: the machine has no network and our programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree=d;mshtml=d"
# The ja_JP locale gives Wine the ANSI code page 932. Only the Wine commands
# get it (bash itself would complain that the locale is not generated).
JA_ENV=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)

# Creates a fresh prefix in $WINEPREFIX under the ja_JP locale (about 10 s)
# and turns off the crash dialog, which would wait for a click.
wine_new_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "${JA_ENV[@]}" wine64 wineboot -i >/dev/null 2>&1 || return 1
  "${JA_ENV[@]}" wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "${JA_ENV[@]}" wineserver -w
}
