#!/usr/bin/env bash
# Configures (once) and builds one preset: default, asan or release.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
bash scripts/setup-machine.sh
if [[ ! -f "build/$preset/build.ninja" ]]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset"
