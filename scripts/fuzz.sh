#!/usr/bin/env bash
# Runs the fuzz targets of fuzz/ with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# The default is 60 seconds for each target; CI runs `scripts/fuzz.sh 15` (a short, fixed run).
# The fuzz build (preset `fuzz`, clang at -O1, build/fuzz/) compiles only the targets and the
# layers they link. Each target starts from the seeds it makes with our own code (written into
# build/fuzz-corpus/<target>/seeds) plus the inputs kept in fuzz/regressions/<target>/; what the
# run adds to the corpus stays in build/fuzz-corpus/<target>/found and is used again by the next
# run. A crash, hang, leak or running out of memory fails the run and leaves its input as
# build/fuzz-corpus/<target>/{crash,timeout,leak,oom}-*: copy it to fuzz/regressions/<target>/
# with a test that names the fault, so the replay test (ctest -R fuzz_replay) keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
bash scripts/setup-machine.sh
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is needed (Debian packages clang and libclang-rt-dev)" >&2
  exit 2
fi
targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
[[ -f build/fuzz/build.ninja ]] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  corpus="build/fuzz-corpus/$t"
  rm -rf "$corpus/seeds"
  mkdir -p "$corpus/found"
  "build/fuzz/fuzz/$t" -write_seeds="$corpus/seeds" >/dev/null
  inputs=("$corpus/found" "$corpus/seeds")
  [[ -d "fuzz/regressions/$t" ]] && inputs+=("fuzz/regressions/$t")
  options=()
  # A target's dictionary (fuzz/<target>.dict) gives libFuzzer the tokens of its format.
  [[ -f "fuzz/$t.dict" ]] && options+=(-dict="fuzz/$t.dict")
  echo "== $t: ${seconds}s"
  # -timeout: one input taking longer is a hang; LeakSanitizer is on (libFuzzer's default).
  if ! ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$corpus/" -print_final_stats=1 "${options[@]}" "${inputs[@]}" >"$corpus/log" 2>&1; then
    echo "$t: FAULT; the last lines of $corpus/log:"
    tail -n 40 "$corpus/log"
    for kept in "$corpus"/crash-* "$corpus"/timeout-* "$corpus"/leak-* "$corpus"/oom-*; do
      if [[ -e "$kept" ]]; then echo "$t: the input is kept in $kept"; fi
    done
    status=1
  fi
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)" \
    "$corpus/log" | tr '\n' ' ' || true
  echo "corpus: $(find "$corpus/found" -type f | wc -l) inputs"
done
exit $status
