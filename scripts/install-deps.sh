#!/usr/bin/env bash
# install-deps.sh [--play | --print-sources]
# Installs the Debian packages zeph needs: with --play only what building and
# playing the native production needs; by default that and what testing adds.
# --print-sources prints the deb-src entries it would add, and changes nothing.
# Idempotent and quiet: safe to run any number of times.
#
# Environment: ZEPH_APT_DIR (default /etc/apt) and ZEPH_OS_RELEASE (default
# /etc/os-release) name the package configuration read and written.
set -euo pipefail

play_packages=(
  build-essential cmake ninja-build pkg-config
  libogg-dev libvorbis-dev libpng-dev zlib1g-dev nlohmann-json3-dev libssl-dev
  libsdl2-dev libpulse-dev libgl-dev libglu1-mesa-dev libosmesa6-dev
  libavcodec-dev libavformat-dev libswscale-dev libswresample-dev
)
test_packages=(
  git ca-certificates
  clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev libassimp-dev valgrind
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  libz-mingw-w64-dev dpkg-dev
  wine wine64
  xvfb xfonts-base xdotool x11-utils imagemagick
  pulseaudio pulseaudio-utils
  vorbis-tools python3 zip unzip binutils-mingw-w64
  emscripten chromium
)

apt_dir=${ZEPH_APT_DIR:-/etc/apt}
os_release=${ZEPH_OS_RELEASE:-/etc/os-release}

# The deb-src entries that `apt-get source` needs, derived from the machine's
# own deb entries for the Debian archive: the same URIs, components and key,
# for the release's main suite (the one the MinGW dependency build names).
# Entries of other archives (another key, or no such suite) are left out.
derive_src_entries() {
  local suite
  # shellcheck source=/dev/null
  suite=$(. "$os_release" && echo "$VERSION_CODENAME")
  local files=()
  for f in "$apt_dir"/sources.list "$apt_dir"/sources.list.d/*.list "$apt_dir"/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk -v suite="$suite" '
    function has(list, word,   n, i, parts) {
      n = split(list, parts, /[ \t]+/)
      for (i = 1; i <= n; i++) if (parts[i] == word) return 1
      return 0
    }
    function debian_key(key) { return key == "" || key ~ /debian-archive-keyring/ }
    function emit(uris, comps, key) {
      if (seen[uris SUBSEP comps]++) return
      printf "%sTypes: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", (n++ ? "\n" : ""), uris, suite, comps
      if (key != "") printf "Signed-By: %s\n", key
    }
    function flush() {
      if (has(f["types"], "deb") && tolower(f["enabled"]) != "no" && has(f["suites"], suite) &&
          has(f["components"], "main") && debian_key(f["signed-by"]))
        emit(f["uris"], f["components"], f["signed-by"])
      delete f
    }
    # deb822 stanzas: "Field: value" lines, a blank line between stanzas.
    FILENAME ~ /\.sources$/ {
      if (FNR == 1) flush()
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if ($0 ~ /^#/) next
      # A continuation line (an inline key, say) belongs to the field above.
      if ($0 ~ /^[ \t]/) { value = $0; gsub(/^[ \t]+/, "", value); f[name] = f[name] " " value; next }
      if (match($0, /^[A-Za-z-]+:/)) {
        name = tolower(substr($0, 1, RLENGTH - 1))
        value = substr($0, RLENGTH + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        f[name] = value
      }
      next
    }
    # One-line entries: deb [options] URI SUITE COMPONENT...
    $1 == "deb" {
      flush()
      line = $0
      key = ""
      if (match(line, /\[[^]]*\]/)) {
        options = substr(line, RSTART + 1, RLENGTH - 2)
        line = substr(line, 1, RSTART - 1) substr(line, RSTART + RLENGTH)
        if (match(options, /signed-by=[^ \t]+/)) key = substr(options, RSTART + 10, RLENGTH - 10)
      }
      split(line, w, /[ \t]+/)
      comps = ""
      for (i = 4; i in w; i++) if (w[i] != "") comps = comps (comps == "" ? "" : " ") w[i]
      if (w[3] == suite && has(comps, "main") && debian_key(key)) emit(w[2], comps, key)
    }
    END { flush() }
  ' "${files[@]}"
}

has_src_entries() {
  grep -rqs '^Types:.*deb-src' "$apt_dir"/sources.list.d/ || grep -rqs '^deb-src' "$apt_dir"/sources.list "$apt_dir"/sources.list.d/
}

mode=all
case "${1:-}" in
  --play) mode=play ;;
  --print-sources) derive_src_entries; exit 0 ;;
  "") ;;
  *) echo "usage: $0 [--play | --print-sources]" >&2; exit 2 ;;
esac

packages=("${play_packages[@]}")
[ "$mode" = play ] || packages+=("${test_packages[@]}")

# 32-bit Wine, for the shipped executable and the win32 build's tests, where
# the machine runs 32-bit programs; elsewhere it would stop 64-bit Wine too.
here=$(dirname "${BASH_SOURCE[0]}")
wine32=""
if [ "$mode" = all ]; then
  if bash "$here/runs-i386.sh"; then
    wine32=1
    packages+=(wine32:i386)
  else
    echo "install-deps: this machine does not run 32-bit programs: no wine32, the win32 build's tests cannot run" >&2
  fi
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  grep -q 'install ok installed' < <(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) || missing+=("$p")
done

# The tests' MinGW builds unpack Debian's sources with apt-get source, which
# needs deb-src entries; a fresh machine has only deb ones.
if [ "$mode" = all ] && ! has_src_entries; then
  entries=$(derive_src_entries)
  if [ -z "$entries" ]; then
    echo "install-deps: no Debian archive entry in $apt_dir to derive a deb-src entry from" >&2
    exit 1
  fi
  $sudo tee "$apt_dir/sources.list.d/zeph-src.sources" >/dev/null <<<"$entries"
  need_update=1
fi

# wine32:i386 needs the i386 architecture, and its package lists, first.
if [ -n "$wine32" ] && ! grep -qx i386 < <(dpkg --print-foreign-architectures); then
  $sudo dpkg --add-architecture i386
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
