#!/usr/bin/env python3
"""directsound_music_time.py MUSIC.raw RECORDING.raw START OFFSET...
   directsound_music_time.py --start MUSIC.raw RECORDING.raw

The second form prints the recording's byte offset at which the music's first
sample was (or would have been) played, from where the first recorded music
lies in MUSIC; nothing while the recording holds no music yet. Under Wine the
recorder misses up to a second or more of the music's start, so the first
loud sample recorded is not the music's first.


For each OFFSET (a byte offset into RECORDING, raw s16le stereo at 44100 Hz)
prints the music time, in seconds, that the sink was playing there: where the
recorded stretch just before OFFSET lies in MUSIC (the decoded music, same
format). START is the recording's offset of the music's first sample. Gaps
in the recording (underruns) put the music behind the recording's length,
so the stretch is looked for up to five seconds behind that estimate (and a
second ahead, for audio that they drop). Prints
"none" when no stretch within the last second before OFFSET matches."""
import array
import sys

RATE = 44100
PROBE = 2048  # frames compared
TOLERANCE = 2  # the platform's mixer may round by one


def samples(path):
    data = open(path, "rb").read()
    values = array.array("h")
    values.frombytes(data[: len(data) // 4 * 4])
    return values


def matches(music, at, recording, start):
    for k in range(0, 2 * PROBE, 2):
        if abs(music[at + k] - recording[start + k]) > TOLERANCE:
            return False
    return True


def nearest_first(guess, lowest, highest):
    """Frames from lowest to highest, the nearest to guess first."""
    yield guess
    for distance in range(1, max(guess - lowest, highest - guess) + 1):
        if guess - distance >= lowest:
            yield guess - distance
        if guess + distance <= highest:
            yield guess + distance


def locate(music, recording, end, estimate):
    """Music frame that the recording's frame `end` holds, or None. Silence
    that underruns add puts the music behind the estimate; audio that they
    drop, ahead of it."""
    for back in range(0, RATE, RATE // 20):  # up to a second earlier, in 50 ms steps
        start = 2 * (end - back - PROBE)
        if start < 0:
            return None
        first = recording[start]
        highest = len(music) // 2 - PROBE
        guess = min(max(0, estimate - back - PROBE), highest)
        for frame in nearest_first(guess, max(0, guess - 5 * RATE), min(highest, guess + RATE)):
            if abs(music[2 * frame] - first) <= TOLERANCE and matches(music, 2 * frame, recording, start):
                return frame + PROBE + back
    return None


def music_start(music, recording):
    """Recording frame at which music frame 0 was played, or None."""
    loud = next((i for i, s in enumerate(recording) if abs(s) > 256), None)
    if loud is None:
        return None
    first = loud // 2
    # The first loud stretch, or one a little later where that one is damaged.
    for at in range(first, first + RATE, RATE // 20):
        if 2 * (at + PROBE) > len(recording):
            return None
        for frame in range(0, min(len(music) // 2 - PROBE, 10 * RATE)):
            if abs(music[2 * frame] - recording[2 * at]) <= TOLERANCE and matches(
                music, 2 * frame, recording, 2 * at
            ):
                return at - frame
    return None


def main():
    if sys.argv[1] == "--start":
        start = music_start(samples(sys.argv[2]), samples(sys.argv[3]))
        if start is not None:
            print(start * 4)
        return
    music = samples(sys.argv[1])
    recording = samples(sys.argv[2])
    start = int(sys.argv[3]) // 4
    for offset in sys.argv[4:]:
        end = int(offset) // 4
        frame = locate(music, recording, end, end - start)
        print("none" if frame is None else "%.3f" % (frame / RATE))


if __name__ == "__main__":
    main()
