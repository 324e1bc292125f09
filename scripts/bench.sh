#!/usr/bin/env bash
# Builds the benchmarks of the release preset, runs the add-in benchmark and prints its figures as
# a table with the growth from 100 to 5,000 questions and the goals.
#
#   scripts/bench.sh                      build, run, print (results in build/release/bench.json)
#   scripts/bench.sh --filter REGEX       only the cases matching REGEX
#   scripts/bench.sh --table A.json [B.json]   print saved results; with B, A and B side by side
#   scripts/bench.sh --perf OUT.data --filter REGEX   the same run under `perf record`, recording
#                                         only the timed parts (PERF_ARGS: perf's options, by
#                                         default --call-graph dwarf); `perf report -i OUT.data`
#
# BENCH_REPETITIONS=N runs every case N times (each with its own document); BENCH_PROCESSES=P runs
# the whole program P times, one process after another (each with its own memory layout). The
# table takes each case's fastest run of all of them: what disturbs a shared machine only adds
# time, and often a third to a whole case at once (scripts/bench_table.py).
# BENCH_SNAPSHOT=DIR runs the copy of another build kept in DIR (its addin_bench, initializer and
# every shared library, add-in included), for a before/after comparison on one machine in one
# session; `scripts/bench.sh --snapshot DIR` makes such a copy of the current build.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == "--table" ]]; then
  shift
  exec python3 scripts/bench_table.py "$@"
fi
if [[ "${1:-}" == "--snapshot" ]]; then
  mkdir -p "$2"
  cp build/release/bench/addin_bench build/release/initializer/initializer "$2"/
  find build/release -name "*.so" -exec cp {} "$2"/ \;
  exit 0
fi
perf_out=""
if [[ "${1:-}" == "--perf" ]]; then
  perf_out="$2"
  shift 2
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

program=build/release/bench/addin_bench
if [[ -n "${BENCH_SNAPSHOT:-}" ]]; then
  snapshot="$(cd "$BENCH_SNAPSHOT" && pwd)"
  program="$snapshot/addin_bench"
  export LD_LIBRARY_PATH="$snapshot" QUORVANTA_KZOWORD="$snapshot/libkzoword.so"
  export QUORVANTA_INITIALIZER="$snapshot/initializer"
fi
out="${BENCH_OUT:-build/release/bench.json}"
run=("$program" --benchmark_filter="$filter" --benchmark_out="$out" --benchmark_out_format=json
  --benchmark_counters_tabular=true --benchmark_repetitions="${BENCH_REPETITIONS:-1}")
if [[ -n "$perf_out" ]]; then
  # perf starts paused; the benchmark turns it on around each timed operation through two pipes.
  fifos="$(mktemp -d)"
  trap 'rm -rf "$fifos"' EXIT
  mkfifo "$fifos/ctl" "$fifos/ack"
  export BENCH_PERF_CONTROL="$fifos/ctl,$fifos/ack"
  # shellcheck disable=SC2086
  perf record ${PERF_ARGS:---call-graph dwarf} --control "fifo:$fifos/ctl,$fifos/ack" \
    --delay=-1 -o "$perf_out" -- "${run[@]}"
elif [[ "${BENCH_PROCESSES:-1}" -gt 1 ]]; then
  # Each process lays out its code, heap and documents at addresses of its own (address space
  # randomisation) and meets the machine's disturbances at other moments; the table reads the
  # runs of all of them together.
  parts=()
  for ((p = 1; p <= BENCH_PROCESSES; ++p)); do
    "${run[@]}" --benchmark_out="$out.$p"
    parts+=("$out.$p")
  done
  python3 scripts/bench_table.py --merge "$out" "${parts[@]}"
  rm -f "${parts[@]}"
else
  "${run[@]}"
fi
echo
python3 scripts/bench_table.py "$out"
