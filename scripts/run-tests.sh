#!/usr/bin/env bash
# Runs every test program under Wine, then the DLL checks. The Wine server is stopped at the end.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
source scripts/wine-env.sh
scripts/wine-prefix.sh start || exit 1

# A real full disk for the write tests: a 64 KiB filesystem, where we may mount one.
small_fs="$top/build/small-fs"
mkdir -p "$small_fs"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$small_fs" 2>/dev/null; then
  export TLV_SMALL_FS="$small_fs"
fi
cleanup() {
  [ -n "${TLV_SMALL_FS:-}" ] && umount "$small_fs"
  scripts/wine-prefix.sh stop
}
trap cleanup EXIT

ctest --test-dir build/x86_64 --output-on-failure -j "$(nproc)" --timeout 120
tests=$?
scripts/check-dll.sh build
checks=$?
[ $tests -eq 0 ] && [ $checks -eq 0 ]
