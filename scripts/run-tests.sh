#!/usr/bin/env bash
# Runs every test program under Wine, then the DLL checks. The Wine server is stopped at the end.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
source scripts/wine-env.sh
scripts/wine-prefix.sh start || exit 1
trap 'scripts/wine-prefix.sh stop' EXIT

ctest --test-dir build/x86_64 --output-on-failure -j "$(nproc)" --timeout 120
tests=$?
scripts/check-dll.sh build
checks=$?
[ $tests -eq 0 ] && [ $checks -eq 0 ]
