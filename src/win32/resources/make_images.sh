#!/bin/sh
# Draws the Windows editor's images from the drawings both editors share:
#   make_images.sh SHARED_RESOURCES OUT_DIR
# OUT_DIR/toolbar/NAME.bmp  one 20 by 21 button image for each toolbar
#                           drawing, 24-bit, magenta (FF00FF) where the
#                           drawing is transparent (the image list's mask)
# OUT_DIR/app.ico           icon 128 at 16, 32, 48 and 256 pixels
# OUT_DIR/document.ico      icon 129 at 16 and 32 pixels
set -eu
src=$1
out=$2
mkdir -p "$out/toolbar"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Half-transparent edge pixels are laid over the usual button face (F0F0F0),
# so that only fully transparent ones take the mask colour, which must stay
# exact.
for svg in "$src"/toolbar/*.svg; do
  name=$(basename "$svg" .svg)
  convert -background none -density 768 "$svg" -resize 20x21! -depth 8 "$tmp/$name.png"
  convert "$tmp/$name.png" -background '#F0F0F0' -alpha remove -alpha off "$tmp/$name-face.png"
  convert "$tmp/$name.png" -alpha extract -threshold 4% "$tmp/$name-mask.png"
  convert -size 20x21 xc:'#FF00FF' "$tmp/$name-face.png" "$tmp/$name-mask.png" -composite \
    -type truecolor "BMP3:$out/toolbar/$name.bmp"
done

for s in 16 32 48 256; do
  convert -background none -density $((s * 9)) "$src/icons/app.svg" -resize ${s}x${s} -depth 8 "$tmp/app-$s.png"
done
convert "$tmp/app-16.png" "$tmp/app-32.png" "$tmp/app-48.png" "$tmp/app-256.png" "$out/app.ico"
for s in 16 32; do
  convert -background none -density $((s * 9)) "$src/icons/document.svg" -resize ${s}x${s} -depth 8 "$tmp/document-$s.png"
done
convert "$tmp/document-16.png" "$tmp/document-32.png" "$out/document.ico"
