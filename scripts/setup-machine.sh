#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. Safe to run again: a machine
# that has them all is left alone.
set -euo pipefail

PACKAGES=(g++ cmake ninja-build pkg-config git clang-format
          libgtest-dev libgmock-dev libbenchmark-dev
          libgumbo-dev duktape-dev nlohmann-json3-dev ccache
          libxml2-dev libzip-dev libgd-dev chromium
          libreoffice-writer-nogui poppler-utils
          clang libclang-rt-dev)
# clang and its sanitizer runtimes build the fuzz targets with libFuzzer (scripts/fuzz.sh).
# node and npm drive the browser test of the learner preview; a machine that has node from
# elsewhere keeps it.
if ! command -v node >/dev/null 2>&1; then PACKAGES+=(nodejs npm); fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  SUDO=""
  if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq </dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# The browser driver of the preview test (puppeteer-core: no browser of its own, it drives
# Debian's chromium). Without it that one test skips.
browser_tests="$(dirname "$0")/../export/tests/browser"
if command -v npm >/dev/null 2>&1 && [[ ! -d "$browser_tests/node_modules/puppeteer-core" ]]; then
  npm ci --prefix "$browser_tests" --no-audit --no-fund --loglevel=error </dev/null ||
    echo "puppeteer-core not installed: the preview's browser test will skip"
fi
