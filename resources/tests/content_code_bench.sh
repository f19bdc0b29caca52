#!/usr/bin/env bash
# content_code_bench.sh BENCH_EXE: makes a 256 MiB file of random bytes in build/, times md5sum on it (best
# of 3, file cached), then runs the bench program on the same file. The file is removed at the end.
# Runs in scripts/bench.sh's environment (Wine prefix started, WINE_LOADER set).
set -euo pipefail
bench="$1"
top="$(cd "$(dirname "$0")/../.." && pwd)"
data="$top/build/bench-data"
file="$data/random-256MiB.bin"
mkdir -p "$data"
trap 'rm -f "$file"; rmdir "$data" 2>/dev/null || true' EXIT
head -c $((256 * 1024 * 1024)) /dev/urandom >"$file"
md5sum "$file" >/dev/null

best=""
for _ in 1 2 3; do
  start=$(date +%s%N)
  hex=$(md5sum "$file" | cut -c1-32)
  elapsed=$(($(date +%s%N) - start))
  if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done

cd "$(dirname "$bench")"
"$WINE_LOADER" "$(basename "$bench")" "Z:${file//\//\\}" "$best" "$hex"
