#!/usr/bin/env bash
# test-web.sh [PAGE_DIR]: the web page's tests in headless Chromium
# (tests/web/web_page_test.js). PAGE_DIR (default dist/zeph-web) holds the
# page that scripts/package-web.sh made, from the data set in build/web/data;
# the native zephtool (preset native) makes the references from that same
# data: pictures by its off-screen capture, the music by its decoder.
# puppeteer-core comes from npm as tests/web/package-lock.json pins it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
page=$(realpath "${1:-dist/zeph-web}")
data=build/web
zephtool=build/native/tools/zephtool/zephtool
modules=build/web-test
for need in "$page/zeph.data" "$data/data/tovi_does_brask.ogg" "$zephtool"; do
  [ -e "$need" ] || { echo "test-web: $need is missing: run scripts/package-web.sh" >&2; exit 2; }
done

bash tests/web/modules.sh "$modules"

work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-web-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/reference"
for t in 10 30 50 70; do
  "$zephtool" capture "$data" "$work/capture$t" --fps 1 --from "$t" --to "$((t + 1))" --frames >"$work/capture.log" 2>&1 || {
    cat "$work/capture.log" >&2
    echo "test-web: FAIL (test instrument): the native capture at $t s failed" >&2
    exit 2
  }
  convert "$work/capture$t/frame-000000.png" -depth 8 "rgb:$work/reference/t$t.rgb"
done
"$zephtool" decode "$data/data/tovi_does_brask.ogg" "$work/music.raw" >/dev/null

NODE_PATH="$root/$modules/node_modules" node tests/web/web_page_test.js "$page" "$work/reference" "$work/music.raw"
