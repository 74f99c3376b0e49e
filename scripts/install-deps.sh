#!/usr/bin/env bash
# Installs every Debian package the builds and tests need. Safe to run again:
# it only calls apt-get when something is missing. What users get is i686,
# and the tests run it under the 32-bit Wine (wine32, of the i386
# architecture, which this script adds); a machine that cannot execute
# 32-bit code stops here, with one line that says so.
set -euo pipefail

packages=(
  build-essential cmake ninja-build make pkg-config
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 wine32:i386 xvfb openbox xdotool imagemagick fonts-ipafont-gothic x11-utils
  googletest libbenchmark-dev
  clang libclang-rt-14-dev
  nsis locales zip unzip libxml2-utils
)

# Wine takes its ANSI code page (932) from the ja_JP locale and converts file
# names through it: without the locale generated, no Japanese file name can
# be created in the prefix.
ensure_japanese_locale() {
  if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then return 0; fi
  echo "install-deps: generating the ja_JP.UTF-8 locale"
  $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# The 32-bit Wine's loader is an i386 program: if it cannot run, neither can
# anything we test.
ensure_32bit_wine_runs() {
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "install-deps: this machine cannot execute 32-bit (i386) programs, which the tests of the i686 build need under wine32" >&2
    exit 1
  fi
}

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture (for wine32)"
  $SUDO dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  ensure_japanese_locale
  ensure_32bit_wine_runs
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive

echo "install-deps: installing ${missing[*]}"
# A mirror section can report a stale index; retry, and go on with warnings as
# long as the packages themselves install.
for attempt in 1 2 3 4 5; do
  if $SUDO apt-get update -o Acquire::Retries=3; then break; fi
  echo "install-deps: apt-get update failed (attempt $attempt), retrying" >&2
  sleep $((attempt * 3))
done
for attempt in 1 2 3; do
  if $SUDO apt-get install -y --no-install-recommends -o Acquire::Retries=3 "${missing[@]}"; then
    ensure_japanese_locale
    ensure_32bit_wine_runs
    exit 0
  fi
  echo "install-deps: apt-get install failed (attempt $attempt), retrying" >&2
  sleep $((attempt * 5))
  $SUDO apt-get update -o Acquire::Retries=3 || true
done
echo "install-deps: could not install ${missing[*]}" >&2
exit 1
