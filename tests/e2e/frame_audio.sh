#!/usr/bin/env bash
# What the frame plays through the platform's primary output (waveOut under
# Wine, SDL2 natively), recorded from the null sink, equals the decoded music
# sample for sample: no repeated or dropped second, no glitch, no gap but the
# sound server's own (see below). The run ends at 9.5 s of music (the clock
# stops short of the music's end).
# Usage: frame_audio.sh FRAME_DEMO
source "$(dirname "$0")/frame_lib.sh"
DEMO=$1
frame_setup 1024x768
make_music music.ogg 12

e2e_record recording.raw
# A light picture, and the player ahead of other work: on a loaded machine
# the layers below the output (Wine's mixer and its 100 ms buffer, PulseAudio)
# underrun when the renderer or other processes take every core.
export LP_NUM_THREADS=1
[ "$(id -u)" -ne 0 ] || DEMO_NICE=-10
demo_start run.out --music music.ogg --quit-after 9.5 --frame-sleep 5
wait_marker run.out "start" 60
expect_line run.out "^init fills=0 "
expect_line run.out "^start fills=2 "
expect_status 1
e2e_record_stop 1 # the sink's last periods
# The sound server's layer drops or inserts a little audio by itself when a
# loaded machine starves it (Wine's PulseAudio driver does so on purpose, to
# keep its position, most at start-up): every 23 ms block of music must still
# be there, exact and in order, with no jump of 100 ms or more. A repeated or
# lost second, a late refill or damaged samples fail.
checks=(--allow-jumps 100 --from 0)
# Under Wine: from the first refill on, and within one step (Wine's mixer).
[ -z "${ZEPH_E2E_RUNNER:-}" ] || checks=(--allow-jumps 100 --from 1.5 --tolerance 1)
"$ZEPH_E2E_AUDIO_COMPARE" music.ogg recording.raw --seconds 9 "${checks[@]}" ||
  e2e_sound_differs $?
e2e_log "frame_audio: passed"
