#!/usr/bin/env bash
# Builds and runs the whole test suite: unit tests and automation scenarios.
# usage: scripts/test.sh [default|asan]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
bash scripts/build.sh "$preset"
ctest --preset "$preset" -j"$(nproc)" </dev/null
