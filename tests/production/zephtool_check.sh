#!/usr/bin/env bash
# zephtool_check.sh ZEPHTOOL FOLDER: `zephtool check` passes the default set
# in FOLDER/data (status 0), and for a copy with one picture missing and the
# object broken prints one line for each, naming the file, with status 1.
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
[ "$(wc -l <"$work/bad.out")" -eq 2 ] || { echo "FAIL: expected two lines"; exit 1; }
grep -q '/vote.png: missing' "$work/bad.out" || { echo "FAIL: no line for vote.png"; exit 1; }
grep -q '/bl0ah.lwo: unreadable' "$work/bad.out" || { echo "FAIL: no line for bl0ah.lwo"; exit 1; }
echo "zephtool check: passed"
