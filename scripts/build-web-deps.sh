#!/usr/bin/env bash
# build-web-deps.sh PREFIX
# Builds zlib, libogg, libvorbis (vorbis, vorbisfile, vorbisenc) and libpng as
# static WebAssembly libraries with Debian's emscripten, from Debian's own
# source packages (patches applied), and installs them with their .pc files
# into PREFIX. emscripten's own ports are not used (its cache is frozen).
# Does nothing when PREFIX already holds these sources.
#
# Environment: ZEPH_SOURCES (source cache, default <repo>/build/.sources),
# ZEPH_JOBS (build parallelism, default 2).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 PREFIX" >&2
  exit 2
fi
prefix=$(realpath -m "$1")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sources=$(realpath -m "${ZEPH_SOURCES:-$root/build/.sources}")
jobs=${ZEPH_JOBS:-2}
tag=build-web-deps
toolchain=$root/cmake/emscripten.cmake
# shellcheck source=scripts/deps-common.sh
. "$root/scripts/deps-common.sh"
# shellcheck source=scripts/web-env.sh
. "$root/scripts/web-env.sh"

packages=(zlib libogg libvorbis libpng1.6)
stamp_files=("${BASH_SOURCE[0]}" "$toolchain" "$root/scripts/web-env.sh")
fetch_sources_locked
stamp=$(stamp_of)
prefix_up_to_date && exit 0

# zlib's own configure builds in its source folder: build a copy.
install_zlib() {
  echo "$tag: zlib"
  cp -a "$(source_dir zlib)" "$work/zlib"
  (
    cd "$work/zlib"
    run_logged zlib emconfigure ./configure --static --prefix="$prefix"
    run_logged zlib emmake make -j "$jobs" libz.a
    run_logged zlib emmake make install
  )
}

# emcmake's own test runner passes node a flag that node 20 rejects, and
# CMake's type checks then fail without a word: the toolchain names its own.
cmake_launcher=(emcmake)
cmake_args=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZEPH_WEB_PREFIX="$prefix"
  -DCMAKE_CROSSCOMPILING_EMULATOR="$ZEPH_NODE;--no-experimental-fetch" -DCMAKE_FIND_ROOT_PATH="$prefix")
install_ogg_vorbis_png install_zlib
check_pc_files zlib ogg vorbis vorbisfile vorbisenc libpng
echo "$stamp" >"$prefix/.zeph-deps-stamp"
echo "$tag: installed into $prefix"
