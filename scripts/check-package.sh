#!/usr/bin/env bash
# Makes the release ZIP of a Windows build with CPack and checks what a user
# gets from it: the saver without symbols or debug sections, the installer
# and the install text, in one folder named after the version.
#
# Usage: scripts/check-package.sh [BUILD-FOLDER]   (default build/win)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/win}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
name="verdane-$version-win64"

(cd "$build" && cpack -G ZIP >/dev/null)
zip="$build/$name.zip"
[ -f "$zip" ] || { echo "no $zip" >&2; exit 1; }

listing=$(cd "$build" && cmake -E tar tf "$name.zip")
expected="$name/INSTALL.txt
$name/verdane-$version-setup.exe
$name/verdane.scr"
if [ "$(sort <<<"$listing" | grep -v '/$')" != "$expected" ]; then
  echo "$zip holds:" >&2
  echo "$listing" >&2
  echo "expected:" >&2
  echo "$expected" >&2
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$(realpath "$OLDPWD/$zip")")
saver="$work/$name/verdane.scr"
if x86_64-w64-mingw32-objdump -h "$saver" | grep -q '\.debug_'; then
  echo "verdane.scr in the ZIP has debug sections" >&2
  exit 1
fi
if x86_64-w64-mingw32-nm "$saver" 2>/dev/null | grep -q .; then
  echo "verdane.scr in the ZIP has symbols" >&2
  exit 1
fi
echo "$zip: $(stat -c %s "$zip") bytes; verdane.scr $(stat -c %s "$saver") bytes, stripped"
