#!/usr/bin/env bash
# package-release.sh: the release package in one command. Builds the 32-bit
# Windows production (preset win32), makes the default data set with the
# native zephtool (preset native), checks both, and writes
# dist/zeph-win32.zip: zeph.exe, data/ and README.txt, with fixed file times
# and order, so that the archive changes only where its contents do.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${ZEPH_JOBS:-2}
stage=build/package
archive=dist/zeph-win32.zip

bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs" --target zeph
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target zephtool

exe=build/win32/zeph.exe
grep -q 'file format pei-i386' < <(i686-w64-mingw32-objdump -f "$exe") || { echo "$exe is not a 32-bit executable" >&2; exit 1; }

rm -rf "$stage"
mkdir -p "$stage" dist
cp "$exe" "$stage/zeph.exe"
build/native/tools/zephtool/zephtool make-data "$stage"
build/native/tools/zephtool/zephtool check "$stage"

sed 's/$/\r/' >"$stage/README.txt" <<'TEXT'
zeph
====

A short real-time production: four pictures, one after another, and a
spinning mirror-like knot cutting through them, in time with the music.
It lasts 80 seconds and then ends by itself.

How to run it
- Unpack the whole archive and keep zeph.exe beside the data folder.
- Start zeph.exe from the folder that holds data\ (a double-click does
  that). It switches the screen to 640 x 480 pixels, 32-bit colour, at
  85 Hz where the display offers it and at the display's own rate if not.
- Escape quits at any time.

What it needs
- Windows with OpenGL (the graphics card's driver provides it).
- A sound device: the music plays through the standard wave output.
- A display that offers 640 x 480 at 32 bits; where it does not, zeph
  stops with the message "Could not set fullscreen mode".

If the pictures run ahead of the sound (a wireless speaker or a
television adds a delay that Windows does not know of), set the
environment variable ZEPH_AUDIO_LATENCY_MS to that delay in milliseconds
before starting zeph.exe, for example in a command prompt:
    set ZEPH_AUDIO_LATENCY_MS=150
    zeph.exe
It is 0 when unset.

When something is missing or broken (for example a file in data\), a box
titled "Error!" says what, and zeph ends.
TEXT

rm -f "$archive"
find "$stage" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
(cd "$stage" && find zeph.exe README.txt data -type f | LC_ALL=C sort | TZ=UTC zip -X -q -D "$root/$archive" -@)
echo "wrote $archive:"
unzip -l "$archive"
