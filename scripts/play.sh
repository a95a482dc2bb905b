#!/usr/bin/env bash
# play.sh [ARGS...]: installs the packages that building and playing need
# (not the test toolchain), builds the native port and its default data set
# without the tests, and runs the production from the build folder, where
# the data/ folder lies beside it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=build/native

bash scripts/install-deps.sh --play
# The preset turns the tests and benchmarks on again for the test run.
cmake --preset native -DZEPH_BUILD_TESTS=OFF -DZEPH_BUILD_BENCH=OFF >/dev/null
cmake --build --preset native -j "${ZEPH_JOBS:-2}" --target zeph zeph_data
cd "$build"
exec ./zeph "$@"
