#!/usr/bin/env bash
# Runs the fuzz targets of fuzz/ with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# The default is 60 seconds for each target; CI runs `scripts/fuzz.sh 20` (a short, fixed run).
# Each target starts from the seeds it makes with our own code (written by the replay build into
# build/fuzz-corpus/<target>/seeds) plus the inputs kept in fuzz/regressions/<target>/; what the
# run adds to the corpus stays in build/fuzz-corpus/<target>/found. A crash leaves its input as
# build/fuzz-corpus/<target>/crash-*: copy it to fuzz/regressions/<target>/ with a test that
# names the fault, so the replay test (ctest -R fuzz_replay) keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
bash scripts/setup-machine.sh
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is needed (Debian packages clang and libclang-rt-dev)" >&2
  exit 2
fi
cmake --preset default >/dev/null
cmake --build --preset default --target attributes_fuzz command_line_fuzz document_fuzz \
  hive_fuzz html_page_fuzz http_answer_fuzz
[[ -f build/fuzz/build.ninja ]] || cmake --preset fuzz >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build --preset fuzz --target "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  corpus="build/fuzz-corpus/$t"
  mkdir -p "$corpus/found" "fuzz/regressions/$t"
  "build/default/fuzz/$t" --write-seeds "$corpus/seeds" >/dev/null
  echo "== $t: ${seconds}s"
  if ! "build/fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$corpus/" -print_final_stats=1 \
      "$corpus/found" "$corpus/seeds" "fuzz/regressions/$t" 2>"$corpus/log"; then
    echo "$t: FAULT (see $corpus/log and $corpus/crash-*)"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$corpus/log" || true
done
exit $status
