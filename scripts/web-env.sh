# shellcheck shell=bash
# web-env.sh: what Debian's emscripten needs here, sourced by the web scripts.
# emcc runs its JavaScript optimiser under node with Debian's acorn, which
# lives in /usr/share/nodejs; a node installed from elsewhere does not look there.
# shellcheck disable=SC2034 # used by the scripts that source this
ZEPH_NODE=$(command -v node)
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
