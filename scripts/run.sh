#!/bin/sh
# Builds the Linux program and starts it on this desktop.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh linux
cmake --preset linux
cmake --build --preset linux --target txtseal

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display. Start it from a desktop session; built: build/linux/txtseal" >&2
  exit 2
fi
exec build/linux/txtseal
