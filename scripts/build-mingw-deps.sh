#!/usr/bin/env bash
# build-mingw-deps.sh TRIPLE PREFIX
# Builds libogg, libvorbis (vorbis, vorbisfile, vorbisenc) and libpng as static
# MinGW-w64 libraries from Debian's own source packages (patches applied) and
# installs them, with their .pc files, into PREFIX. zlib comes from
# libz-mingw-w64-dev. Does nothing when PREFIX already holds these sources.
#
# Environment: ZEPH_SOURCES (source cache, default <repo>/build/.sources),
# ZEPH_JOBS (build parallelism, default 2).
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 TRIPLE PREFIX   (TRIPLE: i686-w64-mingw32 or x86_64-w64-mingw32)" >&2
  exit 2
fi
triple=$1
prefix=$(realpath -m "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sources=$(realpath -m "${ZEPH_SOURCES:-$root/build/.sources}")
jobs=${ZEPH_JOBS:-2}

case "$triple" in
  i686-w64-mingw32) toolchain=$root/cmake/mingw-i686.cmake ;;
  x86_64-w64-mingw32) toolchain=$root/cmake/mingw-x86_64.cmake ;;
  *) echo "unknown triple: $triple" >&2; exit 2 ;;
esac

suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
packages=(libogg libvorbis libpng1.6)

# The security archive's newest source files are not always served: name the
# main archive's suite.
fetch_sources() {
  mkdir -p "$sources"
  local missing=() p
  for p in "${packages[@]}"; do
    compgen -G "$sources/${p}_*.dsc" >/dev/null || missing+=("$p/$suite")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "build-mingw-deps: fetching Debian sources: ${missing[*]}"
  (cd "$sources" && apt-get source -qq "${missing[@]}" >/dev/null 2>&1) || {
    echo "build-mingw-deps: 'apt-get source' failed; run scripts/install-deps.sh (it adds deb-src entries)" >&2
    exit 1
  }
}

# The unpacked source folder of package $1 (one per package in the cache).
source_dir() {
  local dirs=("$sources/$1"-[0-9]*/)
  [ -d "${dirs[0]}" ] && [ ${#dirs[@]} -eq 1 ] || { echo "no single source folder for $1 in $sources" >&2; exit 1; }
  echo "${dirs[0]%/}"
}

# What the prefix was built from: the source packages, this script and the toolchain.
stamp_of() {
  local p
  for p in "${packages[@]}"; do cat "$sources/${p}"_*.dsc; done | sha256sum | cut -c1-16
  cat "${BASH_SOURCE[0]}" "$toolchain" "$root/cmake/mingw-common.cmake" | sha256sum | cut -c1-16
  echo "$triple"
}

# cmake_install NAME SOURCE_DIR [CMAKE ARGS...]
cmake_install() {
  local name=$1 src=$2
  shift 2
  echo "build-mingw-deps: $name for $triple"
  cmake -S "$src" -B "$work/$name" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZEPH_MINGW_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name" -j "$jobs" >>"$work/$name.log" 2>&1 &&
    cmake --install "$work/$name" >>"$work/$name.log" 2>&1 || {
    tail -n 40 "$work/$name.log" >&2
    echo "build-mingw-deps: $name failed (log above)" >&2
    exit 1
  }
}

# The source cache is shared by both triples: one fetch at a time.
mkdir -p "$sources"
exec 9>"$sources/.lock"
flock 9
fetch_sources
flock -u 9

stamp=$(stamp_of)
if [ -f "$prefix/.zeph-deps-stamp" ] && [ "$(cat "$prefix/.zeph-deps-stamp")" = "$stamp" ]; then
  echo "build-mingw-deps: $prefix is up to date"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-mingw-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Start clean only in a prefix this script made; install over anything else.
[ -f "$prefix/.zeph-deps-stamp" ] && rm -rf "$prefix"
mkdir -p "$prefix"

cmake_install ogg "$(source_dir libogg)" -DINSTALL_DOCS=OFF
cmake_install vorbis "$(source_dir libvorbis)"
cmake_install png "$(source_dir libpng1.6)" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF -DSKIP_INSTALL_PROGRAMS=ON

# libpng links libpng.pc to libpng16.pc only on non-Windows targets.
[ -e "$prefix/lib/pkgconfig/libpng.pc" ] || cp "$prefix/lib/pkgconfig/libpng16.pc" "$prefix/lib/pkgconfig/libpng.pc"
for pc in ogg vorbis vorbisfile vorbisenc libpng; do
  [ -f "$prefix/lib/pkgconfig/$pc.pc" ] || { echo "build-mingw-deps: $pc.pc was not installed" >&2; exit 1; }
done
echo "$stamp" >"$prefix/.zeph-deps-stamp"
echo "build-mingw-deps: installed into $prefix"
