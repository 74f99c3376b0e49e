#!/usr/bin/env bash
# Runs each libFuzzer target of the fuzz build for a bounded time, starting
# from its seed corpus, and fails when one finds a crash.
#   usage: run-fuzzers.sh <fuzz-build-dir> [seconds-per-target]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
seconds=${2:-20}
shopt -s nullglob
targets=("$build"/bin/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzzers: no fuzz targets built"
  exit 0
fi
status=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=$build/corpus/$name
  mkdir -p "$corpus" "$build/artifacts/$name"
  seeds=$root/tests/fuzz/seeds/${name%_fuzz}
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null
  echo "run-fuzzers: $name for $seconds s"
  if ! "$target" "$corpus" -max_total_time="$seconds" -artifact_prefix="$build/artifacts/$name/" \
       -print_final_stats=1 2>"$build/$name.log"; then
    echo "run-fuzzers: $name FAILED; see $build/$name.log and $build/artifacts/$name/"
    tail -40 "$build/$name.log"
    status=1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+.*DONE' "$build/$name.log" | sed "s/^/run-fuzzers: $name: /"
done
exit $status
