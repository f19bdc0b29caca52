#!/usr/bin/env bash
# check-dll.sh BUILD_DIR: the checks an installer author would make on the built DLLs.
# - the i686 DLL exports exactly the functions of exports/TlvSetup.def, by their bare names;
# - each of its exports returns with `ret` popping 4 bytes per argument (stdcall);
# - both DLLs import system DLLs only (no compiler runtime DLLs);
# - both carry a version resource.
set -euo pipefail
build="$1"
top="$(cd "$(dirname "$0")/.." && pwd)"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Argument count of each export, as installers call them.
declare -A arguments=([f10]=1 [f11]=1 [f12]=1 [f13]=1 [f14]=1 [f15]=0 [f16]=0 [f17]=0
                      [f18]=3 [f19]=3 [f20]=1 [f21]=1 [f23]=1 [f24]=3)

dll32="$build/i686/bin/TlvSetup.dll"
dll64="$build/x86_64/bin/TlvSetup.dll"

expected=$(sed -n '/^EXPORTS/,$p' "$top/exports/TlvSetup.def" | tail -n +2 | awk '{print $1}' | sort | tr '\n' ' ')
actual=$(i686-w64-mingw32-objdump -p "$dll32" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
         awk '/\[/ && $NF !~ /Table/ {print $NF}' | sort | tr '\n' ' ')
[ "$expected" = "$actual" ] || fail "i686 exports are [$actual], expected [$expected]"

for name in $actual; do
  count="${arguments[$name]:-}"
  if [ -z "$count" ]; then fail "$name is not an export installers know"; continue; fi
  # Every return of the function's body and of its cold part, each up to the next symbol.
  symbol="_$name@$((count * 4))"
  returns=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$dll32" |
            awk -v hot="<$symbol>:" -v cold="<$symbol.cold>:" '
              index($0, hot) || index($0, cold) {inside = 1; next}
              inside && /^[0-9a-f]+ <.*>:$/ {inside = 0}
              inside && /\tret/ {print $NF}' | sort -u | tr '\n' ' ')
  if [ "$count" -eq 0 ]; then want="ret "; else want="\$0x$(printf '%x' $((count * 4))) "; fi
  [ "$returns" = "$want" ] || fail "$name returns with [$returns], expected [$want]"
done

for dll in "$dll32" "$dll64"; do
  objdump_tool=i686-w64-mingw32-objdump
  [ "$dll" = "$dll64" ] && objdump_tool=x86_64-w64-mingw32-objdump
  imports=$($objdump_tool -p "$dll" | awk '/DLL Name:/ {print tolower($3)}' | sort -u | tr '\n' ' ')
  for import in $imports; do
    case "$import" in
      libgcc*|libstdc++*|libwinpthread*|*mingw*) fail "$dll imports $import" ;;
    esac
  done
  strings -el "$dll" | grep -qx 'FileDescription' || fail "$dll has no version resource"
done

if [ "$failures" -ne 0 ]; then
  echo "DLL checks: $failures failed"
  exit 1
fi
echo "DLL checks: exports [$actual] stdcall, system imports only, version resource present"
