# shellcheck shell=bash disable=SC2154 # the caller sets the variables named below
# deps-common.sh: what build-mingw-deps.sh and build-web-deps.sh share, sourced
# by both. Static libraries from Debian's own source packages (patches
# applied), built with CMake into a prefix that a stamp marks as up to date.
#
# The caller sets: tag (its name, for messages), root, sources, jobs, prefix,
# packages (the source packages), stamp_files (what else the prefix is built
# from) and, before cmake_install, work and cmake_args (toolchain arguments).

# The security archive's newest source files are not always served: name the
# main archive's suite.
fetch_sources() {
  local suite missing=() p
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$sources"
  for p in "${packages[@]}"; do
    compgen -G "$sources/${p}_*.dsc" >/dev/null || missing+=("$p/$suite")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "$tag: fetching Debian sources: ${missing[*]}"
  (cd "$sources" && apt-get source -qq "${missing[@]}" >/dev/null 2>&1) || {
    echo "$tag: 'apt-get source' failed; run scripts/install-deps.sh (it adds deb-src entries)" >&2
    exit 1
  }
}

# The source cache is shared by every prefix: one fetch at a time.
fetch_sources_locked() {
  mkdir -p "$sources"
  exec 9>"$sources/.lock"
  flock 9
  fetch_sources
  flock -u 9
}

# The unpacked source folder of package $1 (one per package in the cache).
source_dir() {
  local dirs=("$sources/$1"-[0-9]*/)
  [ -d "${dirs[0]}" ] && [ ${#dirs[@]} -eq 1 ] || { echo "no single source folder for $1 in $sources" >&2; exit 1; }
  echo "${dirs[0]%/}"
}

# What the prefix was built from: the source packages, the scripts and the toolchain.
stamp_of() {
  local p
  for p in "${packages[@]}"; do cat "$sources/${p}"_*.dsc; done | sha256sum | cut -c1-16
  cat "${BASH_SOURCE[0]}" "${stamp_files[@]}" | sha256sum | cut -c1-16
}

# True when the prefix holds what `stamp` names; else empties a prefix made
# here before (and only such a prefix) and sets `work` to a scratch folder.
prefix_up_to_date() {
  if [ -f "$prefix/.zeph-deps-stamp" ] && [ "$(cat "$prefix/.zeph-deps-stamp")" = "$stamp" ]; then
    echo "$tag: $prefix is up to date"
    return 0
  fi
  work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-deps.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  # Start clean only in a prefix this script made; install over anything else.
  [ -f "$prefix/.zeph-deps-stamp" ] && rm -rf "$prefix"
  mkdir -p "$prefix"
  return 1
}

# run_logged NAME COMMAND...: appends to NAME's log; on failure shows its end and stops.
run_logged() {
  local name=$1
  shift
  "$@" >>"$work/$name.log" 2>&1 || {
    tail -n 40 "$work/$name.log" >&2
    echo "$tag: $name failed (log above)" >&2
    exit 1
  }
}

# cmake_install NAME SOURCE_DIR [CMAKE ARGS...]
cmake_install() {
  local name=$1 src=$2
  shift 2
  echo "$tag: $name"
  run_logged "$name" "${cmake_launcher[@]}" cmake -S "$src" -B "$work/$name" -G Ninja -Wno-dev "${cmake_args[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_SHARED_LIBS=OFF "$@"
  run_logged "$name" cmake --build "$work/$name" -j "$jobs"
  run_logged "$name" cmake --install "$work/$name"
}

# install_ogg_vorbis_png [BEFORE_PNG]: the three Xiph and PNG libraries, with
# the same arguments for every target. Most of a configure is checks that run
# one compiler at a time: ogg and then vorbis (which needs ogg) build beside
# png, which comes after the command BEFORE_PNG (the zlib it needs).
install_ogg_vorbis_png() {
  (
    cmake_install ogg "$(source_dir libogg)" -DINSTALL_DOCS=OFF
    cmake_install vorbis "$(source_dir libvorbis)"
  ) &
  local xiph=$!
  (
    "${1:-true}"
    cmake_install png "$(source_dir libpng1.6)" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF -DSKIP_INSTALL_PROGRAMS=ON
  ) &
  local png=$! failed=0
  wait "$xiph" || failed=1
  wait "$png" || failed=1
  [ $failed -eq 0 ] || exit 1
  # libpng links libpng.pc to libpng16.pc only on some targets.
  [ -e "$prefix/lib/pkgconfig/libpng.pc" ] || cp "$prefix/lib/pkgconfig/libpng16.pc" "$prefix/lib/pkgconfig/libpng.pc"
}

# Fails unless every named .pc file was installed.
check_pc_files() {
  local pc
  for pc in "$@"; do
    [ -f "$prefix/lib/pkgconfig/$pc.pc" ] || { echo "$tag: $pc.pc was not installed" >&2; exit 1; }
  done
}
