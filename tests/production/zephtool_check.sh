#!/usr/bin/env bash
# zephtool_check.sh ZEPHTOOL FOLDER: `zephtool check` passes the default set
# in FOLDER/data (status 0), and for a copy with one picture missing and the
# object broken prints the music's length and one line for each problem,
# naming the file, with status 1.
set -euo pipefail
zephtool=$1
folder=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$zephtool" check "$folder" >"$work/good.out" || { cat "$work/good.out"; echo "FAIL: the default set does not pass"; exit 1; }

cp -r "$folder/data" "$work/"
rm "$work/data/vote.png"
printf 'not an object' >"$work/data/bl0ah.lwo"
status=0
"$zephtool" check "$work" >"$work/bad.out" || status=$?
cat "$work/bad.out"
[ $status -eq 1 ] || { echo "FAIL: status $status for a broken folder, expected 1"; exit 1; }
[ "$(wc -l <"$work/bad.out")" -eq 3 ] || { echo "FAIL: expected three lines"; exit 1; }
grep -q '/tovi_does_brask.ogg: the music lasts' "$work/bad.out" || { echo "FAIL: no line on the music"; exit 1; }
grep -q '/vote.png: missing' "$work/bad.out" || { echo "FAIL: no line for vote.png"; exit 1; }
grep -q '/bl0ah.lwo: unreadable' "$work/bad.out" || { echo "FAIL: no line for bl0ah.lwo"; exit 1; }
echo "zephtool check: passed"
