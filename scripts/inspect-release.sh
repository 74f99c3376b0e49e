#!/usr/bin/env bash
# Checks the release as a user downloads it (what `make dist` made):
#   usage: inspect-release.sh <dist/Sorvik-version folder>
# The two binaries as scripts/inspect-deliverables.sh checks them, and
# beyond that: both carry version resources with the release's version; the
# agent carries its manifest (common controls 6, supported systems, no
# requested execution level, so that Windows redirects its settings file to
# the user's VirtualStore under Program Files, no DPI awareness) and its icon and stays within 300 KiB; the zip
# holds exactly the release's files; help.htm is well-formed HTML with a
# section for every caption of the tray menu's table (the native build's
# tray_captions prints them; SORVIK_TRAY_CAPTIONS names another); readme.txt
# is Shift-JIS with CR LF.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=${1%/}
name=$(basename "$dir")
version=${name#Sorvik-}
zip=$dir.zip
failures=0
fail() { echo "release: FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "release: ok: $*"; }

"$here/inspect-deliverables.sh" "$dir" || failures=$((failures + 1))

resources() { i686-w64-mingw32-windres -i "$1" -O rc 2>/dev/null; }
for binary in Sorvik.exe sorvikhook.dll; do
  rc=$(resources "$dir/$binary")
  if grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$rc" && grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" \
     && grep -q 'VALUE "FileDescription"' <<<"$rc" && grep -q 'VALUE "LegalCopyright"' <<<"$rc"; then
    pass "$binary carries version $version, a description and a copyright"
  else
    fail "$binary lacks its version resource for $version"
  fi
done

rc=$(resources "$dir/Sorvik.exe")
manifest=$(sed -n '/RT_MANIFEST/,/^END/p' <<<"$rc")
grep -q 'Microsoft.Windows.Common-Controls"" version=""6.0.0.0' <<<"$manifest" \
  && grep -q 'supportedOS Id=""{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' <<<"$manifest" \
  && ! grep -qi '<requestedExecutionLevel\|<requestedPrivileges\|<trustInfo' <<<"$manifest" \
  && ! grep -qi '<dpiAware\|<dpiAwareness' <<<"$manifest" \
  && pass "Sorvik.exe carries its manifest (common controls 6, supported systems, no execution level, no DPI awareness)" \
  || fail "Sorvik.exe's manifest is missing or not as it should be"
# Without an execution level Windows guesses installers by name: nothing in
# the file name or the version strings may look like one (it would ask to
# run the agent as an administrator).
strings_=$(grep 'VALUE "' <<<"$rc"; echo Sorvik.exe)
! grep -qiE 'setup|install|update|patch' <<<"$strings_" \
  && pass "Sorvik.exe's name and version strings do not look like an installer's" \
  || fail "Sorvik.exe looks like an installer to Windows: $(grep -iE 'setup|install|update|patch' <<<"$strings_" | tr '\n' ' ')"
grep -q 'RT_GROUP_ICON' <<<"$rc" && pass "Sorvik.exe carries its icon" || fail "Sorvik.exe has no icon"

size=$(stat -c %s "$dir/Sorvik.exe")
limit=$((300 * 1024))
[ "$size" -le "$limit" ] && pass "Sorvik.exe is $size bytes, within $limit" || fail "Sorvik.exe is $size bytes, over $limit"

expected=$(cd "$(dirname "$dir")" && find "$name" | sort)
listed=$(unzip -Z1 "$zip" | sed 's#/$##' | sort)
[ "$listed" = "$expected" ] && pass "the zip holds exactly: $(tr '\n' ' ' <<<"$listed")" \
  || fail "the zip holds: $(tr '\n' ' ' <<<"$listed")"
for required in Sorvik.exe sorvikhook.dll help.htm readme.txt; do
  grep -qx "$name/$required" <<<"$listed" || fail "the zip lacks $required"
done

help=$dir/help.htm
if xmllint --html --noout "$help" 2>/dev/null; then pass "help.htm parses as HTML"; else fail "help.htm does not parse"; fi
grep -qi '<meta charset="utf-8">' "$help" && pass "help.htm declares its character set" || fail "help.htm declares no character set"
captions=${SORVIK_TRAY_CAPTIONS:-$here/../build/native/bin/tray_captions}
# Each caption without its accelerator: "受信簿(&R)" is the section "受信簿（".
mapfile -t commands < <("$captions" 2>/dev/null | iconv -f CP932 -t UTF-8 | sed 's/(&.)$//')
[ ${#commands[@]} -gt 0 ] || fail "no tray menu captions from $captions (build the native build first)"
missing=()
for command in "${commands[@]}"; do
  grep -q "<h3 id=\"[a-z-]*\">$command（" "$help" || missing+=("$command")
done
[ ${#commands[@]} -gt 0 ] && [ ${#missing[@]} -eq 0 ] && pass "help.htm has a section for each of the ${#commands[@]} tray menu captions" \
  || fail "help.htm has no section for: ${missing[*]}"

readme=$dir/readme.txt
if iconv -f CP932 -t UTF-8 "$readme" >/dev/null 2>&1 && ! iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1; then
  pass "readme.txt is Shift-JIS text"
else
  fail "readme.txt is not Shift-JIS text"
fi
lines=$(wc -l <"$readme")
crlf=$(grep -c $'\r$' "$readme")
[ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] && pass "readme.txt ends every line with CR LF" \
  || fail "readme.txt: $crlf of $lines lines end with CR LF"

[ "$failures" -eq 0 ] && echo "release: all checks passed" || echo "release: $failures check(s) failed"
[ "$failures" -eq 0 ]
