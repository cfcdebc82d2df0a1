#!/bin/sh
# Builds the Windows tree and times Save and Import of a text of the given
# size in MiB (default 4) on the real window, under Wine and Xvfb, as a
# Chinese system (code page 936).
set -e
cd "$(dirname "$0")/.."
cmake --preset windows -DTXTSEAL_BUILD_BENCHMARKS=ON
cmake --build --preset windows --target txtseal_ui_bench
LANG=zh_CN.UTF-8 exec scripts/wine-env.sh run wine build/windows/bench/win32/txtseal_ui_bench.exe "${1:-4}"
