#!/usr/bin/env bash
# install-deps.sh derives its deb-src entries from the machine's own Debian
# archive entries, deb822 or one-line, and from no other archive's.
# Usage: install_deps_sources.sh INSTALL_DEPS_SH
set -euo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

# case NAME: the sample apt folder is $dir/NAME; the expected entries on stdin.
case_() {
  local name=$1
  printf 'VERSION_CODENAME=bookworm\n' >"$dir/$name/os-release"
  cat >"$dir/$name/expected"
  ZEPH_APT_DIR=$dir/$name ZEPH_OS_RELEASE=$dir/$name/os-release bash "$script" --print-sources >"$dir/$name/got"
  if diff -u "$dir/$name/expected" "$dir/$name/got"; then
    echo "ok: $name"
  else
    echo "FAIL: $name"
    failed=1
  fi
}

# A fresh Debian 12: deb822 main and security entries, beside a third party's.
mkdir -p "$dir/deb822/sources.list.d"
cat >"$dir/deb822/sources.list.d/debian.sources" <<'SRC'
Types: deb
# a comment
URIs: file:/srv/mirror/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: file:/srv/mirror/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
cat >"$dir/deb822/sources.list.d/other.sources" <<'SRC'
Types: deb
URIs: file:/srv/other
Suites: nodistro
Components: main
Signed-By: /usr/share/keyrings/other.gpg
SRC
case_ deb822 <<'SRC'
Types: deb-src
URIs: file:/srv/mirror/debian
Suites: bookworm
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC

# Older machines: one-line entries, with and without options.
mkdir -p "$dir/oneline/sources.list.d"
cat >"$dir/oneline/sources.list" <<'SRC'
# deb file:/srv/commented bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] file:/srv/mirror/debian bookworm main
deb file:/srv/mirror/debian-security bookworm-security main
deb file:/srv/plain/debian bookworm main non-free
SRC
cat >"$dir/oneline/sources.list.d/other.list" <<'SRC'
deb [signed-by=/usr/share/keyrings/other.gpg] file:/srv/other bookworm main
SRC
case_ oneline <<'SRC'
Types: deb-src
URIs: file:/srv/mirror/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: file:/srv/plain/debian
Suites: bookworm
Components: main non-free
SRC

# Archives that share the release's name but not Debian's key or components,
# an inline key, and a disabled entry: nothing to derive.
mkdir -p "$dir/others/sources.list.d"
cat >"$dir/others/sources.list.d/others.sources" <<'SRC'
Types: deb
URIs: file:/srv/containers
Suites: bookworm
Components: stable

Types: deb
URIs: file:/srv/keyed
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/keyed.gpg

Types: deb
URIs: file:/srv/inline
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----

Enabled: no
Types: deb
URIs: file:/srv/disabled
Suites: bookworm
Components: main
SRC
case_ others </dev/null

exit $failed
