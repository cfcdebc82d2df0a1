#!/bin/sh
# Times Save and Import of a text of the given size in MiB (default 4) on a
# real window: the Windows one under Wine and Xvfb as a Chinese system (code
# page 936), or the Linux one under Qt's offscreen platform.
#
#   bench/run-ui-bench.sh [windows | linux] [MiB]
set -e
cd "$(dirname "$0")/.."
case "${1:-windows}" in
  windows)
    cmake --preset windows -DTXTSEAL_BUILD_BENCHMARKS=ON
    cmake --build --preset windows --target txtseal_ui_bench
    LANG=zh_CN.UTF-8 exec scripts/wine-env.sh run wine build/windows/bench/win32/txtseal_ui_bench.exe "${2:-4}"
    ;;
  linux)
    cmake --preset linux -DTXTSEAL_BUILD_BENCHMARKS=ON
    cmake --build --preset linux --target txtseal_qt_ui_bench
    QT_QPA_PLATFORM=offscreen exec build/linux/bench/qt/txtseal_qt_ui_bench "${2:-4}"
    ;;
  *)
    echo "usage: run-ui-bench.sh [windows | linux] [MiB]" >&2
    exit 2
    ;;
esac
