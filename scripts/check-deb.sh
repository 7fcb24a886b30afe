#!/usr/bin/env bash
# Makes the Debian package of the X11 program verdane with CPack and checks
# it as a Debian user would meet it: what it holds, lintian, then installed
# with dpkg, the installed hack run by the real XScreenSaver daemon on a
# private display (the daemon test of the native suite, pointed at /usr),
# and removed again, leaving none of its files.
#
# Usage: scripts/check-deb.sh [RELEASE-BUILD] [NATIVE-BUILD]
#        (default build/native-release and build/native, both built)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/native-release}
native=${2:-build/native}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
deb="$build/verdane_${version}-1_$(dpkg --print-architecture).deb"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

rm -f "$build"/verdane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
[ -f "$deb" ] || { echo "no $deb" >&2; exit 1; }

files="./usr/libexec/xscreensaver/verdane
./usr/share/doc/verdane/changelog.Debian.gz
./usr/share/doc/verdane/copyright
./usr/share/man/man6/verdane.6.gz
./usr/share/xscreensaver/config/verdane.xml"
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}' | grep -v '/$' | sort)
if [ "$listing" != "$files" ]; then
  printf '%s holds:\n%s\nexpected:\n%s\n' "$deb" "$listing" "$files" >&2
  exit 1
fi
dpkg-deb -f "$deb" Depends | grep -q 'libx11-6' || { echo "$deb does not depend on libx11-6" >&2; exit 1; }
# Built with the Wayland port (libwayland-dev is installed), it needs the
# client library too; dpkg-shlibdeps finds it.
if grep -q '^WaylandClient_FOUND:INTERNAL=1' "$build/CMakeCache.txt"; then
  dpkg-deb -f "$deb" Depends | grep -q 'libwayland-client0' ||
    { echo "$deb does not depend on libwayland-client0" >&2; exit 1; }
fi

# The package is not meant for the Debian archive, so it closes no ITP bug.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb"

if dpkg-query -W -f='${Status}' verdane 2>/dev/null | grep -q "install ok installed"; then
  echo "verdane is installed already; not touching it" >&2
  exit 1
fi
trap '$sudo dpkg -r verdane >/dev/null 2>&1 || true' EXIT
$sudo dpkg -i "$deb" >/dev/null
/usr/libexec/xscreensaver/verdane --help >/dev/null
$sudo env VERDANE_INSTALLED_PREFIX=/usr "$native/tests/x11/x11_hack_tests" \
  --gtest_filter='XScreenSaverDaemon.*' --gtest_brief=1
$sudo dpkg -r verdane >/dev/null
trap - EXIT
while read -r file; do
  if [ -e "${file#.}" ]; then
    echo "${file#.} is left after dpkg -r" >&2
    exit 1
  fi
done <<<"$files"
echo "$deb: contents, lintian, install, run under XScreenSaver and removal all right"
