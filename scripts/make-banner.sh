#!/usr/bin/env bash
# Draws res/banner.bmp, the settings dialog's banner (bitmap 171): growth
# rendered by the program's own engine over a dark gradient, with the name
# on top, as a 500 x 250 bitmap in 24-bit colour.
#
# Needs the native render tool and ImageMagick (convert, with the DejaVu
# fonts). The picture is committed; run this again only to change it.
#
# Usage: scripts/make-banner.sh [PATH/TO/verdane-render]
set -euo pipefail
cd "$(dirname "$0")/.."

render=${1:-build/native/tools/render/verdane-render}
if [ ! -x "$render" ]; then
  echo "render tool not found: $render (build it: cmake --build build/native --target verdane-render)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-banner.XXXXXX")
trap 'rm -rf "$work"' EXIT

convert -size 500x250 gradient:'#06101c'-'#0c2412' "$work/background.png"
# A fixed seed, so the same tool draws the same growth.
"$render" --size 500x250 --screen 1024x768 --seed 11 --steps 250 \
  --star-number 2 --star-speed 40 --background "$work/background.png" --out "$work/growth.png" >/dev/null 2>&1

# A soft dark plate behind the title keeps it readable over the branches.
# BMP3 with TrueColor is the classic 24-bit bitmap the resource compiler takes.
convert "$work/growth.png" \
  \( -size 500x250 xc:none -fill '#000000a0' -draw 'roundrectangle 120,78 380,172 14,14' -blur 0x6 \) -composite \
  -gravity center \
  -font DejaVu-Serif-Bold -pointsize 58 -fill '#0b2a10' -annotate +2-8 'Verdane' \
  -fill '#e8f5d0' -annotate +0-10 'Verdane' \
  -font DejaVu-Sans -pointsize 15 -fill '#b8dca0' -annotate +0+38 'a screen saver that grows' \
  -type TrueColor BMP3:res/banner.bmp

# The installer's side picture: a tall field of growth under the name.
convert -size 164x314 gradient:'#0c2412'-'#06101c' "$work/side-background.png"
"$render" --size 164x314 --screen 1024x768 --seed 7 --steps 500 \
  --star-number 4 --star-speed 30 --background "$work/side-background.png" --out "$work/side.png" >/dev/null 2>&1
convert "$work/side.png" \
  \( -size 164x314 xc:none -fill '#000000a0' -draw 'roundrectangle 10,20 154,84 10,10' -blur 0x5 \) -composite \
  -gravity north \
  -font DejaVu-Serif-Bold -pointsize 30 -fill '#0b2a10' -annotate +1+31 'Verdane' \
  -fill '#e8f5d0' -annotate +0+30 'Verdane' \
  -type TrueColor BMP3:package/wizard.bmp

# The header picture: a strip of growth with the name at its right.
convert -size 150x57 gradient:'#06101c'-'#0c2412' "$work/header-background.png"
"$render" --size 150x57 --screen 1024x768 --seed 5 --steps 300 \
  --star-number 3 --star-speed 0 --background "$work/header-background.png" --out "$work/header.png" >/dev/null 2>&1
convert "$work/header.png" \
  \( -size 150x57 xc:none -fill '#000000a0' -draw 'roundrectangle 18,12 132,45 8,8' -blur 0x4 \) -composite \
  -gravity center \
  -font DejaVu-Serif-Bold -pointsize 22 -fill '#e8f5d0' -annotate +0+0 'Verdane' \
  -type TrueColor BMP3:package/header.bmp
echo "wrote res/banner.bmp, package/wizard.bmp and package/header.bmp"
