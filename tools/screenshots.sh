#!/usr/bin/env bash
# Photographs the windows as a person sees them: each is shown under a Wine
# virtual desktop (so that windows have their frames) inside Xvfb, and the
# screen is written as a PNG under build/screenshots/.
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${ORLAVIX_BUILD:-$ROOT/build}"
source "$ROOT/tools/env.sh"

orlavix_install_packages || exit 1
orlavix_build_win64 || exit 1
orlavix_start_display || exit 1
orlavix_prepare_wine || exit 1

OUT="$BUILD/screenshots"
SCREENS="$BUILD/win64/tests/window/orlavix_screens.exe"
mkdir -p "$OUT"

# The main dialog is shown on a copy of the demo host, as tools/run.sh does.
rm -rf "$BUILD/demo"
cp -r "$ROOT/demo" "$BUILD/demo"
cp "$BUILD/win64/tools/standin-host/Velquor.exe" "$BUILD/demo/bin/Velquor.exe"
DEMO_HOST="$(LANG=ja_JP.UTF-8 "$(orlavix_wine_binary)" winepath -w "$BUILD/demo/bin/Velquor.exe" 2>/dev/null)"

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
shoot preview-image preview-image 4 "Z:$ROOT/demo/resources/skins/Aqua/controls" || exit 1
shoot preview-colour preview-colour 4 || exit 1
shoot preview-properties preview-properties 4 || exit 1
shoot main-dialog main 5 "$DEMO_HOST" || exit 1
shoot main-dialog-large main-large 5 "$DEMO_HOST" || exit 1
shoot main-dialog-maximised main-max 5 "$DEMO_HOST" || exit 1
shoot editing-colors edit-colors 8 "$DEMO_HOST" || exit 1
shoot editing-image-preview edit-image 8 "$DEMO_HOST" || exit 1
for kind in text number choice image; do
  shoot "editing-value-$kind" "edit-value-$kind" 8 "$DEMO_HOST" || exit 1
done
shoot editing-save-question edit-save-question 8 "$DEMO_HOST" || exit 1
shoot main-dialog-report main-report 9 "$DEMO_HOST" || exit 1
shoot main-dialog-extra-text main-extra 9 "$DEMO_HOST" || exit 1
# The choosing-mode picture that README shows.
mkdir -p "$ROOT/docs"
cp "$OUT/main-dialog.png" "$ROOT/docs/main-dialog.png"
cp "$OUT/editing-colors.png" "$ROOT/docs/editing.png"
