#!/usr/bin/env bash
# The soak runs under Wine, in a private Xvfb and a fresh prefix like the
# end-to-end tests: hours of use and the faults of a long day, in minutes.
#   usage: run-soak.sh [scale [soak.exe options]]   (scale 1: about a quarter of an hour)
# Prints the figures and ends with "soak: passed" or "soak: FAILED <reason>";
# exits non-zero when the runs failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}
shift || true
bin=build/win64/bin
[ -x "$bin/soak.exe" ] || { echo "soak: FAILED $bin/soak.exe is not built"; exit 1; }
rm -rf build/win64/e2e-scratch/Soak*
start=$SECONDS
scripts/wine-session.sh build/win64/soak-session \
  wine64 "$bin/soak.exe" --scale "$scale" --gtest_color=no --gtest_brief=1 "$@" 2>&1 \
  | grep -a --line-buffered -v -e '^[0-9a-f]*:fixme:' -e '^[0-9a-f]*:err:' \
  | tee build/win64/soak.log
status=${PIPESTATUS[0]}
echo "soak: the run under Wine took $((SECONDS - start)) s (scale $scale)"
# The verdict is the program's last line; without one, the run broke.
if ! tail -n 5 build/win64/soak.log | grep -aq '^soak: \(passed\|FAILED\)'; then
  echo "soak: FAILED the soak program ended without a verdict (exit $status)"
  exit 1
fi
exit "$status"
