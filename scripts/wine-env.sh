# Sourced: the environment in which the Windows programs of the build run under Wine.
# A prefix of the project's own under build/, no prompts for optional components, no debug noise, and the
# code page 1252 that a UTF-8 locale gives.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$top/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
export WINE_LOADER=/usr/lib/wine/wine64
