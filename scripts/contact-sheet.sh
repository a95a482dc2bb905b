#!/usr/bin/env bash
# contact-sheet.sh: remakes docs/pictures.png, the README's view of the
# production: its frames at 10, 30, 50 and 70 s of music, one per picture,
# rendered off screen from the native build's default data and laid out two
# by two at 160 x 120 each. The same build makes the same bytes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=build/native

cmake --preset native >/dev/null
cmake --build --preset native -j "${ZEPH_JOBS:-2}" --target production_contact_sheet zeph_data
mkdir -p docs
"$build/tests/production/production_contact_sheet" "$build" docs/pictures.png
echo "wrote docs/pictures.png"
