#!/bin/bash
# Builds txtseal.exe, the Windows program, and starts it under Wine on this
# desktop, in the build tree's private prefix set up as a Chinese Windows
# (code page 936).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows --target txtseal

if [ -z "${DISPLAY:-}" ]; then
  echo "run-windows.sh: no X display. Start it from a desktop session; built: build/windows/txtseal.exe" >&2
  exit 2
fi
export LANG=zh_CN.UTF-8
# shellcheck source=wine-env.sh
. scripts/wine-env.sh
exec wine build/windows/txtseal.exe
