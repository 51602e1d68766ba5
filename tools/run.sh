#!/usr/bin/env bash
# Builds the program and runs it under a Wine virtual desktop, on this display
# when there is one, else inside Xvfb. The demo host is copied into the build
# tree first, so that editing it never changes the repository. Arguments are
# passed to the program.
set -uo pipefail

source "$(dirname "$0")/env.sh"
orlavix_install_packages && orlavix_build_win64 && orlavix_copy_demo "$BUILD/demo" || exit 1

if [ -z "${DISPLAY:-}" ]; then
  orlavix_start_display || exit 1
  echo "== no display: running inside Xvfb on $DISPLAY"
fi
orlavix_prepare_wine || exit 1

# With no arguments the program is pointed at the demo host's executable.
if [ $# -eq 0 ]; then
  set -- "$(LANG=ja_JP.UTF-8 "$(orlavix_wine_binary)" winepath -w "$BUILD/demo/bin/Velquor.exe" 2>/dev/null)"
fi

echo "== running Orlavix"
cd "$BUILD"
orlavix_wine explorer /desktop=orlavix,1280x900 "$BUILD/win64/app/orlavix.exe" "$@"
