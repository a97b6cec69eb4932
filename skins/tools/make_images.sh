#!/bin/sh
# Draws the skin's images with ImageMagick, at twice their shown size so they
# stay sharp at 200 % scaling. Run from anywhere; writes ../images/*.png.
set -eu
out="$(cd "$(dirname "$0")/.." && pwd)/images"
mkdir -p "$out"
navy='#1F3A5F'
blue='#2A7DE1'
light='#49C2EA'

# USB plug on a rounded tile: the printer selector's port icon.
convert -size 96x96 xc:none -fill "$navy" -draw 'roundrectangle 2,2 93,93 18,18' \
  -fill white -draw 'rectangle 40,16 56,64' -draw 'polygon 48,8 38,22 58,22' \
  -draw 'rectangle 22,34 30,50' -draw 'line 26,50 26,58' -draw 'line 26,58 48,68' \
  -draw 'circle 70,40 76,40' -draw 'line 70,46 70,58' -draw 'line 70,58 48,68' \
  -draw 'circle 48,76 56,76' "$out/USB.png"

# Caption buttons.
convert -size 48x48 xc:none -stroke white -strokewidth 5 -draw 'line 14,14 34,34' \
  -draw 'line 34,14 14,34' "$out/close.png"
convert -size 48x48 xc:none -stroke white -strokewidth 5 -draw 'line 12,30 36,30' "$out/minimise.png"
convert -size 48x48 xc:none -stroke '#5A6B7F' -strokewidth 5 -draw 'line 14,14 34,34' \
  -draw 'line 34,14 14,34' "$out/close_dark.png"

# Logo: a label printer with a label coming out.
convert -size 80x80 xc:none -fill "$light" -draw 'roundrectangle 6,22 74,62 10,10' \
  -fill white -draw 'rectangle 18,8 62,30' -fill "$navy" -draw 'rectangle 24,14 56,16' \
  -draw 'rectangle 24,20 48,22' -fill "$navy" -draw 'rectangle 16,44 64,48' "$out/logo.png"

# Drop arrow for lists, and the selector's show/hide button.
convert -size 32x32 xc:none -fill '#5A6B7F' -draw 'polygon 8,12 24,12 16,22' "$out/arrow_down.png"
convert -size 32x32 xc:none -fill white -draw 'polygon 8,20 24,20 16,10' "$out/arrow_up_white.png"

# The firmware list's expander: a closed folder points right, an open one down.
convert -size 24x24 xc:none -fill "$blue" -draw 'polygon 8,5 18,12 8,19' "$out/list_icon_a.png"
convert -size 24x24 xc:none -fill "$blue" -draw 'polygon 5,8 19,8 12,18' "$out/list_icon_b.png"

# Page icons for the tab row: gear, globe, letter, chip, folder, sliders.
tab() { convert -size 48x48 xc:none -stroke white -strokewidth 4 -fill none "$@"; }
tab -draw 'circle 24,24 24,12' -draw 'line 24,2 24,10' -draw 'line 24,38 24,46' \
  -draw 'line 2,24 10,24' -draw 'line 38,24 46,24' "$out/tab_settings.png"
tab -draw 'circle 24,24 24,4' -draw 'ellipse 24,24 9,20 0,360' -draw 'line 4,24 44,24' "$out/tab_network.png"
tab -draw 'polyline 10,42 24,6 38,42' -draw 'line 15,30 33,30' "$out/tab_fonts.png"
tab -draw 'rectangle 12,12 36,36' -draw 'line 18,4 18,12' -draw 'line 30,4 30,12' \
  -draw 'line 18,36 18,44' -draw 'line 30,36 30,44' "$out/tab_firmware.png"
tab -draw 'polyline 4,40 4,10 18,10 22,16 44,16 44,40 4,40' "$out/tab_storage.png"
tab -draw 'line 8,12 40,12' -draw 'line 8,24 40,24' -draw 'line 8,36 40,36' \
  -fill white -draw 'circle 16,12 16,7' -draw 'circle 32,24 32,19' -draw 'circle 20,36 20,31' "$out/tab_system.png"
# The picture dialog's empty preview.
convert -size 128x128 xc:none -fill none -stroke '#B8C4D3' -strokewidth 6 -draw 'roundrectangle 8,20 120,108 12,12' \
  -fill '#B8C4D3' -stroke none -draw 'polygon 18,98 52,54 76,84 88,70 110,98' -draw 'circle 92,44 92,34' \
  "$out/picture_empty.png"
