#!/usr/bin/env bash
# Checks the i686 deliverables as a user receives them: PE32 for i386, the
# right subsystem, the exports and imports the system relies on, and no
# import of a mingw runtime DLL (they are linked statically). The hook
# library, which the host loads and runs on every message, must bring no
# runtime at all: only KERNEL32 and USER32 (at most a memory routine from
# msvcrt), no thread-local storage, and a small size.
#   usage: inspect-deliverables.sh <bin-dir>
set -uo pipefail
bin=$1
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "inspect: FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "inspect: ok: $*"; }

# Read whole outputs into variables before matching: with pipefail, grep -q
# closing the pipe early would count as a failure of objdump.
headers() { $objdump -p "$1"; }
imports_of() {  # DLL names, upper-cased, one per line
  headers "$1" | awk '/DLL Name:/ {print toupper($3)}'
}
imported_names_from() {  # names imported from one DLL
  headers "$1" | awk -v dll="$(echo "$2" | tr a-z A-Z)" '
    /DLL Name:/ {inside = (toupper($3) == dll); next}
    inside && /^[[:space:]]*$/ {inside = 0}
    inside && NF >= 3 && $1 ~ /^[0-9a-f]+$/ {print $NF}'
}
check_common() {  # file, expected subsystem text
  local f=$1 name
  name=$(basename "$f")
  [ -f "$f" ] || { fail "$name missing"; return 1; }
  local format h
  format=$($objdump -f "$f"); h=$(headers "$f")
  grep -q 'file format pei-i386' <<<"$format" && pass "$name is PE32 (pei-i386)" || fail "$name is not PE32 i386"
  grep -q "^Magic[[:space:]]*010b" <<<"$h" && pass "$name has the PE32 optional header" || fail "$name lacks the PE32 optional header"
  local runtime
  runtime=$(imports_of "$f" | grep -E '^(LIBGCC|LIBSTDC|LIBWINPTHREAD|MINGWM)' || true)
  [ -z "$runtime" ] && pass "$name imports no mingw runtime DLL" || fail "$name imports $runtime"
  echo "inspect: $name imports: $(imports_of "$f" | tr '\n' ' ')"
  echo "inspect: $name size: $(stat -c %s "$f") bytes"
}

dll=$bin/sorvikhook.dll
if check_common "$dll"; then
  h=$(headers "$dll")
  grep -q '^[[:space:]]*DLL$' <<<"$h" && pass "sorvikhook.dll is a DLL" || fail "sorvikhook.dll is not flagged as a DLL"
  exports=$(headers "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && NF==0 {t=0} t {print $NF}' | sort | tr '\n' ' ')
  [ "$exports" = "StopMochiruSubWnd WatchMochiruSubWnd " ] \
    && pass "sorvikhook.dll exports exactly WatchMochiruSubWnd and StopMochiruSubWnd, undecorated" \
    || fail "sorvikhook.dll exports: $exports"

  others=$(imports_of "$dll" | grep -vxE 'KERNEL32\.DLL|USER32\.DLL|MSVCRT\.DLL' | tr '\n' ' ')
  crt=$(imported_names_from "$dll" msvcrt.dll | grep -vxE 'memcpy|memmove|memset|memcmp' | tr '\n' ' ')
  [ -z "$others$crt" ] \
    && pass "sorvikhook.dll imports from KERNEL32 and USER32 only (at most a memory routine from msvcrt)" \
    || fail "sorvikhook.dll imports more: ${others:+from $others; }${crt:+from msvcrt: $crt}"
  # The data directory's entry 9 gives the TLS directory's address and size.
  tls=$(awk '/^Entry 9 / {print $3 " " $4}' <<<"$h")
  [ -n "$tls" ] && [ -z "$(tr -d '0 ' <<<"$tls")" ] && ! $objdump -h "$dll" | grep -q ' \.tls ' \
    && pass "sorvikhook.dll has no TLS directory" \
    || fail "sorvikhook.dll has a TLS directory (entry 9: ${tls:-missing})"
  size=$(stat -c %s "$dll")
  [ "$size" -lt 32768 ] && pass "sorvikhook.dll is under 32 KiB ($size bytes)" \
    || fail "sorvikhook.dll is $size bytes, not under 32 KiB"
fi

exe=$bin/Sorvik.exe
if [ -f "$exe" ]; then
  if check_common "$exe"; then
    h=$(headers "$exe")
    grep -q '^Subsystem[[:space:]]*00000002' <<<"$h" && pass "Sorvik.exe is a GUI-subsystem program" \
      || fail "Sorvik.exe is not a GUI-subsystem program"
    hook_names=$(imported_names_from "$exe" sorvikhook.dll | sort | tr '\n' ' ')
    [ "$hook_names" = "StopMochiruSubWnd WatchMochiruSubWnd " ] \
      && pass "Sorvik.exe imports WatchMochiruSubWnd and StopMochiruSubWnd from sorvikhook.dll" \
      || fail "Sorvik.exe imports from sorvikhook.dll: '$hook_names'"
    ras_names=$(imported_names_from "$exe" RASAPI32.dll | sort | tr '\n' ' ')
    [ "$ras_names" = "RasEnumConnectionsA RasHangUpA " ] \
      && pass "Sorvik.exe imports RasEnumConnectionsA and RasHangUpA from RASAPI32.dll" \
      || fail "Sorvik.exe imports from RASAPI32.dll: '$ras_names'"
  fi
elif [ "${SORVIK_EXPECT_AGENT:-1}" = 1 ] && [ -f "$(dirname "$0")/../agent/CMakeLists.txt" ] \
     && grep -q 'add_executable' "$(dirname "$0")/../agent/CMakeLists.txt"; then
  fail "Sorvik.exe missing"
fi

[ "$failures" -eq 0 ] && echo "inspect: all checks passed" || echo "inspect: $failures check(s) failed"
[ "$failures" -eq 0 ]
