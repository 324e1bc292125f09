#!/usr/bin/env bash
# The main job: a full authoring session on the embedded platform, in a fresh profile.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default >/dev/null
profile="$(mktemp -d -t quorvanta-demo-XXXXXX)"
trap 'rm -rf "$profile"' EXIT
export QUORVANTA_HOME="$profile"
exec bash scripts/session.sh
