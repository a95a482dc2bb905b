#!/usr/bin/env bash
# modules.sh DIR: puppeteer-core, as tests/web/package-lock.json pins it, in
# DIR/node_modules for the web page's test and benchmark; npm ci only when
# the pinned set changed. Run from the repository's root.
set -euo pipefail
modules=$1
mkdir -p "$modules"
if ! cmp -s tests/web/package-lock.json "$modules/package-lock.json" || [ ! -d "$modules/node_modules" ]; then
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
