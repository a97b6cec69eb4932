#!/bin/sh
# Draws the setting guides' pictures and the settings page's direction icons
# with ImageMagick, at twice their shown size so they stay sharp at 200 %.
# The label runs from the printer's mouth (left) to the right; red marks the
# tear bar, the cut and the feed direction, as the guides' texts say.
set -eu
out="$(cd "$(dirname "$0")/.." && pwd)/images"
mkdir -p "$out"
red='#E03C31'
navy='#1F3A5F'
liner='#E8D9B8'
edge='#8A97A8'

# The printer's mouth, the liner and two labels whose gap is at $1.
strip() {
  gap=$1; shift
  convert -size 400x180 xc:white \
    -fill "$liner" -draw 'rectangle 60,70 400,110' \
    -fill white -stroke "$edge" -strokewidth 2 \
    -draw "roundrectangle $((gap - 130)),74 $((gap - 6)),106 6,6" \
    -draw "roundrectangle $((gap + 6)),74 $((gap + 130)),106 6,6" \
    -stroke none -fill "$navy" -draw 'roundrectangle 0,36 70,144 8,8' \
    -fill "$red" -stroke "$red" -strokewidth 4 -draw 'line 250,28 330,28' -stroke none \
    -draw 'polygon 344,28 326,18 326,38' \
    "$@"
}
tear() {
  strip "$1" -stroke "$red" -strokewidth 4 -draw 'stroke-dasharray 10 6 line 200,50 200,130' "$out/$2"
}
tear 200 guide_tear_correct.png
tear 170 guide_tear_short.png
tear 230 guide_tear_past.png

cut() {
  strip "$1" -stroke none -fill "$edge" -draw 'polygon 190,40 210,40 200,60' \
    -stroke "$red" -strokewidth 4 -draw 'stroke-dasharray 10 6 line 200,60 200,130' "$out/$2"
}
cut 200 guide_cut_correct.png
cut 170 guide_cut_short.png
cut 230 guide_cut_past.png

# Cut pieces: one label each, or two labels each.
convert -size 400x180 xc:white -fill "$liner" -stroke none \
  -draw 'rectangle 10,70 120,110' -draw 'rectangle 145,70 255,110' -draw 'rectangle 280,70 390,110' \
  -fill white -stroke "$edge" -strokewidth 2 \
  -draw 'roundrectangle 18,74 112,106 6,6' -draw 'roundrectangle 153,74 247,106 6,6' \
  -draw 'roundrectangle 288,74 382,106 6,6' \
  -stroke "$red" -strokewidth 4 -draw 'stroke-dasharray 10 6 line 132,50 132,130' \
  -draw 'stroke-dasharray 10 6 line 267,50 267,130' "$out/guide_cut_one.png"
convert -size 400x180 xc:white -fill "$liner" -stroke none \
  -draw 'rectangle 10,70 190,110' -draw 'rectangle 210,70 390,110' \
  -fill white -stroke "$edge" -strokewidth 2 \
  -draw 'roundrectangle 16,74 96,106 6,6' -draw 'roundrectangle 104,74 184,106 6,6' \
  -draw 'roundrectangle 216,74 296,106 6,6' -draw 'roundrectangle 304,74 384,106 6,6' \
  -stroke "$red" -strokewidth 4 -draw 'stroke-dasharray 10 6 line 200,50 200,130' \
  "$out/guide_cut_two.png"

# The blade and the media path: blade clear of the slot, or stopped in it.
blade() {
  top=$1; shift
  convert -size 400x180 xc:white -fill "$navy" -draw 'roundrectangle 0,36 70,144 8,8' \
    -fill '#C9D2DD' -draw 'rectangle 170,30 230,150' -fill white -draw 'rectangle 170,84 230,96' \
    -fill "$edge" -draw "polygon 182,$top 218,$top 200,$((top + 22))" "$@"
}
blade 36 -fill "$liner" -draw 'rectangle 70,86 400,94' \
  -stroke "$red" -strokewidth 4 -draw 'line 90,120 320,120' -stroke none -fill "$red" \
  -draw 'polygon 340,120 320,110 320,130' "$out/guide_blade_pass.png"
blade 70 -fill none -stroke "$liner" -strokewidth 8 \
  -draw 'polyline 70,90 120,90 135,70 150,110 165,72 172,90' \
  -stroke "$red" -strokewidth 4 -draw 'line 110,150 290,30' -draw 'line 110,30 290,150' \
  "$out/guide_blade_jam.png"

# Peeling: the liner turns down at the peel bar, the label goes straight on.
peel() {
  convert -size 400x180 xc:white -fill "$navy" -draw 'roundrectangle 0,36 70,144 8,8' \
    -fill none -stroke "$liner" -strokewidth 10 -draw 'polyline 70,100 200,100 120,170' \
    -stroke none -fill "$edge" -draw 'circle 200,106 200,96' \
    -fill white -stroke "$edge" -strokewidth 2 -draw "roundrectangle $1,76 $(($1 + 130)),94 6,6" \
    -stroke "$red" -strokewidth 4 -draw 'line 250,40 330,40' -stroke none -fill "$red" \
    -draw 'polygon 344,40 326,30 326,50' \
    -stroke "$red" -strokewidth 4 -draw 'stroke-dasharray 10 6 line 206,50 206,130' "$out/$2"
}
peel 150 guide_peel_correct.png
peel 215 guide_peel_far.png
peel 90 guide_peel_short.png

# After an error: the labels printed so far, the one that failed crossed
# out, and the way the feed goes on.
convert -size 1040x300 xc:white -fill "$liner" -draw 'rectangle 20,110 1020,190' \
  -fill white -stroke "$edge" -strokewidth 2 \
  -draw 'roundrectangle 40,118 220,182 8,8' -draw 'roundrectangle 240,118 420,182 8,8' \
  -draw 'roundrectangle 620,118 800,182 8,8' -draw 'roundrectangle 820,118 1000,182 8,8' \
  -stroke "$red" -strokewidth 3 -fill '#FBE3E1' -draw 'roundrectangle 440,118 600,182 8,8' \
  -strokewidth 6 -draw 'line 480,130 560,170' -draw 'line 560,130 480,170' \
  -strokewidth 5 -draw 'line 380,250 660,250' -stroke none -fill "$red" \
  -draw 'polygon 684,250 660,236 660,264' "$out/guide_after_error.png"

# Print direction: the label's top leaves the printer first, or last.
convert -size 72x72 xc:none -fill white -stroke "$edge" -strokewidth 2 \
  -draw 'roundrectangle 14,6 58,66 6,6' -stroke none -fill "$navy" -draw 'rectangle 22,14 50,20' \
  -draw 'rectangle 22,26 42,30' -fill "$red" -draw 'polygon 36,60 28,46 44,46' \
  "$out/settings_top_to_bottom.png"
convert "$out/settings_top_to_bottom.png" -rotate 180 "$out/settings_bottom_to_top.png"
