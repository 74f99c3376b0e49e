# Sourced by the scripts that run Windows programs: the Wine binaries and the
# environment every Wine process of the project gets.
# Everything we run under Wine is i686, as what users get is: a 32-bit
# prefix, run by the 32-bit Wine (`wine`, Debian's wine32).
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
export WINEARCH=win32
# No Mono or Gecko: the machine has no network and our programs need neither.
# No menu builder: a shortcut in the prefix's start-up folder (the agent makes
# one) would otherwise become an entry of the real desktop's menu.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree=d;mshtml=d;winemenubuilder.exe=d"
# The ja_JP locale gives Wine the ANSI code page 932. Only the Wine commands
# get it (bash itself would complain that the locale is not generated).
JA_ENV=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)

# Creates a fresh prefix in $WINEPREFIX under the ja_JP locale (about 10 s),
# turns off the crash dialog, which would wait for a click, and maps the
# Japanese system fonts of the user's Windows to the IPA fonts, so that what
# the tests and screenshots see is laid out like the real thing.
wine_new_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "${JA_ENV[@]}" wine wineboot -i >/dev/null 2>&1 || return 1
  local reg="$WINEPREFIX/sorvik-settings.reg"
  {
    printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n'
    printf '"MS PGothic"="IPAPGothic"\r\n"MS Gothic"="IPAGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n\r\n'
  } | iconv -f UTF-8 -t UTF-16 >"$reg"
  "${JA_ENV[@]}" wine regedit /S "$(WINEPREFIX=$WINEPREFIX "${JA_ENV[@]}" wine winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  "${JA_ENV[@]}" wineserver -w
}

# The release folder that `make dist` made from the i686 build: the agent and
# hook library that the tests, the soak, the benchmarks and `make run` use.
# The Windows programs of the tests find it through SORVIK_RELEASE.
release_folder() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  echo "$root/dist/Sorvik-$(cat "$root/build/win32/VERSION")"
}
