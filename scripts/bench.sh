#!/usr/bin/env bash
# bench.sh [REPETITIONS]: builds the native benchmarks and runs every one,
# each REPETITIONS times (3 unless told) with medians, then the start-up
# measurement inside the test services. The capture runs once. The web
# page's figures follow where scripts/package-web.sh has made the page.
# Output goes to build/bench-logs/.
# Never part of the pass/fail run: on a busy machine compare the ratios,
# which are measured in the same run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
repetitions=${1:-3}
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target bench_object bench_png bench_vorbis bench_frame bench_capture bench_startup zeph_data
logs=build/bench-logs
mkdir -p "$logs"
date -u '+%Y-%m-%d %H:%M UTC' | tee "$logs/when.txt"
for name in object png vorbis frame; do
  echo "== $name"
  build/native/bench/bench_$name --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_color=false | tee "$logs/$name.txt"
done
# The whole production is captured once: it takes half a minute.
echo "== capture"
build/native/bench/bench_capture --benchmark_color=false | tee "$logs/capture.txt"
echo "== startup"
scripts/with-test-services.sh bench/startup.sh build/native 5 | tee "$logs/startup.txt"
if [ -e dist/zeph-web/zeph.data ]; then
  echo "== web page"
  bench/web_page.sh 5 | tee "$logs/web_page.txt"
fi
