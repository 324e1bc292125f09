#!/usr/bin/env bash
# The main job: a full authoring session on the embedded platform, in a fresh profile. The
# session's document is kept in build/default/demo/ as the word processor saved it, as docx, and
# (when LibreOffice is installed) as pictures of its pages.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default >/dev/null
profile="$(mktemp -d -t quorvanta-demo-XXXXXX)"
trap 'rm -rf "$profile"' EXIT
export QUORVANTA_HOME="$profile"
bash scripts/session.sh
out=build/default/demo
mkdir -p "$out"
cp "$profile/Fractions.doc" "$out/Fractions.doc"
bin=build/default/tools/quorvanta
"$bin" convert "$out/Fractions.doc" "$out/Fractions.docx"
if command -v soffice >/dev/null && command -v pdftoppm >/dev/null; then
  "$bin" render "$out/Fractions.doc" -o "$out/Fractions.png"
fi
