#!/usr/bin/env bash
# Runs every test of the project on the builds `make build` made, stage by
# stage, and exits non-zero when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."
here=scripts

failed=()
stage() {
  local name=$1; shift
  echo
  echo "=== $name"
  local start=$SECONDS
  if "$@"; then
    echo "=== $name: passed ($((SECONDS - start)) s)"
  else
    echo "=== $name: FAILED ($((SECONDS - start)) s)"
    failed+=("$name")
  fi
}

. $here/wine-env.sh
evidence=build/win32-test/e2e-evidence
rm -rf "$evidence" build/win32-test/e2e-scratch

stage "module layers" $here/check-layers.sh
stage "native unit tests (ASan+UBSan)" ctest --test-dir build/native --output-on-failure
stage "the release (make dist) as a user receives it" \
  bash -c "$here/make-dist.sh && $here/inspect-release.sh $(release_folder)"
# The Windows tests run the agent and hook library of that release folder.
stage "i686 unit, Win32 and end-to-end tests under 32-bit Wine" \
  $here/wine-session.sh build/win32-test/wine-session ctest --test-dir build/win32-test --output-on-failure
stage "soak runs, short form (make soak runs them at full scale)" $here/run-soak.sh "${SOAK_TEST_SCALE:-0.1}"
stage "fuzzing" $here/run-fuzzers.sh build/fuzz "${FUZZ_SECONDS:-15}"

# Screenshots of failing end-to-end tests, as PNG next to their BMP.
if compgen -G "$evidence/*.bmp" >/dev/null; then
  for bmp in "$evidence"/*.bmp; do convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"; done
  echo "evidence of failing end-to-end tests (screenshots, host logs): $evidence"
fi

echo
if [ ${#failed[@]} -eq 0 ]; then
  echo "make test: all stages passed"
  exit 0
fi
printf 'make test: FAILED stage: %s\n' "${failed[@]}"
exit 1
