#!/bin/sh
# Builds both programs from this tree and runs every test: natively, and the
# Windows build under Wine (unit tests, then the end-to-end tests on the real
# txtseal.exe under Xvfb).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in linux windows; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
done
status=0
ctest --preset linux || status=1
ctest --preset windows || status=1
exit $status
