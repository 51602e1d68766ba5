#!/usr/bin/env bash
# Draws the demo skins' control images with ImageMagick, so that the preview
# shows something worth looking at. Run once after changing a picture; the
# images are committed. The output carries no dates, so reruns are identical.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
SKINS="$ROOT/demo/resources/skins"
command -v convert > /dev/null || { echo "needs ImageMagick's convert" >&2; exit 1; }

# save OUT: writes the image on the command line before it without metadata.
save() {
  local out="${*: -1}"
  convert "${@:1:$#-1}" -strip -define png:exclude-chunks=date,time "$out"
}

FRAMES="$(mktemp -d)"
trap 'rm -rf "$FRAMES"' EXIT

# aqua_button OUT TOP BOTTOM EDGE: one 72 x 24 frame of Aqua's button, a
# gradient with rounded, transparent corners and a half-transparent edge.
aqua_button() {
  convert -size 72x24 xc:none \
    \( -size 72x24 gradient:"$2"-"$3" \) \
    \( -size 72x24 xc:black -fill white -draw 'roundrectangle 0,0 71,23 9,9' \) \
    -delete 0 -alpha off -compose CopyOpacity -composite \
    -fill none -stroke "$4" -strokewidth 1 -draw 'roundrectangle 0,0 71,23 9,9' "PNG32:$1"
}

# Aqua: watery blues. The button is a strip of its five states side by side
# (normal, focused, pressed, disabled, hover); the close box is a red disc on
# a transparent ground, in its three states (normal, hover, pressed).
aqua_button "$FRAMES/1.png" '#bfe6ff' '#2f86d6' '#1c5fa0c0'
aqua_button "$FRAMES/2.png" '#bfe6ff' '#2f86d6' '#ff9900'
aqua_button "$FRAMES/3.png" '#1f6fb8' '#9fd4ff' '#0d3d6bc0'
aqua_button "$FRAMES/4.png" '#eeeeee' '#b8c2cc' '#8894a0c0'
aqua_button "$FRAMES/5.png" '#e6f6ff' '#5aa8ea' '#1c5fa0c0'
save "$FRAMES"/[1-5].png +append PNG32:"$SKINS/Aqua/controls/button.png"
# aqua_close OUT DISC: one 16 x 16 frame of the close box.
aqua_close() {
  convert -size 16x16 xc:none -fill "$2" -draw 'circle 7.5,7.5 7.5,0.5' \
    -stroke white -strokewidth 2 -draw 'line 5,5 10,10' -draw 'line 10,5 5,10' "PNG32:$1"
}
aqua_close "$FRAMES/c1.png" '#d9352b'
aqua_close "$FRAMES/c2.png" '#f06a5f'
aqua_close "$FRAMES/c3.png" '#9e1f17'
save "$FRAMES"/c[1-3].png +append PNG32:"$SKINS/Aqua/controls/close.png"
save -size 16x32 gradient:'#e8f6ff'-'#7ec3f0' PNG24:"$SKINS/Aqua/controls/rebar.png"
save -size 96x24 gradient:'#ffffff'-'#8fd0ff' \
  -fill none -stroke '#2f86d6' -draw 'rectangle 0,0 95,23' \
  -fill '#2f86d6' -stroke none -draw 'rectangle 8,10 87,13' \
  PNG24:"$SKINS/Aqua/controls/tab.png"
# An old picture no setting names any more.
save -size 32x32 pattern:checkerboard -fill '#2f86d6' -colorize 40 \
  BMP3:"$SKINS/Aqua/controls/unused_old.bmp"

# Zen: quiet greens and paper.
save -size 16x32 gradient:'#f4efe1'-'#9aa88a' PNG24:"$SKINS/Zen/controls/rebar.png"
save -size 96x24 xc:'#3d4a35' -fill '#f4efe1' -draw 'rectangle 3,3 92,20' \
  -fill '#6b7d5c' -draw 'circle 12,12 12,7' \
  PNG24:"$SKINS/Zen/controls/tab.png"

# default: plain grey, its button's five states side by side.
for state in 1:'#f2f2f2':'#c4c4c4':'#808080' 2:'#f2f2f2':'#c4c4c4':'#3060c0' 3:'#b8b8b8':'#e8e8e8':'#606060' \
    4:'#f4f4f4':'#e4e4e4':'#b0b0b0' 5:'#ffffff':'#d4d4d4':'#808080'; do
  IFS=: read -r n top bottom edge <<< "$state"
  convert -size 72x24 gradient:"$top"-"$bottom" -fill none -stroke "$edge" -draw 'rectangle 0,0 71,23' \
    "PNG24:$FRAMES/d$n.png"
done
save "$FRAMES"/d[1-5].png +append PNG24:"$SKINS/default/controls/button.png"

echo "demo images written under $SKINS"
