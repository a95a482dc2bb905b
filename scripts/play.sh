#!/usr/bin/env bash
# play.sh [ARGS...]: installs the packages, builds the native port and runs the
# production from the build folder, beside its default data/ folder.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=build/native

bash scripts/install-deps.sh
cmake --preset native >/dev/null

has_target() { grep -q "^$1: " < <(ninja -C "$build" -t targets all 2>/dev/null); }

if has_target zeph; then
  targets=(zeph)
  has_target zeph_data && targets+=(zeph_data)
  cmake --build --preset native -j "${ZEPH_JOBS:-2}" --target "${targets[@]}"
  exe=$(find "$build" -maxdepth 2 -type f -executable -name zeph | head -n1)
  cd "$(dirname "$exe")"
  [ -d data ] || echo "play.sh: no data/ folder beside $exe" >&2
  exec ./zeph "$@"
elif has_target zeph_frame_demo; then
  cmake --build --preset native -j "${ZEPH_JOBS:-2}" --target zeph_frame_demo
  echo "play.sh: the production comes later; running the frame test program instead."
  exec "$build/tests/app/zeph_frame_demo" "$@"
else
  cmake --build --preset native -j "${ZEPH_JOBS:-2}"
  echo "play.sh: built everything; the production comes later."
fi
