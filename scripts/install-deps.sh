#!/usr/bin/env bash
# Installs every Debian package that building and testing zeph needs.
# Idempotent and quiet: safe to run any number of times.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ca-certificates
  clang libclang-rt-14-dev clang-format
  libogg-dev libvorbis-dev libpng-dev zlib1g-dev nlohmann-json3-dev libssl-dev
  libsdl2-dev libgl-dev libglu1-mesa-dev libosmesa6-dev
  libavcodec-dev libavformat-dev libswscale-dev libswresample-dev
  googletest libgtest-dev libbenchmark-dev libassimp-dev valgrind
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  libz-mingw-w64-dev dpkg-dev
  wine wine64
  xvfb xfonts-base xdotool x11-utils imagemagick
  pulseaudio pulseaudio-utils
  vorbis-tools python3 zip unzip binutils-mingw-w64
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  grep -q 'install ok installed' < <(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) || missing+=("$p")
done

# apt-get source needs deb-src entries; a fresh machine has only deb ones.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  $sudo tee /etc/apt/sources.list.d/zeph-src.sources >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
