#!/usr/bin/env bash
# Builds the benchmarks and runs them with repetitions, then prints the table
# of ratios to the baselines (from the minimum of the repetitions).
#   scripts/bench.sh                                  all workloads, 10 repetitions
#   REPETITIONS=20 scripts/bench.sh                   more repetitions
#   scripts/bench.sh --benchmark_filter=geo_adjust    any Google Benchmark flag
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench

exec build/bench/bin/quon_bench --benchmark_repetitions="${REPETITIONS:-10}" --benchmark_min_time=0.1 \
  --benchmark_display_aggregates_only=true "$@"
