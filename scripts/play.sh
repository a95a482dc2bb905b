#!/usr/bin/env bash
# play.sh [ARGS...]: installs the packages, builds the native port and its
# default data set, and runs the production from the build folder, where the
# data/ folder lies beside it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=build/native

bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "${ZEPH_JOBS:-2}" --target zeph zeph_data
cd "$build"
exec ./zeph "$@"
