#!/usr/bin/env bash
# Sets up what is missing, builds everything, and runs every test suite:
# the native suites (growth engine, surface device context, off-screen
# framework port, render tool, the X11 program verdane), its install and
# Debian package, then the Windows build's suites and the
# black-box tests of verdane.scr under Wine on a private headless display,
# then the native suites again under ASan and UBSan, and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

echo "== native build and tests"
cmake --preset native -DVERDANE_WERROR=ON >/dev/null
cmake --build --preset native -j"$jobs"
ctest --test-dir build/native --output-on-failure

echo "== install of the X11 program verdane"
xinstall=$(mktemp -d)
cmake --install build/native --prefix "$xinstall" >/dev/null
test -x "$xinstall/libexec/xscreensaver/verdane"
xmllint --noout "$xinstall/share/xscreensaver/config/verdane.xml"
test -f "$xinstall/share/man/man6/verdane.6"
rm -rf "$xinstall"

echo "== Debian package of verdane: lintian, install, run under XScreenSaver, removal"
cmake --preset native-release -DVERDANE_WERROR=ON >/dev/null
cmake --build --preset native-release -j"$jobs"
scripts/check-deb.sh build/native-release build/native

echo "== Windows build and tests under Wine"
cmake --preset win -DVERDANE_WERROR=ON >/dev/null
cmake --build --preset win -j"$jobs"
scripts/with-wine-display.sh ctest --test-dir build/win --output-on-failure

echo "== release package"
scripts/check-package.sh build/win

echo "== native suites under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzers"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
  ctest --test-dir build/sanitize --output-on-failure
scripts/fuzz.sh build/sanitize 25
