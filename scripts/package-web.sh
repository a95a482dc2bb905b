#!/usr/bin/env bash
# package-web.sh: the web page in one command. Makes the default data set
# with the native zephtool (preset native), builds the production for the
# web with that data packed in (preset web), and writes dist/zeph-web/:
# index.html, zeph.js, zeph.wasm and zeph.data, which any static file server
# can serve.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${ZEPH_JOBS:-2}
out=dist/zeph-web

# test-all.sh has installed the packages and built the native tree already
# (ZEPH_NATIVE_BUILT=1), and runs this beside tests that use that tree.
if [ -z "${ZEPH_NATIVE_BUILT:-}" ]; then
  bash scripts/install-deps.sh
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs" --target zephtool
fi
# The web build packs build/web/data, beside zeph, when it links.
rm -rf build/web/data
mkdir -p build/web
build/native/tools/zephtool/zephtool make-data build/web
build/native/tools/zephtool/zephtool check build/web
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target zeph

rm -rf "$out"
mkdir -p "$out"
cp build/web/zeph.html "$out/index.html"
cp build/web/zeph.js build/web/zeph.wasm build/web/zeph.data "$out/"
echo "wrote $out:"
(cd "$out" && ls -l index.html zeph.js zeph.wasm zeph.data && du -cb index.html zeph.js zeph.wasm | tail -n 1 | sed 's/total$/bytes beside the data/')
