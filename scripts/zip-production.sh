#!/usr/bin/env bash
# zip-production.sh EXE TOOL README ZIP: a production's Windows release zip:
# EXE, the data set that the native TOOL (the production's NAMEtool) makes
# and checks, and README (written with CRLF line ends) as README.txt, with
# fixed file times and order, so that the archive changes only where its
# contents do.
set -euo pipefail
exe=$1
tool=$2
readme=$3
archive=$(realpath -m "$4")
name=$(basename "$exe")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$(dirname "$archive")"
cp "$exe" "$stage/$name"
"$tool" make-data "$stage"
"$tool" check "$stage"
sed 's/$/\r/' <"$readme" >"$stage/README.txt"

rm -f "$archive"
find "$stage" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
(cd "$stage" && find "$name" README.txt data -type f | LC_ALL=C sort | TZ=UTC zip -X -q -D "$archive" -@)
echo "wrote $archive:"
unzip -l "$archive"
