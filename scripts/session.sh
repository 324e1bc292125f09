#!/usr/bin/env bash
# The authoring session the demo runs (QUORVANTA_HOME is already a fresh profile).
set -euo pipefail
cd "$(dirname "$0")/.."
exec build/default/tools/quorvanta run demo/session.js
