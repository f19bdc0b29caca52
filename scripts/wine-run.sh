#!/usr/bin/env bash
# wine-run.sh PROGRAM [ARGS...]: runs a Windows program of the build under Wine in the build's prefix.
# Its output goes through files: Wine's background processes inherit the handles of the program that
# starts them and would keep a caller's pipe open long after the program has ended.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
out=$(mktemp)
err=$(mktemp)
"$WINE_LOADER" "$@" >"$out" 2>"$err" </dev/null
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
