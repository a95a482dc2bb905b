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
archive=dist/zeph-win32.zip

bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs" --target zeph
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target zephtool

exe=build/win32/zeph.exe
grep -q 'file format pei-i386' < <(i686-w64-mingw32-objdump -f "$exe") || { echo "$exe is not a 32-bit executable" >&2; exit 1; }

bash scripts/zip-production.sh "$exe" build/native/tools/zephtool/zephtool production/README.txt "$archive"
