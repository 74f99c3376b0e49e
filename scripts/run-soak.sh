#!/usr/bin/env bash
# The soak runs under Wine, in a private Xvfb and a fresh prefix like the
# end-to-end tests: hours of use and the faults of a long day, in minutes.
#   usage: run-soak.sh [scale [soak.exe options]]   (scale 1: about a quarter of an hour)
# SOAK_WINE_TRACE, when set, is the WINEDEBUG of the run's Wine processes.
# Prints the figures and ends with "soak: passed" or "soak: FAILED <reason>";
# exits non-zero when the runs failed.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
scale=${1:-1}
shift || true
build=build/win32-test
bin=$build/bin
release=$(release_folder)
[ -f "$bin/soak.exe" ] || { echo "soak: FAILED $bin/soak.exe is not built"; exit 1; }
[ -f "$release/Sorvik.exe" ] || { echo "soak: FAILED $release holds no release (make dist makes it)"; exit 1; }
rm -rf $build/e2e-scratch/Soak*
# The agent and hook library under test are those of the release folder.
run=(scripts/wine-session.sh $build/soak-session
     env SORVIK_RELEASE="$release" WINEDEBUG="${SOAK_WINE_TRACE:--all}"
     wine "$bin/soak.exe" --scale "$scale" --gtest_color=no --gtest_brief=1 "$@")
start=$SECONDS
if [ -n "${SOAK_WINE_TRACE:-}" ]; then
  # Wine's own traces (SOAK_WINE_TRACE=+clipboard, say) of every Wine
  # process of the run, the desktop's clipboard manager among them, go to
  # a file of their own.
  echo "soak: Wine's traces ($SOAK_WINE_TRACE) go to $build/soak-wine.log"
  "${run[@]}" 2>$build/soak-wine.log | tee $build/soak.log
else
  "${run[@]}" 2>&1 | grep -a --line-buffered -v -e '^[0-9a-f]*:fixme:' -e '^[0-9a-f]*:err:' \
    | tee $build/soak.log
fi
status=${PIPESTATUS[0]}
echo "soak: the run under Wine took $((SECONDS - start)) s (scale $scale)"
# The verdict is the program's last line; without one, the run broke.
if ! tail -n 5 $build/soak.log | grep -aq '^soak: \(passed\|FAILED\)'; then
  echo "soak: FAILED the soak program ended without a verdict (exit $status)"
  exit 1
fi
exit "$status"
