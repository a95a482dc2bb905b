#!/usr/bin/env bash
# with-test-services.sh COMMAND [ARGS...]
# Runs COMMAND with the services the tests need: one Xvfb (DISPLAY), one
# PulseAudio daemon whose default sink is the null sink "cap" (XDG_RUNTIME_DIR,
# PULSE_RUNTIME_PATH) and one fresh 64-bit Wine prefix, which holds 32-bit
# Windows too where wine32 is installed (WINEPREFIX, WINEDEBUG=-all).
# Everything it started is stopped by process id when it exits; the exit status
# is COMMAND's.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

e2e_setup 1024x768
e2e_log "test services: DISPLAY=$DISPLAY, PulseAudio null sink 'cap'"
e2e_wine_setup
# An untouched copy from which each end-to-end test takes its own prefix.
export ZEPH_WINE_TEMPLATE=$E2E_DIR/wine-template
cp -a "$WINEPREFIX" "$ZEPH_WINE_TEMPLATE"
e2e_log "test services: Wine prefix $WINEPREFIX"

status=0
"$@" || status=$?
exit $status
