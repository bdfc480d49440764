#!/usr/bin/env bash
# Prepares a Debian machine to cross-build FolionyxReader and run it under Wine.
# Safe to run again: every step checks whether it is already done.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${FOLIONYX_CACHE:-$ROOT/.cache}"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

# fonts-wqy-microhei gives Wine glyphs for Chinese and Japanese text (Pendoric, the Japanese module).
PACKAGES=(cmake ninja-build mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
          wine wine32:i386 wine64 fonts-wine fonts-wqy-microhei xvfb imagemagick googletest
          xauth x11-utils dpkg-dev openssl coreutils)

# A removed package whose configuration files remain is known to dpkg but not installed.
need_packages() {
  for p in "${PACKAGES[@]}"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || return 0
  done
  return 1
}

# An active source-package entry, one-line or deb822 style; commented-out lines do not count.
have_src_entry() {
  grep -rqsE --include='*.list' --include='*.sources' '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  FORCE_UPDATE=1
fi

if ! have_src_entry; then
  $SUDO tee /etc/apt/sources.list.d/folionyx-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  FORCE_UPDATE=1
fi

if need_packages || [ "${FORCE_UPDATE:-0}" = 1 ]; then
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}"
fi

# libpng: no MinGW build in Debian, so build the static library of each flavour from the
# source package.
build_libpng() {
  local flavour="$1" prefix="$CACHE/libpng-$1"
  if [ -f "$prefix/lib/libpng16.a" ] || [ -f "$prefix/lib/libpng.a" ]; then return 0; fi
  mkdir -p "$CACHE/src"
  if ! ls "$CACHE"/src/libpng1.6_*.orig.tar.* >/dev/null 2>&1; then
    (cd "$CACHE/src" && apt-get source --download-only libpng1.6)
  fi
  local tarball tree="$CACHE/src/libpng-tree-$flavour" build="$CACHE/src/libpng-build-$flavour"
  tarball="$(ls "$CACHE"/src/libpng1.6_*.orig.tar.* | head -1)"
  rm -rf "$build" "$tree"
  mkdir -p "$tree"
  tar -xf "$tarball" -C "$tree" --strip-components=1
  cmake -S "$tree" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$flavour.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="/usr/$flavour-w64-mingw32/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$flavour-w64-mingw32/include" >/dev/null
  cmake --build "$build" >/dev/null
  cmake --install "$build" >/dev/null
}
build_libpng i686
build_libpng x86_64
echo "setup: ready (libpng in $CACHE/libpng-i686 and $CACHE/libpng-x86_64)"
