#!/usr/bin/env bash
# Builds the benchmarks of the release preset, runs the add-in benchmark and prints its figures as
# a table with the growth from 100 to 5,000 questions and the goals.
#
#   scripts/bench.sh                      build, run, print (results in build/release/bench.json)
#   scripts/bench.sh --filter REGEX       only the cases matching REGEX
#   scripts/bench.sh --table A.json [B.json]   print saved results; with B, A and B side by side
#
# ADDIN_BENCH=path runs another build of the benchmark program (for a before/after comparison in
# one session, with the shared libraries it was built with).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--table" ]]; then
  shift
  exec python3 scripts/bench_table.py "$@"
fi
filter="."
if [[ "${1:-}" == "--filter" ]]; then
  filter="$2"
fi

bash scripts/setup-machine.sh
if [[ ! -f build/release/build.ninja ]]; then
  cmake --preset release >/dev/null
fi
cmake --build build/release --target addin_bench word_bench

program="${ADDIN_BENCH:-build/release/bench/addin_bench}"
out="${BENCH_OUT:-build/release/bench.json}"
"$program" --benchmark_filter="$filter" --benchmark_out="$out" --benchmark_out_format=json \
  --benchmark_counters_tabular=true
echo
python3 scripts/bench_table.py "$out"
