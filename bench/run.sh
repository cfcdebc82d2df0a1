#!/bin/sh
# Builds the native release tree and runs the codec benchmark. Repetitions in
# random order keep a slow spell of the machine from landing on one figure
# and not on the memcpy it is compared with; the summary takes medians.
# Further arguments go to the benchmark and override these, e.g.
# --benchmark_filter=64MiB or --benchmark_repetitions=1.
set -e
cd "$(dirname "$0")/.."
cmake --preset linux -DTXTSEAL_BUILD_BENCHMARKS=ON
cmake --build --preset linux --target txtseal_bench
exec build/linux/bench/txtseal_bench \
  --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.2 --benchmark_report_aggregates_only=true "$@"
