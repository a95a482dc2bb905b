#!/usr/bin/env bash
# zephtool decode gives the bytes of oggdec -R over the length the source
# delivers, and that length falls short only by the end-of-file rule.
# Usage: decode_matches_oggdec.sh ZEPHSYNTH ZEPHTOOL OGGDEC
set -euo pipefail
synth=$1 tool=$2 oggdec=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

check() {
  local name=$1
  shift
  "$synth" "$@" "$dir/$name.ogg"
  "$oggdec" -Q -R -o "$dir/$name.ref.raw" "$dir/$name.ogg"
  "$tool" decode "$dir/$name.ogg" "$dir/$name.raw"
  local ours ref
  ours=$(stat -c %s "$dir/$name.raw")
  ref=$(stat -c %s "$dir/$name.ref.raw")
  echo "$name: zephtool $ours bytes, oggdec $ref bytes"
  [ "$ours" -gt 0 ] || { echo "FAIL: $name: nothing decoded"; exit 1; }
  [ "$ours" -le "$ref" ] || { echo "FAIL: $name: more bytes than oggdec"; exit 1; }
  # Up to half a second may stay in the decoder when the file's end is read.
  [ $((ref - ours)) -le 88200 ] || { echo "FAIL: $name: ends too early"; exit 1; }
  cmp -n "$ours" "$dir/$name.raw" "$dir/$name.ref.raw" || { echo "FAIL: $name: bytes differ"; exit 1; }
}

check whole-seconds --seconds 6
check odd-length --seconds 7.3371 --quality 0.1
check high-quality --seconds 3.5 --quality 0.9
check chained --seconds 2.25 --chain 1.5:44100:2
echo "all decodes match oggdec"
