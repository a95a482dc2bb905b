# Helpers for the production's end-to-end tests, on top of frame_lib.sh.
# The scripts get the windowed production (ZEPH) and a folder holding the
# default data/ (DATA); ZEPH_E2E_RUNNER (wine for Windows builds) runs it.
source "$(dirname "${BASH_SOURCE[0]}")/frame_lib.sh"

# production_inputs FILE...: the production and the helpers exist, and DATA
# holds data/ (cross builds take it from a native build).
production_inputs() {
  local file
  for file in "$@"; do [ -e "$file" ] || e2e_fail "$file is missing"; done
  [ -d "$DATA/data" ] || e2e_fail "no data/ in $DATA: build the native preset first (it makes the default data)"
}

# production_folder DIR: a folder to run the production in, with a copy of
# the default data that the test may break.
production_folder() {
  mkdir -p "$1"
  cp -r "$DATA/data" "$1/"
}

# production_start DIR: starts the production in DIR, its pid in DEMO_PID,
# its standard output and error in DIR.out and DIR.err. The production draws
# frames back to back; with Mesa's software renderer on every core, and on a
# machine busy with other work, the sound server's periods would starve,
# which a graphics card spares them. So the renderer draws on the calling
# thread alone and, as root, the production runs ahead of other work (see
# e2e_program_start); under Wine, with E2E_WINE_SOUND.
production_start() {
  local wine=()
  [ -z "${ZEPH_E2E_RUNNER:-}" ] || wine=("${E2E_WINE_SOUND[@]}")
  # shellcheck disable=SC2016
  LP_NUM_THREADS=0 e2e_program_start -10 "${wine[@]}" bash -c 'cd "$1" && shift && exec "$@"' start "$1" \
    ${ZEPH_E2E_RUNNER:-} "$ZEPH" >"$1.out" 2>"$1.err"
  DEMO_PID=$E2E_LAST_PID
}

# named_window NAME SECONDS [PID [OTHER]]: the id of a viewable window called
# exactly NAME, other than the window OTHER; gives up once PID, when given,
# has ended. (xdotool does not find SDL's message box by its name; xwininfo does.)
named_window() {
  local name=$1 limit=$2 pid=${3:-} other=${4:-} id
  local deadline=$((SECONDS + limit))
  while :; do
    id=$(viewable_window "$name" "$other") && { echo "$id"; return 0; }
    [ $SECONDS -lt $deadline ] || return 1
    [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
}

# production_window DIR [OTHER]: the id of the window of the production
# started in DIR, once it shows (OTHER: another production's window to pass
# over); when none shows, what the production said and which windows the
# display has.
production_window() {
  named_window zeph 60 "$DEMO_PID" "${2:-}" && return 0
  kill -0 "$DEMO_PID" 2>/dev/null && e2e_log "zeph still runs" || e2e_log "zeph has ended"
  cat "$1.out" "$1.err" >&2
  xwininfo -root -tree >&2
  e2e_fail "no zeph window within 60 s"
}

# capture_client WINDOW FILE: the screen from the window's top-left corner,
# a little more than the client area (a border may come first), as PNG.
# Only a raw picture is taken at once, light enough not to disturb the
# sound; finish_captures converts them when the production has ended.
capture_client() {
  local x y
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  python3 "$E2E_HERE/grab_screen.py" "$x" "$y" 648 488 "$2.ppm" || e2e_fail "could not take $2"
  echo "$2" >>captures.list
}

finish_captures() {
  local file
  while read -r file; do
    convert "$file.ppm" "PNG24:$file" || e2e_fail "could not convert $file.ppm"
  done <captures.list
}

# box_of PID SECONDS: the id of the "Error!" box, once one shows while PID
# runs; fails when PID ends first or nothing shows within SECONDS.
box_of() {
  local pid=$1 deadline=$((SECONDS + $2)) id
  while kill -0 "$pid" 2>/dev/null; do
    id=$(named_window 'Error!' 0) && { echo "$id"; return 0; }
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
  return 1
}

# expect_error_box DIR TEXT: the production started in DIR shows the
# "Error!" box with TEXT, exactly as zeph_error_box shows TEXT; dismissed,
# the production ends with status 255. Returns 2 when, instead, the platform
# could not show the box and the production wrote TEXT to standard error
# (SDL does so when its box fails).
expect_error_box() {
  local dir=$1 text=$2 box
  if ! box=$(box_of "$DEMO_PID" 60); then
    expect_status 255
    grep -qF "Error! $text" "$dir.err" && return 2
    cat "$dir.err" >&2
    e2e_fail "no Error! box (expected: $text)"
  fi
  sleep 0.5 # drawn
  import -window "$box" PNG24:shown.png
  xdotool windowfocus --sync "$box" key Return || e2e_fail "could not dismiss the box"
  expect_status 255
  local expected
  expected=reference-$(printf '%s' "$text" | md5sum | cut -c1-12).png
  [ -f "$expected" ] || reference_box "$text" "$expected"
  same_box shown.png "$expected" || e2e_fail "the Error! box does not show: $text"
}

# reference_box TEXT FILE: a picture of the box that shows TEXT (a few tries:
# SDL's box now and then fails to come up on a busy machine).
reference_box() {
  local box try pid
  for try in 1 2 3; do
    e2e_spawn ${ZEPH_E2E_RUNNER:-} "$ZEPH_ERROR_BOX" "$1"
    pid=$E2E_LAST_PID
    if box=$(box_of "$pid" 60); then
      sleep 0.5
      import -window "$box" "PNG24:$2"
      xdotool windowfocus --sync "$box" key Return || e2e_fail "could not dismiss the reference box"
      e2e_wait_exit "$pid" 30
      return 0
    fi
    e2e_stop "$pid"
    e2e_log "zeph_error_box showed no box (try $try)"
  done
  e2e_fail "zeph_error_box showed no box"
}

# same_box A B: the two box pictures have the same size and the same text.
same_box() {
  [ "$(identify -format %wx%h "$1")" = "$(identify -format %wx%h "$2")" ] || return 1
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [ "${differing%% *}" -eq 0 ] 2>/dev/null
}

# expect_pictures SHOT...: the i-th SHOT (from capture_client) shows picture
# i the right way up, with the object in front of it and cut by its plane,
# as production_frame_match finds (the matches run side by side).
expect_pictures() {
  local picture pids=() statuses=()
  for ((picture = 0; picture < $#; picture++)); do
    local shot=${*:picture+1:1}
    "$MATCHER" "$DATA" "$shot" "$picture" >"$shot.match" 2>&1 &
    pids+=($!)
  done
  for ((picture = 0; picture < $#; picture++)); do
    local status=0
    wait "${pids[picture]}" || status=$?
    statuses+=("$status")
  done
  for ((picture = 0; picture < $#; picture++)); do
    local shot=${*:picture+1:1}
    e2e_log "$shot: $(cat "$shot.match")"
    [ "${statuses[picture]}" = 0 ] || e2e_fail "$shot is not picture $picture with the object cut by its plane"
  done
}

# wait_until SECOND: sleeps until the script's clock ($SECONDS) reaches SECOND.
wait_until() {
  local left=$(($1 - SECONDS))
  [ $left -le 0 ] || sleep "$left"
}
