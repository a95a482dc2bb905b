#!/usr/bin/env python3
"""sync_watch.py: the two watchers of the end-to-end sync benchmark, each
timing what it sees on CLOCK_MONOTONIC.

  sync_watch.py pixel X Y SECONDS OUT   one screen pixel read every 0.3 ms;
                                        writes "time r g b" at each change
  sync_watch.py sound SECONDS OUT       records the null sink's monitor; writes
                                        OUT.raw (s16le stereo 44100 Hz) and
                                        OUT.times ("time frames" after each read);
                                        SIGTERM ends it early

Reading the pixel without pause saturates Xvfb and starves the sound; 0.3 ms
between reads does not."""
import ctypes
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xlib import ALL_PLANES, Z_PIXMAP, open_display  # noqa: E402

PIXEL_PAUSE = 0.0003
FRAME_BYTES = 4


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC)


def watch_pixel(x, y, seconds, out):
    x11, display = open_display()
    root = x11.XDefaultRootWindow(display)
    changes, last, reads = [], None, 0
    end = now() + seconds
    while True:
        before = now()
        if before > end:
            break
        image = x11.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
        after = now()
        if not image:
            sys.exit("XGetImage failed")
        info = image.contents
        pixel = bytes(info.data[0:4])
        x11.XFree(info.data)
        x11.XFree(image)
        reads += 1
        if pixel != last:
            # The pixel was read somewhere within the round trip.
            changes.append(((before + after) / 2, pixel[2], pixel[1], pixel[0]))
            last = pixel
        time.sleep(PIXEL_PAUSE)
    with open(out, "w") as f:
        f.write("# reads %d\n" % reads)
        for change in changes:
            f.write("%.6f %d %d %d\n" % change)


stopped = False


def stop(signum, frame):
    global stopped
    stopped = True


def watch_sound(seconds, out):
    recorder = subprocess.Popen(["parec", "-d", "cap.monitor", "--latency-msec=5", "--format=s16le", "--rate=44100",
                                 "--channels=2", "--raw"], stdout=subprocess.PIPE, bufsize=0)
    fd = recorder.stdout.fileno()
    times, chunks, total = [], [], 0
    end = now() + seconds
    signal.signal(signal.SIGTERM, stop)
    try:
        while now() < end and not stopped:
            data = os.read(fd, 65536)  # the recorder passes data every 5 ms
            arrived = now()
            if not data:
                break
            chunks.append(data)
            total += len(data)
            times.append((arrived, total // FRAME_BYTES))
    finally:
        recorder.terminate()
        recorder.wait(timeout=10)
    with open(out + ".raw", "wb") as f:
        f.write(b"".join(chunks))
    with open(out + ".times", "w") as f:
        for t, frames in times:
            f.write("%.6f %d\n" % (t, frames))


def main():
    if len(sys.argv) == 6 and sys.argv[1] == "pixel":
        watch_pixel(int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4]), sys.argv[5])
    elif len(sys.argv) == 4 and sys.argv[1] == "sound":
        watch_sound(float(sys.argv[2]), sys.argv[3])
    else:
        sys.exit(__doc__)


main()
