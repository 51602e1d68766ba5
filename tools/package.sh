#!/usr/bin/env bash
# Builds the two downloads under build/dist/: orlavix-<version>-x86.zip (the
# i686 program, for 32-bit and 64-bit Windows) and orlavix-<version>-x64.zip,
# each with orlavix.exe, a Japanese read-me and the licence. The programs are
# stripped; their symbols stay under build/dist/symbols/<arch>/, out of the
# zips. Fails when the program would need any DLL that Windows does not ship,
# or when the x64 program is larger than a small tool should be.
set -uo pipefail

source "$(dirname "$0")/env.sh"
orlavix_install_packages && orlavix_build_win64 && orlavix_build_win32 || exit 1

VERSION=$(sed -n 's/^#define ORLAVIX_VERSION_TEXT "\(.*\)"/\1/p' "$ROOT/support/version.h")
DIST="$BUILD/dist"
mkdir -p "$DIST"

# DLLs every Windows since XP carries; anything else would have to be shipped.
SYSTEM_DLLS="kernel32 user32 gdi32 comdlg32 comctl32 shell32 shlwapi ole32 oleaut32 advapi32 gdiplus msvcrt version uxtheme"

check_imports() {
  local exe="$1" objdump="$2" dll status=0
  for dll in $("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//'); do
    if ! grep -qw "$dll" <<< "$SYSTEM_DLLS"; then
      echo "   $exe imports $dll.dll, which is not part of Windows" >&2
      status=1
    fi
  done
  return $status
}

# The x64 orlavix.exe as downloaded, at most: room for undo, the merge and the
# preview of states (about 810 KB with them), and a warning before it bloats.
MAX_X64_BYTES=900000

# Text files for Windows: CR LF line ends, the read-me with a byte-order mark
# so that every Notepad reads it as UTF-8.
to_windows_text() { sed 's/\r\?$/\r/' "$1"; }

make_zip() {
  local arch="$1" exe="$2" tools="$3" stage zip symbols size
  check_imports "$exe" "${tools}objdump" || return 1
  stage="$DIST/orlavix-$VERSION-$arch"
  zip="$DIST/orlavix-$VERSION-$arch.zip"
  symbols="$DIST/symbols/$arch"
  rm -rf "$stage" "$zip" "$symbols"
  mkdir -p "$stage" "$symbols"
  # The debug information goes beside the zip, and the stripped program names
  # it, so that a debugger given both finds the symbols.
  "${tools}objcopy" --only-keep-debug "$exe" "$symbols/orlavix.exe.debug" || return 1
  "${tools}strip" --strip-all -o "$stage/orlavix.exe" "$exe" || return 1
  (cd "$symbols" && "${tools}objcopy" --add-gnu-debuglink=orlavix.exe.debug "$stage/orlavix.exe") || return 1
  size=$(stat -c %s "$stage/orlavix.exe")
  if [ "$arch" = x64 ] && [ "$size" -gt "$MAX_X64_BYTES" ]; then
    echo "   the x64 orlavix.exe is $size bytes, more than $MAX_X64_BYTES" >&2
    return 1
  fi
  { printf '\xef\xbb\xbf'; to_windows_text "$ROOT/dist/readme-ja.txt"; } > "$stage/readme.txt"
  to_windows_text "$ROOT/LICENSE" > "$stage/LICENSE.txt"
  (cd "$stage" && zip -q -X "$zip" orlavix.exe readme.txt LICENSE.txt) || return 1
  rm -rf "$stage"
  echo "   $zip (orlavix.exe $size bytes; symbols in $symbols)"
}

echo "== packaging $VERSION"
make_zip x86 "$BUILD/win32/app/orlavix.exe" i686-w64-mingw32- || exit 1
make_zip x64 "$BUILD/win64/app/orlavix.exe" x86_64-w64-mingw32- || exit 1
