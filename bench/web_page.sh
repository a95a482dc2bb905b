#!/usr/bin/env bash
# web_page.sh [RUNS] [PAGE_DIR]: the web page's figures in headless Chromium
# (bench/web_page.js), RUNS first visits (5 unless told), beside the native
# off-screen frame cost (bench_capture's draw stage). PAGE_DIR (default
# dist/zeph-web) is what scripts/package-web.sh made. Never part of the
# pass/fail run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
runs=${1:-5}
page=$(realpath "${2:-dist/zeph-web}")
modules=build/web-test
[ -e "$page/zeph.data" ] || { echo "web_page: $page/zeph.data is missing: run scripts/package-web.sh" >&2; exit 2; }

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target bench_capture
bash tests/web/modules.sh "$modules"
native=$(mktemp "${TMPDIR:-/tmp}/zeph-web-bench.XXXXXX")
trap 'rm -f "$native"' EXIT
build/native/bench/bench_capture --benchmark_filter='^draw' --benchmark_color=false \
  --benchmark_out="$native" --benchmark_out_format=json
NODE_PATH="$root/$modules/node_modules" node bench/web_page.js "$page" "$runs" "$native"
