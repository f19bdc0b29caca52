#!/usr/bin/env bash
# wine-prefix.sh start|stop: prepares the build's Wine prefix and starts its server, or stops the server.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

case "${1:-}" in
start)
  # The server inherits the output of whoever starts it; started here, it holds no pipe of a test open.
  if [ ! -f "$WINEPREFIX/.tlv-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1
    # Windows and message boxes without a display.
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # A crashing program ends at once instead of waiting in the crash debugger.
    "$WINE_LOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d nonexistent.exe /f >/dev/null 2>&1
    wineserver -w  # the registry is saved when the server ends
    touch "$WINEPREFIX/.tlv-ready"
  fi
  # Persistent until stopped; it refuses to start a second time, which is fine.
  wineserver -p >/dev/null 2>&1 || true
  ;;
stop)
  wineserver -k >/dev/null 2>&1 || true
  ;;
*)
  echo "usage: $0 start|stop" >&2
  exit 2
  ;;
esac
