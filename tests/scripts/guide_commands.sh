#!/usr/bin/env bash
# guide_commands.sh GUIDE ROOT: runs every ```sh block of the guide, in order,
# from the repository's root ROOT, each with -euo pipefail; fails naming the
# first block that fails. Blocks marked ```sh win32 run only where the win32
# build has been configured. TMPDIR is a folder of the test's own.
set -euo pipefail
guide=$1
root=$2
export TMPDIR=$(mktemp -d)
trap 'rm -rf "$TMPDIR"' EXIT

blocks=0
ran=0
block=""
tag=""
inside=0
run_block() {
  blocks=$((blocks + 1))
  if [ "$tag" = "win32" ] && [ ! -f "$root/build/win32/CMakeCache.txt" ]; then
    echo "block $blocks (win32): skipped, no win32 build configured"
    return
  fi
  echo "block $blocks:"
  printf '%s' "$block" | sed 's/^/  $ /'
  (cd "$root" && bash -euo pipefail -c "$block") || { echo "FAIL: block $blocks of $guide failed"; exit 1; }
  ran=$((ran + 1))
}
while IFS= read -r line; do
  if [ $inside -eq 0 ] && [[ "$line" =~ ^\`\`\`sh( (.*))?$ ]]; then
    inside=1
    tag=${BASH_REMATCH[2]}
    block=""
  elif [ $inside -eq 1 ] && [ "$line" = '```' ]; then
    inside=0
    run_block
  elif [ $inside -eq 1 ]; then
    block+="$line"$'\n'
  fi
done <"$guide"
[ $ran -gt 0 ] || { echo "FAIL: no command block ran"; exit 1; }
echo "guide commands: $ran of $blocks blocks ran and passed"
