#!/bin/sh
# Runs a Windows program of this build under Wine, in the build tree's private prefix.
# The prefix lives beside CMakeCache.txt of the build tree that the program
# (or, for a command such as wineboot, the current directory) belongs to.
set -e
case "$1" in
  */*) dir=$(cd "$(dirname "$1")" && pwd) ;;
  *) dir=$(pwd) ;;
esac
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: $1 is not inside a build tree" >&2; exit 2; }
export WINEPREFIX="${TXTSEAL_WINEPREFIX:-$dir/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Serialise the first start: two tests creating one prefix at once would race.
  flock "$WINEPREFIX/.init.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1'
fi
exec wine "$@"
