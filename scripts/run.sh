#!/usr/bin/env bash
# The main job: sets up what is missing, builds, and grows a picture with the
# render tool (growth.png in the checkout, or the --out given). Any options
# are passed to verdane-render; see `build/native/tools/render/verdane-render --help`.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$(nproc 2>/dev/null || echo 2)" --target verdane-render

out=$(build/native/tools/render/verdane-render "$@")
echo "growth picture written to $(realpath "$out")"
