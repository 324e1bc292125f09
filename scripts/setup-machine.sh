#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. Safe to run again: a machine
# that has them all is left alone.
set -euo pipefail

PACKAGES=(g++ cmake ninja-build pkg-config git clang-format
          libgtest-dev libgmock-dev libbenchmark-dev
          libgumbo-dev duktape-dev nlohmann-json3-dev ccache
          libxml2-dev libzip-dev libgd-dev)

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
