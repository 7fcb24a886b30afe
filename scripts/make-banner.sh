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

# Growth over a dark gradient, written to $work/NAME.png. A fixed seed, so
# the same tool draws the same growth.
# Usage: grow NAME WxH GRADIENT SEED STEPS GROWTH-RATE PLANT-SIZE
grow() {
  convert -size "$2" gradient:"$3" "$work/$1-background.png"
  "$render" --size "$2" --screen 1024x768 --seed "$4" --steps "$5" --growth-rate "$6" --plant-size "$7" \
    --background "$work/$1-background.png" --out "$work/$1.png" >/dev/null 2>&1
}

# On each picture a soft dark plate behind the name keeps it readable over
# the branches. BMP3 with TrueColor is the classic 24-bit bitmap that the
# resource compiler and NSIS take.
grow banner 500x250 '#06101c-#0c2412' 11 250 2 40
convert "$work/banner.png" \
  \( -size 500x250 xc:none -fill '#000000a0' -draw 'roundrectangle 120,78 380,172 14,14' -blur 0x6 \) -composite \
  -gravity center \
  -font DejaVu-Serif-Bold -pointsize 58 -fill '#0b2a10' -annotate +2-8 'Verdane' \
  -fill '#e8f5d0' -annotate +0-10 'Verdane' \
  -font DejaVu-Sans -pointsize 15 -fill '#b8dca0' -annotate +0+38 'a screen saver that grows' \
  -type TrueColor BMP3:res/banner.bmp

# The installer's side picture: a tall field of growth under the name.
grow side 164x314 '#0c2412-#06101c' 7 500 4 30
convert "$work/side.png" \
  \( -size 164x314 xc:none -fill '#000000a0' -draw 'roundrectangle 10,20 154,84 10,10' -blur 0x5 \) -composite \
  -gravity north \
  -font DejaVu-Serif-Bold -pointsize 30 -fill '#0b2a10' -annotate +1+31 'Verdane' \
  -fill '#e8f5d0' -annotate +0+30 'Verdane' \
  -type TrueColor BMP3:package/wizard.bmp

# The header picture: a strip of growth with the name in its middle.
grow header 150x57 '#06101c-#0c2412' 5 300 3 0
convert "$work/header.png" \
  \( -size 150x57 xc:none -fill '#000000a0' -draw 'roundrectangle 18,12 132,45 8,8' -blur 0x4 \) -composite \
  -gravity center \
  -font DejaVu-Serif-Bold -pointsize 22 -fill '#e8f5d0' -annotate +0+0 'Verdane' \
  -type TrueColor BMP3:package/header.bmp
echo "wrote res/banner.bmp, package/wizard.bmp and package/header.bmp"
