#!/usr/bin/env bash
# Draws the About logo (175 x 94, 24-bit BMP) and the program icon (32 x 32, 256 colours) with
# ImageMagick into resources/. Run it after changing a design; the BMP files are committed and the
# build embeds them, so a build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# The maker's logo: a lens-like ring with a spark, and the name beneath.
convert -size 175x94 xc:white \
  -fill '#1d4f91' -draw 'roundrectangle 6,8 56,58 10,10' \
  -fill white -draw 'circle 31,33 31,15' \
  -fill '#f2a900' -draw 'circle 31,33 31,23' \
  -fill white -draw 'circle 36,28 36,25' \
  -font "$font" -pointsize 22 -fill '#1d4f91' -annotate +64+38 'Datalesk' \
  -font "$font" -pointsize 10 -fill '#6a6a6a' -annotate +66+54 'software s.r.o.' \
  -fill '#f2a900' -draw 'rectangle 6,70 168,73' \
  -font "$font" -pointsize 10 -fill '#1d4f91' -annotate +34+88 'www.datalesk.example' \
  -type TrueColor -compress None -define bmp:format=bmp3 BMP3:resources/AboutLogo.bmp

# The program's icon: a photo frame with a car silhouette, 256 colours.
# The sky is a gradient so that the picture needs more than 16 colours (an 8-bit BMP).
convert -size 22x18 gradient:'#3f8fff-#fff2c0' "$work/sky.bmp"
convert -size 32x32 xc:'#1d4f91' \
  -fill white -draw 'rectangle 3,5 28,26' \
  "$work/sky.bmp" -geometry +5+7 -composite \
  -fill '#d62828' -draw 'roundrectangle 7,15 24,20 2,2' -draw 'roundrectangle 11,11 20,16 2,2' \
  -fill '#202020' -draw 'circle 11,21 11,19' -draw 'circle 21,21 21,19' \
  -type Palette -colors 256 -compress None -define bmp:format=bmp3 BMP3:resources/ProgramIcon.bmp

