# Shared by the scripts under tools/: installing, building, Xvfb and Wine.
# Sourced, it names the checkout (ROOT) and the build folder (BUILD, or
# ORLAVIX_BUILD when set) unless the caller has.
ROOT="${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
BUILD="${BUILD:-${ORLAVIX_BUILD:-$ROOT/build}}"

# fonts-wine: the glyph font of Wine's caption buttons, which otherwise draw
# as letters.
ORLAVIX_PACKAGES=(g++ cmake ninja-build googletest mingw-w64 g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix wine64 wine xvfb xauth x11-utils locales fonts-ipafont-gothic fonts-wine
  imagemagick clang libclang-rt-14-dev zip unzip)

orlavix_install_packages() {
  local missing=() p
  for p in "${ORLAVIX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    local SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq || return 1
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" \
      > "${TMPDIR:-/tmp}/orlavix-apt.log" 2>&1 || { tail -n 30 "${TMPDIR:-/tmp}/orlavix-apt.log"; return 1; }
  fi
  # Japanese for code page 932; English for 1252, where the walks check that
  # nothing depends on the system being Japanese.
  local wanted="" name
  for name in ja_JP en_US; do
    locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || wanted="$wanted $name"
  done
  if [ -n "$wanted" ]; then
    echo "== generating the locales:$wanted"
    local SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    for name in $wanted; do
      if grep -q "^# *$name.UTF-8 UTF-8" /etc/locale.gen; then
        $SUDO sed -i "s/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
      elif ! grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen; then
        echo "$name.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen > /dev/null
      fi
    done
    $SUDO locale-gen > /dev/null || return 1
  fi
}

# Native (with tests and benchmarks), Windows x86_64 (tests, program), Windows
# i686 (program only, linked but never run here) and the fuzz build.
orlavix_configure_build() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  mkdir -p "$BUILD"
  echo "== building"
  _orlavix_cmake native -DCMAKE_BUILD_TYPE=RelWithDebInfo || return 1
  orlavix_build_win64 || return 1
  orlavix_build_win32 || return 1
  if [ -d "$ROOT/fuzz" ] && [ -f "$ROOT/fuzz/CMakeLists.txt" ]; then
    _orlavix_cmake fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DORLAVIX_FUZZ=ON || return 1
  fi
}

# The Windows x86_64 tree: the one that runs here, under Wine.
orlavix_build_win64() {
  mkdir -p "$BUILD"
  _orlavix_cmake win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake"
}

# The Windows i686 tree: the program only, linked but never run here.
orlavix_build_win32() {
  mkdir -p "$BUILD"
  _orlavix_cmake win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DORLAVIX_TESTS=OFF
}

_orlavix_cmake() {
  local dir="$1"; shift
  if [ ! -f "$BUILD/$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD/$dir" -G Ninja "$@" > "$BUILD/cmake-$dir.log" 2>&1 \
      || { tail -n 30 "$BUILD/cmake-$dir.log"; return 1; }
  fi
  ninja -C "$BUILD/$dir" > "$BUILD/ninja-$dir.log" 2>&1 \
    || { grep -E 'error|FAILED' -A3 "$BUILD/ninja-$dir.log" | head -n 60; return 1; }
  echo "   $dir: built"
}

# One Xvfb for the whole run; Wine needs a display even for console tests.
orlavix_start_display() {
  if [ -n "${ORLAVIX_DISPLAY_STARTED:-}" ]; then return 0; fi
  local n
  for n in 91 92 93 94 95 96 97 98; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp > /dev/null 2>&1 &
      ORLAVIX_XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      trap 'orlavix_stop_display' EXIT
      ORLAVIX_DISPLAY_STARTED=1
      return 0
    fi
  done
  echo "no free X display" >&2
  return 1
}

orlavix_stop_display() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k > /dev/null 2>&1 || true; fi
  [ -n "${ORLAVIX_XVFB_PID:-}" ] && kill "$ORLAVIX_XVFB_PID" > /dev/null 2>&1
  return 0
}

orlavix_wine_binary() {
  if command -v wine64 > /dev/null 2>&1; then echo wine64
  elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  else echo wine; fi
}

# A prefix of our own inside the build tree, made once per build folder.
orlavix_prepare_wine() {
  export WINEPREFIX="$BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== creating the Wine prefix"
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$(orlavix_wine_binary)" wineboot -i > "$BUILD/wineboot.log" 2>&1
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { tail -n 20 "$BUILD/wineboot.log"; return 1; }
  fi
  # Unmanaged X windows: without a window manager, Wine otherwise waits two
  # seconds for each closing window to be withdrawn.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$(orlavix_wine_binary)" reg add 'HKCU\Software\Wine\X11 Driver' \
      /v Managed /d N /f > /dev/null 2>&1
    wineserver -w
  fi
  # This Wine looks for its own fonts (fonts-wine) under a path it cannot
  # open; the caption buttons' glyph font must be in the prefix's Fonts.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
}

# Runs a Windows program in the Japanese locale, so that GetACP() is 932.
orlavix_wine() {
  LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$(orlavix_wine_binary)" "$@"
}

# The same in the English locale: GetACP() is 1252.
orlavix_wine_english() {
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$(orlavix_wine_binary)" "$@"
}

# A fresh copy of the demo host at $1 with the stand-in browser in its bin
# folder, so that editing it never changes the repository.
orlavix_copy_demo() {
  rm -rf "$1"
  cp -r "$ROOT/demo" "$1" && cp "$BUILD/win64/tools/standin-host/Velquor.exe" "$1/bin/Velquor.exe"
}
