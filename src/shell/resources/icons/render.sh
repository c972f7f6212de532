#!/bin/sh
# Renders the PNG images that tarvex.qrc holds from their SVG sources
# (ImageMagick). Run from src/shell/resources after changing a drawing.
set -e
for f in toolbar/*.svg; do
  convert -background none -density 768 "$f" -resize 20x21 -depth 8 "${f%.svg}.png"
done
for s in 16 32 48 256; do
  convert -background none -density $((s * 9)) icons/app.svg -resize ${s}x${s} -depth 8 icons/app-$s.png
done
for s in 16 32; do
  convert -background none -density $((s * 9)) icons/document.svg -resize ${s}x${s} -depth 8 icons/document-$s.png
done
