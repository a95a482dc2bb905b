#!/usr/bin/env bash
# sync.sh OUTPUT [RUNS] [NATIVE_BUILD] [WIN64_BUILD]: picture change minus
# click heard, as a viewer would see and hear it, over RUNS runs (3 unless
# told) of the production on a click track (bench/sync_data): OUTPUT is sdl
# (the native build's windowed production), waveout or directsound (the
# win64 build's, under Wine), or standin (bench/sync_standin.py, whose
# offsets are known: the check of the method). Builds default to build/native
# and build/win64. Each run has its own Xvfb and PulseAudio null sink; run it
# inside scripts/with-test-services.sh (which keeps the Wine prefix to copy).
# Logs and recordings go to NATIVE_BUILD/sync-logs/.
set -euo pipefail
export PYTHONDONTWRITEBYTECODE=1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

# Seconds the pixel is watched once the window shows: past the third click
# at 60 s of music. The sound is recorded from before the start until then.
PIXEL_SECONDS=66
STANDIN_OFFSETS=(-60 0 25)
STANDIN_SECONDS=$((${#STANDIN_OFFSETS[@]} * 3 + 4))

# watch_sound SECONDS DIR: records the sink's monitor into DIR/sound.*, its
# pid in SOUND_PID; SIGTERM ends it early, keeping what it recorded.
watch_sound() {
  python3 "$here/sync_watch.py" sound "$1" "$2/sound" &
  SOUND_PID=$!
  E2E_PIDS+=("$SOUND_PID")
  sleep 1 # recording
}

# run OUTPUT NATIVE_BUILD WIN64_BUILD DIR: one run, its watchers' files in DIR.
run() {
  local output=$1 native=$2 win64=$3 out=$4
  source "$root/tests/e2e/production_lib.sh"
  E2E_WINE_SOUND=() # Wine as it comes: the end-to-end tests give it a larger server buffer
  case $output in
  sdl) ZEPH=$native/tests/production/zeph_windowed ;;
  waveout) ZEPH=$win64/tests/production/zeph_windowed.exe ZEPH_E2E_RUNNER=wine ;;
  directsound) ZEPH=$win64/tests/e2e/zeph_directsound.exe ZEPH_E2E_RUNNER=wine ;;
  standin) ZEPH= ;;
  *) e2e_fail "unknown output $output" ;;
  esac
  export ZEPH_E2E_RUNNER
  frame_setup 1024x768
  mkdir -p "$out"
  if [ "$output" = standin ]; then
    watch_sound $((STANDIN_SECONDS + 2)) "$out"
    python3 "$here/sync_standin.py" "${STANDIN_OFFSETS[@]}" >"$out/meant" &
    E2E_PIDS+=($!)
    sleep 1 # mapped
    python3 "$here/sync_watch.py" pixel 100 100 "$STANDIN_SECONDS" "$out/pixel"
    wait "$SOUND_PID" || true
    return 0
  fi
  mkdir -p run/data
  "$native/bench/sync_data" run || e2e_fail "sync_data failed"
  cp "$native/data/bl0ah.lwo" run/data/
  # Wine takes seconds to start the production; the recording runs until
  # the pixel watcher ends, a minute and more after the window shows.
  watch_sound 150 "$out"
  production_start run
  local window x y
  window=$(production_window run)
  x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
  # Upper left of the picture, away from the object.
  python3 "$here/sync_watch.py" pixel $((x + 200)) $((y + 150)) "$PIXEL_SECONDS" "$out/pixel"
  kill "$SOUND_PID"
  wait "$SOUND_PID" || true
  cp run.out run.err "$out/" 2>/dev/null || true
}

if [ "${1:-}" = --run ]; then
  run "$2" "$3" "$4" "$5"
  exit 0
fi

output=${1:?usage: sync.sh OUTPUT [RUNS] [NATIVE_BUILD] [WIN64_BUILD]}
runs=${2:-3}
native=$(cd "${3:-$root/build/native}" && pwd)
win64=$(cd "${4:-$root/build/win64}" 2>/dev/null && pwd || echo "")
logs=$native/sync-logs/$output-$(date -u +%Y%m%dT%H%M%S)
dirs=()
for ((i = 1; i <= runs; ++i)); do
  echo "[$(date -u +%H:%M:%S)] $output run $i of $runs" >&2
  bash "$0" --run "$output" "$native" "$win64" "$logs/run$i"
  dirs+=("$logs/run$i")
done
[ "$output" != standin ] || cat "$logs/run1/meant"
python3 "$here/sync_analyse.py" "${dirs[@]}" | tee "$logs/offsets"
