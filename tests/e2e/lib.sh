# Shared helpers for end-to-end tests: each test starts its own Xvfb, PulseAudio
# null sink and Wine prefix, and stops every process it started by its id.
# Source it from a bash script; call `e2e_setup` first.

set -euo pipefail

E2E_PIDS=()
# How the sound server and the recorder are started (see e2e_setup).
E2E_SOUND_PRIORITY=()

e2e_log() { echo "[$(date +%H:%M:%S)] $*" >&2; }
# e2e_fail TEXT: ends the test as failed. Where ZEPH_E2E_EVIDENCE names a
# folder, the test folder's own files (recordings, music, the programs'
# output; not the Wine prefix or data folders) are kept in a folder of their
# own inside it, to be looked at after the run.
e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "${ZEPH_E2E_EVIDENCE:-}" ] && [ -d "${E2E_DIR:-}" ]; then
    local kept
    kept=$(mkdir -p "$ZEPH_E2E_EVIDENCE" && mktemp -d "$ZEPH_E2E_EVIDENCE/$(basename "$0" .sh).XXXXXX") &&
      find "$E2E_DIR" -maxdepth 1 -type f -exec cp {} "$kept" \; && echo "its files are kept in $kept" >&2
  fi
  exit 1
}

# Kills every process started through e2e_spawn, newest first (Wine's own
# processes before them, while their X display still exists).
e2e_cleanup() {
  local i
  if [ -n "${E2E_WINE:-}" ] && [ -n "${WINEPREFIX:-}" ]; then
    WINEPREFIX="$WINEPREFIX" timeout 20 wineserver -k 2>/dev/null || true
  fi
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${E2E_PIDS[i]}" 2>/dev/null || true
  done
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    local n=0
    while kill -0 "${E2E_PIDS[i]}" 2>/dev/null && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
    kill -9 "${E2E_PIDS[i]}" 2>/dev/null || true
  done
  [ -n "${E2E_DIR:-}" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_DIR"
  return 0
}

# Starts a background command and remembers its pid in E2E_LAST_PID.
e2e_spawn() {
  "$@" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
e2e_wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# e2e_setup [WIDTHxHEIGHT] [silent]: a private folder, Xvfb on a free display
# and, unless "silent" (for programs on the Null output), a PulseAudio daemon
# whose default sink is the null sink "cap".
e2e_setup() {
  local screen=${1:-1024x768} sound=${2:-sound}
  E2E_DIR=$(mktemp -d /tmp/zeph-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM

  # Xvfb takes a free display itself and writes its number once it accepts
  # connections: a number picked here could be taken by another test's server
  # before this one binds it, and the test would then talk to that server.
  # -noreset: by default the server resets whenever its last client leaves,
  # and drops a connection that arrives meanwhile; SDL then fell back to a
  # driver that shows nothing (a program started right after xdpyinfo, or a
  # test right after the one before it).
  e2e_spawn Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$E2E_DIR/display"
  e2e_wait_for 20 grep -q '^[0-9][0-9]*$' "$E2E_DIR/display" || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(cat "$E2E_DIR/display")"
  xdpyinfo >/dev/null || e2e_fail "Xvfb on $DISPLAY does not answer"

  export XDG_RUNTIME_DIR="$E2E_DIR/run"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
  export HOME="$E2E_DIR/home"
  mkdir -p "$HOME"
  if [ "$sound" = silent ]; then
    # Nothing may start a sound server behind the test's back.
    printf 'autospawn = no\n' >"$E2E_DIR/pulse-client.conf"
    export PULSE_CLIENTCONFIG="$E2E_DIR/pulse-client.conf"
    return 0
  fi
  # The sound server and the recorder run ahead of everything else, as a
  # desktop's sound server does (real-time there): on a machine whose cores
  # the software renderer and Xvfb keep busy, their short periods must not
  # wait behind the program under test. Each in a session of its own, as a
  # desktop's sound server is: where the kernel groups processes by session
  # (autogroup), niceness orders threads only within one session and each
  # busy session gets an equal share, so a server in the test's session waited
  # behind the program's renderer (its main thread, which passes the
  # programs' audio on to the sink, runnable but waiting for up to 80 ms of
  # 100) and the programs' streams ran empty for up to 580 ms. (A script's
  # background job leads no process group, so setsid does not fork: the pid
  # that e2e_spawn keeps stays the program's.)
  E2E_SOUND_PRIORITY=(setsid)
  [ "$(id -u)" -ne 0 ] || E2E_SOUND_PRIORITY+=(nice -n -15)
  # Its log, at debug level, notes when a program's stream runs empty (a few
  # hundred lines a run).
  e2e_spawn "${E2E_SOUND_PRIORITY[@]}" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=cap" --load=module-native-protocol-unix \
    --log-target=file:"$E2E_DIR/pulse.log" --log-level=debug --log-time=1
  e2e_sound_session "$E2E_LAST_PID"
  e2e_wait_for 20 pactl info || e2e_fail "PulseAudio did not start"
  pactl set-default-sink cap
}

# e2e_sound_session PID: as root, the session of the sound process PID (led
# by it) ahead of other sessions, where the kernel groups by session. The
# server, alone in its session at equal weight, still waited runnable for up
# to 190 ms of 100 (the sampling late too) while Wine's driver asked it for
# its timing every 10 ms, and Wine's stream ran empty 556 to 687 times a
# production run; ahead: up to 53 ms of 100, 125 to 211 times.
e2e_sound_session() { e2e_session_ahead "$1" -15; }

# e2e_program_start NICE COMMAND...: starts the program under test, as
# e2e_spawn does, in a session of its own at niceness NICE there and, as
# root, against other sessions. Where the kernel groups by session, niceness
# alone orders threads only within one: the program got no more than an equal
# share beside other sessions' work, and under Wine its sound driver's
# thread, in the program's process beside the renderer, waited runnable for
# up to 133 ms of 100 and left gaps.
e2e_program_start() {
  local nice=$1
  shift
  local prefix=(setsid)
  [ "$(id -u)" -ne 0 ] || prefix+=(nice -n "$nice")
  e2e_spawn "${prefix[@]}" "$@"
  e2e_session_ahead "$E2E_LAST_PID" "$nice"
}

# e2e_session_ahead PID NICE: as root, the session that PID leads at niceness
# NICE against other sessions. A just-spawned PID calls setsid only once it
# runs; written before that, the niceness went to the session PID was still
# in, the test run's own, and put its builds ahead of the program under
# test. So it waits (up to 5 s) until PID leads its session.
e2e_session_ahead() {
  [ "$(id -u)" -eq 0 ] || return 0
  local pid=$1 nice=$2 tries
  for ((tries = 0; tries < 100; tries++)); do
    if [ "$(ps -o sid= -p "$pid" 2>/dev/null | tr -d ' ')" = "$pid" ]; then
      echo "$nice" >"/proc/$pid/autogroup" 2>/dev/null || true
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  e2e_log "test instrument: process $pid leads no session of its own after 5 s; its priority is left as it is"
}

# e2e_wine_setup: a fresh 64-bit Wine prefix for this test. Where
# ZEPH_WINE_TEMPLATE names an untouched, booted prefix (scripts/with-test-services.sh
# keeps one), the new prefix is a copy of it: seconds instead of a wineboot.
e2e_wine_setup() {
  export WINEPREFIX="$E2E_DIR/wine"
  e2e_wine_env
  E2E_WINE=1
  if [ -n "${ZEPH_WINE_TEMPLATE:-}" ] && [ -f "$ZEPH_WINE_TEMPLATE/system.reg" ]; then
    cp -a "$ZEPH_WINE_TEMPLATE" "$WINEPREFIX" || e2e_fail "copying the Wine prefix failed"
    # The user's folders (Desktop, Documents, ...) link to the HOME of whoever booted it.
    local link
    while IFS= read -r link; do
      case "$(readlink "$link")" in /*) ln -sfn "$HOME" "$link" ;; esac
    done < <(find "$WINEPREFIX/drive_c/users" -type l)
    return 0
  fi
  e2e_wine_boot || e2e_fail "wineboot failed"
}

# e2e_wine_env: what every Wine prefix here is made and run with.
e2e_wine_env() {
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# e2e_wine_boot: boots a new prefix at WINEPREFIX; returns once Wine's
# server has left it.
e2e_wine_boot() {
  timeout 180 wineboot -i >/dev/null 2>&1 || return 1
  timeout 60 wineserver -w || true
}

# e2e_record FILE: records what the null sink plays (s16le, 44100 Hz, stereo),
# from before it returns, with zeph_record (ZEPH_E2E_RECORDER), which tells
# when it lost any of it; end it with e2e_record_stop or e2e_record_end. Its
# reads are short (20 ms): with a long latency the idle sink renders up to
# two seconds ahead, and that silence, once in the recording, stays there when
# a program starts to play. Wine asks for less (5 ms); SDL's stream asks for
# 80 ms, which the sink then renders ahead no further than 20 ms: the
# stream's own buffer in the server stays as large.
e2e_record() {
  E2E_RECORD_FILE=$1
  E2E_RECORD_SINCE=$(date +%s.%N)
  e2e_spawn "${E2E_SOUND_PRIORITY[@]}" "${ZEPH_E2E_RECORDER:?the recorder zeph_record}" cap.monitor "$1" \
    2>"$E2E_DIR/recorder.log"
  E2E_RECORD_PID=$E2E_LAST_PID
  e2e_sound_session "$E2E_RECORD_PID"
  e2e_wait_for 20 e2e_recorder_connected || e2e_fail "the recorder did not connect (an instrument failure)"
}
e2e_recorder_connected() { pactl list short source-outputs | grep -q .; }

# e2e_record_stop SECONDS: ends the recording once its file holds what the sink
# played up to SECONDS from now. The null sink plays in real time from the
# recorder's connection, which came after E2E_RECORD_SINCE: that many seconds
# since then, in bytes, are enough however far a busy recorder trails.
e2e_record_stop() {
  local need
  need=$(awk -v since="$E2E_RECORD_SINCE" -v now="$(date +%s.%N)" -v more="$1" \
    'BEGIN { printf "%d", (now + more - since) * 176400 }')
  e2e_wait_for 30 e2e_recorded_past "$need" ||
    e2e_fail "the recorder holds $(stat -c %s "$E2E_RECORD_FILE") bytes after 30 s, expected $need: the recorder fell behind (an instrument failure)"
  e2e_record_end
}

# e2e_record_end: ends the recording now. A recorder that lost data fails the
# test as the instrument's failure: what it recorded is not what the sink played.
e2e_record_end() {
  kill "$E2E_RECORD_PID" 2>/dev/null || true
  # It reads on for two seconds at most, until it has caught up with the sink.
  local n=0 status=0
  while kill -0 "$E2E_RECORD_PID" 2>/dev/null && [ $n -lt 100 ]; do sleep 0.1; n=$((n + 1)); done
  kill -9 "$E2E_RECORD_PID" 2>/dev/null || true
  wait "$E2E_RECORD_PID" || status=$?
  e2e_log "$(cat "$E2E_DIR/recorder.log")"
  case $status in
  0) ;;
  3) e2e_fail "the recorder lost data, an instrument failure: the recording is not what the sink played" ;;
  *) e2e_fail "the recorder failed with status $status, an instrument failure" ;;
  esac
}

# e2e_sound_differs STATUS: fails the test for what the program under test
# played, once the recorder has shown that it lost none of it; with how far
# the recorder trailed (a machine that stalled everything shows there) and
# the times the sound server found the program's stream empty (pulse.log).
e2e_sound_differs() {
  e2e_fail "the sound played differs from the music (zeph_audio_compare status $1), a failure of the program under test: the recorder lost none of it ($(sed 's/^zeph_record: //' "$E2E_DIR/recorder.log")); $(e2e_underruns)"
}

# e2e_underruns: how often, and for how long at most, the sound server's log
# (at debug level) shows a playback stream run empty and wait for its client.
e2e_underruns() {
  awk '{ t = $0; sub(/^\( */, "", t); sub(/\|.*/, "", t) }
    /underrun of / && start == "" { start = t }
    /end of underrun/ && start != "" { d = (t - start) * 1000; n++; if (d > most) { most = d; at = start }; start = "" }
    END { printf "the server found a playback stream empty %d times, the longest for %.0f ms (at %.1f s of its log)", n, most, at }' \
    "$E2E_DIR/pulse.log"
}
e2e_recorded_past() { [ "$(stat -c %s "$E2E_RECORD_FILE")" -ge "$1" ]; }

# e2e_stop PID: stops one process that e2e_spawn started.
e2e_stop() {
  kill "$1" 2>/dev/null || true
  local n=0
  while kill -0 "$1" 2>/dev/null && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
  kill -9 "$1" 2>/dev/null || true
}

# e2e_wait_exit PID SECONDS: waits for a process that e2e_spawn started to end
# and sets E2E_STATUS to its exit status; fails if it still runs after SECONDS.
# (Call it directly, not in $(...): only this shell can wait for its children.)
e2e_wait_exit() {
  local pid=$1 limit=$2
  local deadline=$((SECONDS + limit))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || e2e_fail "process $pid still running after ${limit}s"
    sleep 0.2
  done
  E2E_STATUS=0
  wait "$pid" || E2E_STATUS=$?
}

# e2e_find_window NAME SECONDS: prints the id of the first visible window whose
# name matches.
e2e_find_window() {
  local name=$1 limit=$2 id=""
  local deadline=$((SECONDS + limit))
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && break
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
  echo "$id"
}

# e2e_screenshot FILE: the whole screen as PNG.
e2e_screenshot() { import -window root "$1"; }
