#!/usr/bin/env bash
# Runs the demo parts demo/*.sh in order. Each part calls the library through tlvcall on copies of the
# sample files in demo/ and prints every call and its result.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
source scripts/wine-env.sh
scripts/wine-prefix.sh start
trap 'scripts/wine-prefix.sh stop' EXIT

export DEMO_WORK="$top/build/demo"
rm -rf "$DEMO_WORK"
mkdir -p "$DEMO_WORK"
cp -r demo/. "$DEMO_WORK/"

# winpath PATH: the Windows name of a Unix path inside the prefix (Z: is the Unix root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# tlvcall ARGS...: prints the command line, then what tlvcall printed.
tlvcall() {
  echo "> tlvcall $*"
  "$WINE_LOADER" "$top/build/x86_64/bin/tlvcall.exe" "$@"
}
# show FILE: prints a file the library wrote.
show() {
  echo "--- $(basename "$1")"
  tr -d '\r' <"$1"
  echo
}
export -f winpath tlvcall show
export top

for part in demo/*.sh; do
  echo "=== $(basename "$part" .sh)"
  bash "$part"
  echo
done
