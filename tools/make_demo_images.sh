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

# Aqua: watery blues. The button has rounded, transparent corners and a
# half-transparent edge; the close box is a red disc on a transparent ground.
save -size 72x24 xc:none \
  \( -size 72x24 gradient:'#bfe6ff'-'#2f86d6' \) \
  \( -size 72x24 xc:black -fill white -draw 'roundrectangle 0,0 71,23 9,9' \) \
  -delete 0 -alpha off -compose CopyOpacity -composite \
  -fill none -stroke '#1c5fa0c0' -strokewidth 1 -draw 'roundrectangle 0,0 71,23 9,9' \
  PNG32:"$SKINS/Aqua/controls/button.png"
save -size 16x16 xc:none -fill '#d9352b' -draw 'circle 7.5,7.5 7.5,0.5' \
  -stroke white -strokewidth 2 -draw 'line 5,5 10,10' -draw 'line 10,5 5,10' \
  PNG32:"$SKINS/Aqua/controls/close.png"
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

# default: plain grey.
save -size 72x24 gradient:'#f2f2f2'-'#c4c4c4' \
  -fill none -stroke '#808080' -draw 'rectangle 0,0 71,23' \
  PNG24:"$SKINS/default/controls/button.png"

echo "demo images written under $SKINS"
