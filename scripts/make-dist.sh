#!/usr/bin/env bash
# `make dist`: the release as a user downloads it, from the i686 build:
#   dist/Sorvik-<version>/   Sorvik.exe, sorvikhook.dll, help.htm (with its
#                            pictures), readme.txt (Shift-JIS, CR LF)
#   dist/Sorvik-<version>.zip
# The version is the one the build was configured with (CMakeLists.txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/win32/bin
version=$(cat "$root/build/win32/VERSION")
name=Sorvik-$version
out=$root/dist/$name

rm -rf "$out" "$out.zip"
mkdir -p "$out"
cp "$bin/Sorvik.exe" "$bin/sorvikhook.dll" "$out/"
cp "$root/docs/help.htm" "$out/"
shopt -s nullglob
for picture in "$root"/docs/help-*.png; do cp "$picture" "$out/"; done
# The user's system reads the readme in its own code page, with CR LF.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/docs/readme.txt" | iconv -f UTF-8 -t CP932 >"$out/readme.txt"
(cd "$root/dist" && zip -q -r -X "$name.zip" "$name")

echo "dist: $out.zip"
for file in "$out"/*; do
  printf 'dist:   %-24s %8d bytes\n' "$(basename "$file")" "$(stat -c %s "$file")"
done
printf 'dist:   %-24s %8d bytes\n' "$name.zip" "$(stat -c %s "$out.zip")"
