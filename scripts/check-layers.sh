#!/usr/bin/env bash
# Checks that includes between the project's modules point one way, from
# the program down to the base:
#   agent/                             the agent's own
#   keys/ components/ hook/            reusable pieces and the hook library
#   hostaccess/ toolbox/               the host's vocabulary; the toolbox
#   base/                              what every module uses
# A file may include from its own folder and from folders on lower levels
# only. tools/ and tests/ may include anything.
set -uo pipefail
cd "$(dirname "$0")/.."

level() {
  case $1 in
    base) echo 0 ;;
    hostaccess|toolbox) echo 1 ;;
    keys|components|hook) echo 2 ;;
    agent) echo 3 ;;
    *) echo "" ;;
  esac
}

failures=0
for folder in base hostaccess toolbox keys components hook agent; do
  mine=$(level "$folder")
  while IFS= read -r line; do
    file=${line%%:*}
    included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    target=${included%%/*}
    [ "$target" = "$folder" ] && continue
    theirs=$(level "$target")
    [ -z "$theirs" ] && continue   # not a module of ours (a system header spelled with quotes)
    if [ "$theirs" -ge "$mine" ]; then
      echo "layers: $file includes $included ($folder may not include $target)"
      failures=$((failures + 1))
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' "$folder" | sed -E 's/^([^:]+):[0-9]+:/\1:/')
done
if [ "$failures" -eq 0 ]; then
  echo "layers: every include points down"
else
  echo "layers: $failures include(s) point up or sideways"
fi
[ "$failures" -eq 0 ]
