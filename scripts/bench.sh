#!/usr/bin/env bash
# Runs every benchmark program of the build (bin/*_bench.exe) under Wine; each prints its own figures.
# A benchmark that needs something prepared on the host has a script of its name in a tests folder
# (<folder>/tests/NAME.sh), which is run in its place with the program's path.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
source scripts/wine-env.sh
scripts/wine-prefix.sh start
trap 'scripts/wine-prefix.sh stop' EXIT

shopt -s nullglob
benches=(build/x86_64/bin/*_bench.exe)
[ ${#benches[@]} -gt 0 ] || { echo "no benchmarks built"; exit 0; }
for bench in "${benches[@]}"; do
  name="$(basename "$bench" .exe)"
  echo "=== $name"
  wrappers=(*/tests/"$name".sh)
  if [ ${#wrappers[@]} -gt 0 ]; then
    bash "${wrappers[0]}" "$top/$bench"
  else
    (cd build/x86_64/bin && "$WINE_LOADER" "$(basename "$bench")")
  fi
done
