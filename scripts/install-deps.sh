#!/usr/bin/env bash
# Installs, on Debian, whatever the build and the tests need and the machine
# lacks. Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev googletest libpng-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  nsis
  wine64 wine xvfb xauth x11-utils
  python3
  # The X11 port and the program verdane (RandR: the monitor's refresh
  # rate); its test under the real daemon, its settings file checked against
  # the stock ones, and the peers of the processor-share benchmark
  # (bench/peer_cpu_bench.sh).
  libx11-dev libxext-dev libxrandr-dev xscreensaver xscreensaver-data libxml2-utils
  # Its Debian package: dpkg-shlibdeps and file for the dependencies, and lintian.
  dpkg-dev file lintian
)
# The Wayland port (libwayland-client, wayland-scanner, xdg-shell's
# definition) and its tests on a headless sway: swaybg for the desktop,
# swayidle to start it, grim for screenshots, wtype for keys; Weston, a
# compositor without the layer shell.
packages+=(libwayland-dev libwayland-bin wayland-protocols sway swaybg swayidle grim wtype weston)
# The picture scripts (make-banner.sh, make-screenshots.sh): ImageMagick
# and the DejaVu fonts it writes the name with.
packages+=(imagemagick fonts-dejavu-core)
# The sanitizer and fuzzing build: clang, its sanitizer and libFuzzer
# runtimes, and llvm-symbolizer for readable reports.
packages+=(clang libclang-rt-dev llvm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
