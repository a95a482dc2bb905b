#!/usr/bin/env python3
"""sync_analyse.py RUN_DIR...: picture change minus click heard, for each
click of each run that bench/sync_watch.py watched (RUN_DIR/pixel,
RUN_DIR/sound.raw, RUN_DIR/sound.times), then the median and worst offset.

The null sink renders in blocks and its monitor passes each block on at once,
so a recorded frame was rendered no later than the read that returned it: a
line fitted under the arrival times (their lower hull, within 5 s of each
click) maps every frame to the moment it was rendered, and it plays one
block later. A stand-in's RUN_DIR/meant gives the offsets it meant."""
import array
import collections
import os
import statistics
import sys

RATE = 44100
THRESHOLD = 0.3 * 32767  # the clicks' sine bursts pass it 0.06 ms after they start
ENVELOPE_SPAN = 5.0      # seconds of arrivals on either side of a click
CHANGE_SPAN = 1.0        # a picture change this close to a click belongs to it


def clicks(raw_path):
    """Frame indices where the left channel first passes the threshold, one per click."""
    samples = array.array("h")
    with open(raw_path, "rb") as f:
        samples.frombytes(f.read())
    found, last = [], None
    for i in range(0, len(samples), 2):
        if abs(samples[i]) > THRESHOLD:
            frame = i // 2
            if last is None or frame - last > RATE:
                found.append(frame)
            last = frame
    return found


def block_frames(arrivals):
    """The frames the sink renders at once: what most reads return."""
    steps = collections.Counter(b[1] - a[1] for a, b in zip(arrivals, arrivals[1:]))
    return steps.most_common(1)[0][0]


def lower_hull(points):
    hull = []
    for p in points:
        while len(hull) >= 2 and ((hull[-1][0] - hull[-2][0]) * (p[1] - hull[-2][1]) -
                                  (hull[-1][1] - hull[-2][1]) * (p[0] - hull[-2][0])) <= 0:
            hull.pop()
        hull.append(p)
    return hull


def play_time(frame, arrivals, block):
    """When `frame` was played: the line under the arrivals (frames read so
    far, time) near it, one block later. The sink renders each block one
    block ahead of playing it, and the monitor passes it on when rendered."""
    near = [(frames, t) for t, frames in arrivals if abs(frames - frame) <= ENVELOPE_SPAN * RATE]
    hull = lower_hull(near)
    for (x0, y0), (x1, y1) in zip(hull, hull[1:]):
        if x0 <= frame <= x1:
            return y0 + (y1 - y0) * (frame - x0) / (x1 - x0) + block / RATE
    sys.exit("no recorder reads around frame %d" % frame)


def read_rows(path):
    with open(path) as f:
        return [line.split() for line in f if not line.startswith("#")]


def run_offsets(run):
    arrivals = [(float(t), int(n)) for t, n in read_rows(run + "/sound.times")]
    changes = [float(row[0]) for row in read_rows(run + "/pixel")[1:]]  # the first row is the starting colour
    offsets = []
    block = block_frames(arrivals)
    for frame in clicks(run + "/sound.raw"):
        heard = play_time(frame, arrivals, block)
        near = [t for t in changes if abs(t - heard) < CHANGE_SPAN]
        if not near:
            print("%s: no picture change within %.0f s of the click at %.3f" % (run, CHANGE_SPAN, heard))
            continue
        offsets.append((min(near) - heard) * 1000.0)
    print("%s: %s ms" % (run, " ".join("%+.1f" % o for o in offsets)))
    if os.path.exists(run + "/meant"):
        # The stand-in's: the offsets it meant, "meant: A B C ms".
        meant = [float(v) for v in open(run + "/meant").read().split()[1:-1]]
        print("  minus meant: %s ms" % " ".join("%+.1f" % (o - m) for o, m in zip(offsets, meant)))
    return offsets


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    offsets = []
    for run in sys.argv[1:]:
        offsets += run_offsets(run)
    if offsets:
        worst = max(offsets, key=abs)
        print("changes %d  median %+.1f ms  worst %+.1f ms  range %+.1f to %+.1f ms" %
              (len(offsets), statistics.median(offsets), worst, min(offsets), max(offsets)))


main()
