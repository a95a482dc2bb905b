#!/usr/bin/env bash
# startup.sh BUILD_DIR [RUNS]: start-up of the native production on the
# build's default data, RUNS times (5 unless told). Needs a display and a
# sound server: run it inside scripts/with-test-services.sh.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
cd "$build"
for ((i = 0; i < runs; ++i)); do
  ZEPH_LAUNCH_NS=$(date +%s%N) "$build/bench/bench_startup"
done
