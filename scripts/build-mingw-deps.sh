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
tag=build-mingw-deps
# shellcheck source=scripts/deps-common.sh
. "$root/scripts/deps-common.sh"

case "$triple" in
  i686-w64-mingw32) toolchain=$root/cmake/mingw-i686.cmake ;;
  x86_64-w64-mingw32) toolchain=$root/cmake/mingw-x86_64.cmake ;;
  *) echo "unknown triple: $triple" >&2; exit 2 ;;
esac

packages=(libogg libvorbis libpng1.6)
stamp_files=("${BASH_SOURCE[0]}" "$toolchain" "$root/cmake/mingw-common.cmake")
fetch_sources_locked
stamp="$(stamp_of)
$triple"
prefix_up_to_date && exit 0

cmake_launcher=()
cmake_args=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZEPH_MINGW_PREFIX="$prefix")
install_ogg_vorbis_png true # png takes the toolchain's own zlib
check_pc_files ogg vorbis vorbisfile vorbisenc libpng
echo "$stamp" >"$prefix/.zeph-deps-stamp"
echo "build-mingw-deps: installed into $prefix"
