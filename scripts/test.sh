#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test suite:
# the native suites (growth engine, surface device context, off-screen
# framework port, render tool), then the Windows build's suites and the
# black-box tests of verdane.scr under Wine on a private headless display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== native build and tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DVERDANE_WERROR=ON >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure

echo "== install of the X11 program verdane"
xinstall=$(mktemp -d)
cmake --install build/native --prefix "$xinstall" >/dev/null
test -x "$xinstall/bin/verdane"
xmllint --noout "$xinstall/share/xscreensaver/config/verdane.xml"
rm -rf "$xinstall"

echo "== Windows build and tests under Wine"
cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release -DVERDANE_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win -j"$jobs"
scripts/with-wine-display.sh ctest --test-dir build/win --output-on-failure
