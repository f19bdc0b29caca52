#!/usr/bin/env bash
# Runs every benchmark program of the build (bin/*_bench.exe) under Wine; each prints its own figures.
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
  echo "=== $(basename "$bench" .exe)"
  (cd build/x86_64/bin && "$WINE_LOADER" "$(basename "$bench")")
done
