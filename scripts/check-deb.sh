#!/usr/bin/env bash
# Makes the Debian package of the X11 program verdane with CPack and checks
# it as a Debian user would meet it: what it holds, lintian, then installed
# with dpkg, listed by the user's own `verdane --add-to-xscreensaver` and
# run by the real XScreenSaver daemon on a private display, with Debian's
# image settings and with the desktop allowed (the daemon tests of the
# native suite, pointed at /usr), and removed again, leaving none of its
# files.
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

files="./usr/bin/verdane
./usr/libexec/xscreensaver/verdane
./usr/share/doc/verdane/changelog.Debian.gz
./usr/share/doc/verdane/copyright
./usr/share/man/man6/verdane.6.gz
./usr/share/xscreensaver/config/verdane.xml"
# A symbolic link is listed as "NAME -> TARGET".
listing=$(dpkg-deb -c "$deb" | awk '{ if ($(NF-1) == "->") print $(NF-2); else print $NF }' | grep -v '/$' | sort)
if [ "$listing" != "$files" ]; then
  printf '%s holds:\n%s\nexpected:\n%s\n' "$deb" "$listing" "$files" >&2
  exit 1
fi
dpkg-deb -f "$deb" Depends | grep -q 'libx11-6' || { echo "$deb does not depend on libx11-6" >&2; exit 1; }
link=$(dpkg-deb -c "$deb" | awk '$(NF-2) == "./usr/bin/verdane" { print $NF }')
[ "$link" = "../libexec/xscreensaver/verdane" ] || { echo "/usr/bin/verdane links to '$link'" >&2; exit 1; }
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
verdane --help | grep -q "^verdane $version:" || { echo "verdane --help names no version $version" >&2; exit 1; }
$sudo env VERDANE_INSTALLED_PREFIX=/usr "$native/tests/x11/x11_hack_tests" \
  --gtest_filter='XScreenSaverDaemon.*' --gtest_brief=1
$sudo dpkg -r verdane >/dev/null
trap - EXIT
while read -r file; do
  if [ -e "${file#.}" ] || [ -L "${file#.}" ]; then
    echo "${file#.} is left after dpkg -r" >&2
    exit 1
  fi
done <<<"$files"
echo "$deb: contents, lintian, install, listing, run under XScreenSaver and removal all right"
