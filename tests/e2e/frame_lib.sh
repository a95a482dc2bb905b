# Helpers for the frame's end-to-end tests, on top of lib.sh. Each script is
# called with the frame test program; ZEPH_E2E_RUNNER (wine for Windows
# builds, else empty) runs it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# What a program under Wine runs with. Wine's PulseAudio driver asks the
# server to hold 30 ms of a stream, refilled every 10 ms by a thread in the
# program's process beside its renderer: on a loaded machine the production's
# stream ran empty 100 to 700 times a run, in bursts of short gaps that
# added up to 100 to 670 ms, whatever the program's own buffers held. Wine
# runs with 60 ms, as Proton gives it (10 to 29 times a run).
E2E_WINE_SOUND=(env PULSE_LATENCY_MSEC=60)
DEMO_TITLE="zeph frame demo"

# frame_setup SCREEN [silent]: the session (and a Wine prefix when a runner
# is set); "silent" starts no sound server (see e2e_setup).
frame_setup() {
  local template=${WINEPREFIX:-}
  e2e_setup "$@"
  [ -z "${ZEPH_E2E_RUNNER:-}" ] || frame_wine_setup "$template"
  cd "$E2E_DIR"
}

# frame_wine_setup [TEMPLATE]: a private Wine prefix, copied from the test
# services' prefix when there is one (seconds instead of a wineboot).
frame_wine_setup() {
  if [ -n "$1" ] && [ -f "$1/system.reg" ]; then
    cp -a "$1" "$E2E_DIR/wine" || e2e_fail "could not copy the Wine prefix"
    export WINEPREFIX="$E2E_DIR/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    E2E_WINE=1
  else
    e2e_wine_setup
  fi
  # Wine makes a prefix's 32-bit half only where wine32 is installed.
  [ -z "${ZEPH_E2E_WINE32:-}" ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
    e2e_fail "the Wine prefix holds no 32-bit Windows (is wine32:i386 installed?): the test's set-up failed, not the program"
}

# make_music FILE SECONDS: test music from the project's synthesizer.
make_music() {
  "$ZEPH_E2E_SYNTH" --seconds "$2" "$1" >/dev/null || e2e_fail "zephsynth failed with status $?"
}

# demo_start OUT ARGS...: starts the frame test program, its standard output
# in OUT; its pid in DEMO_PID. DEMO_NICE (e.g. -10) runs it, and the
# wineserver it starts, at that niceness, ahead of other work (e2e_program_start).
demo_start() {
  local out=$1
  shift
  local program=("$DEMO" "$@")
  [ -z "${ZEPH_E2E_RUNNER:-}" ] || program=("${E2E_WINE_SOUND[@]}" "$ZEPH_E2E_RUNNER" "${program[@]}")
  if [ -n "${DEMO_NICE:-}" ]; then
    e2e_program_start "$DEMO_NICE" "${program[@]}" >"$out"
  else
    e2e_spawn "${program[@]}" >"$out"
  fi
  DEMO_PID=$E2E_LAST_PID
}

# lines OUT: the program's output lines, without the CR that Windows adds.
lines() { tr -d '\r' <"$1"; }

has_line() { lines "$1" | grep -Eq "$2"; }

# wait_marker OUT TEXT SECONDS: waits for a line starting with TEXT in OUT.
wait_marker() {
  e2e_wait_for "$3" has_line "$1" "^$2" || { cat "$1" >&2; e2e_fail "no '$2' within $3 s"; }
}

# expect_line OUT PATTERN: OUT has a line matching the extended regex PATTERN.
expect_line() {
  has_line "$1" "$2" || { cat "$1" >&2; e2e_fail "no line matching '$2'"; }
}

# expect_status STATUS: the demo ended (within 60 s) with this exit status.
expect_status() {
  e2e_wait_exit "$DEMO_PID" 60
  [ "$E2E_STATUS" = "$1" ] || e2e_fail "exit status $E2E_STATUS, expected $1"
}

# pixel PNG X Y: "r,g,b" of one pixel, 0..255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]\n" info:
}

# expect_pixel PNG X Y R,G,B: that pixel has that colour, each channel within 8.
expect_pixel() {
  local got want
  got=$(pixel "$1" "$2" "$3")
  IFS=, read -r -a g <<<"$got"
  IFS=, read -r -a w <<<"$4"
  for i in 0 1 2; do
    local d=$((g[i] - w[i]))
    [ ${d#-} -le 8 ] || e2e_fail "pixel ($2,$3) is $got, expected $4"
  done
}

# viewable_window NAME [OTHER]: the id of a window named NAME that is mapped
# and viewable (not OTHER), if there is one. A window that is only named may
# not be mapped yet (Wine names its windows first), and focusing it fails.
# xwininfo reads names in UTF8_STRING too (SDL's box has no other).
viewable_window() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | awk -v n="\"$1\":" '$2 == n {print $1}'); do
    [ "$id" != "${2:-}" ] || continue
    grep -q 'Map State: IsViewable' < <(xwininfo -id "$id" 2>/dev/null) && { echo "$id"; return 0; }
  done
  return 1
}

# error_box: the id of the "Error!" box, once it shows.
error_box() { viewable_window 'Error!'; }

# wait_error_box SECONDS: waits for the box; its id in ERROR_BOX.
wait_error_box() {
  e2e_wait_for "$1" error_box || return 1
  ERROR_BOX=$(error_box)
}

# dismiss_error_box: presses Return in the box.
dismiss_error_box() {
  xdotool windowfocus --sync "$ERROR_BOX" key Return || e2e_fail "could not dismiss the box"
}
