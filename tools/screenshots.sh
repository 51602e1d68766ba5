#!/usr/bin/env bash
# Photographs the windows as a person sees them: each is shown under a Wine
# virtual desktop (so that windows have their frames) inside Xvfb, and the
# screen is written as a PNG under build/screenshots/.
set -uo pipefail

source "$(dirname "$0")/env.sh"
orlavix_install_packages && orlavix_build_win64 && orlavix_start_display && orlavix_prepare_wine || exit 1

OUT="$BUILD/screenshots"
SCREENS="$BUILD/win64/tests/window/orlavix_screens.exe"
mkdir -p "$OUT"

# The demo host where an installation puts it, C:\Program Files\Velquor\ in
# the Wine prefix (copied afresh, so that editing never changes the repository).
INSTALL="$WINEPREFIX/drive_c/Program Files/Velquor"
orlavix_copy_demo "$INSTALL" || exit 1
DEMO_HOST='C:\Program Files\Velquor\bin\Velquor.exe'
DEMO_SKINS='C:\Program Files\Velquor\resources\skins'

# shoot NAME MODE SECONDS [ARGS...]: shows MODE (given ARGS), photographs it
# after SECONDS, and waits for the window to close by itself.
shoot() {
  local name="$1" mode="$2" delay="$3" pid
  orlavix_wine explorer /desktop=orlavix,1280x900 "$SCREENS" "$mode" "${@:4}" > /dev/null 2>&1 &
  pid=$!
  sleep "$delay"
  import -window root "$OUT/$name.png" || return 1
  wait "$pid"
  wineserver -w
  echo "   $OUT/$name.png"
}

echo "== screenshots"
shoot about about 4 || exit 1
shoot message-box box 5 || exit 1
shoot value-text value-text 4 || exit 1
shoot value-number value-number 4 || exit 1
shoot value-choice value-choice 4 || exit 1
shoot value-image value-image 4 || exit 1
shoot value-colour value-colour 4 || exit 1
shoot preview-image preview-image 4 "$DEMO_SKINS\\Aqua\\controls" || exit 1
shoot preview-states preview-image 4 "$DEMO_SKINS\\Aqua\\controls" button.png ButtonSkin || exit 1
# A button strip 301 pixels wide, which five states do not divide (outside
# the demo, whose report would list it as unused).
mkdir -p "$WINEPREFIX/drive_c/orlavix-shots"
convert -size 301x62 gradient:'#bfe6ff'-'#2f86d6' "$WINEPREFIX/drive_c/orlavix-shots/odd.png" || exit 1
shoot preview-states-undivided preview-image 4 'C:\orlavix-shots' odd.png ButtonSkin || exit 1
shoot preview-colour preview-colour 4 || exit 1
shoot preview-properties preview-properties 4 || exit 1
shoot main-dialog main 5 "$DEMO_HOST" || exit 1
shoot main-dialog-large main-large 5 "$DEMO_HOST" || exit 1
shoot main-dialog-maximised main-max 5 "$DEMO_HOST" || exit 1
shoot editing-colors edit-colors 8 "$DEMO_HOST" || exit 1
shoot editing-image-preview edit-image 8 "$DEMO_HOST" || exit 1
shoot editing-image-states edit-states 8 "$DEMO_HOST" || exit 1
for kind in text number choice image colour; do
  shoot "editing-value-$kind" "edit-value-$kind" 8 "$DEMO_HOST" || exit 1
done
shoot editing-options edit-options 8 "$DEMO_HOST" || exit 1
shoot editing-save-question edit-save-question 8 "$DEMO_HOST" || exit 1
shoot editing-merge-question edit-merge-question 7 "$DEMO_HOST" || exit 1
shoot editing-merge-report edit-merge-report 6.5 "$DEMO_HOST" || exit 1
shoot main-dialog-report main-report 9 "$DEMO_HOST" || exit 1
shoot main-dialog-extra-text main-extra 9 "$DEMO_HOST" || exit 1
shoot main-dialog-backups main-backups 8 "$DEMO_HOST" || exit 1
shoot main-dialog-backup-question main-backup-question 10 "$DEMO_HOST" || exit 1
shoot main-dialog-row-menu main-row-menu 8 "$DEMO_HOST" || exit 1

# orlavix-check on the installed demo, run in the installation's folder as
# "orlavix-check bin\Velquor.exe > report" and its report opened in Notepad:
# this Wine's console draws Japanese text in cells too wide to read.
REPORT="$WINEPREFIX/drive_c/orlavix-check.txt"
(cd "$INSTALL" && orlavix_wine "$BUILD/win64/check/orlavix-check.exe" 'bin\Velquor.exe' > "$REPORT" 2> /dev/null)
NOTEPAD='HKCU\Software\Microsoft\Notepad'
orlavix_wine reg add "$NOTEPAD" /v lfFaceName /d 'IPAゴシック' /f > /dev/null 2>&1
for value in iPointSize=110 iWindowPosX=80 iWindowPosY=250 iWindowPosDX=1120 iWindowPosDY=260; do
  orlavix_wine reg add "$NOTEPAD" /v "${value%=*}" /t REG_DWORD /d "${value#*=}" /f > /dev/null 2>&1
done
wineserver -w
shoot orlavix-check-report notepad 4 'C:\orlavix-check.txt' || exit 1

# The README's pictures: the windows cut out of the desktop, with a margin.
mkdir -p "$ROOT/docs"
for picture in main-dialog:main-dialog editing-colors:editing editing-value-image:value-dialog \
    editing-value-colour:colour-chooser main-dialog-report:unused-missing-report \
    editing-image-states:image-states orlavix-check-report:orlavix-check; do
  shot="$OUT/${picture%%:*}.png"
  convert "$shot" -trim +repage -bordercolor "$(convert "$shot" -format '%[pixel:p{0,0}]' info:)" -border 16 \
    "$ROOT/docs/${picture#*:}.png" || exit 1
done
