#!/usr/bin/env python3
"""directsound_watch.py WINDOW RECORDING X,Y...

Watches an X window (its id in WINDOW) while a recorder writes RECORDING: about
every 20 ms reads the pixels at the given points of the window and prints one
line "BEFORE AFTER R,G,B ..." with the recording's length in bytes just before
and just after the read. Ends, after a last flush, when the window is gone or
on SIGTERM. Reading two pixels takes a few milliseconds, so the lengths say
closely when the window showed what."""
import ctypes
import os
import signal
import sys
import time

from xlib import ALL_PLANES, Z_PIXMAP, open_display


def main():
    window = int(sys.argv[1], 0)
    recording = sys.argv[2]
    points = [tuple(int(v) for v in p.split(",")) for p in sys.argv[3:]]

    x11, display = open_display()
    # A window that has gone makes XGetImage fail; Xlib's default handler would exit.
    handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
    ignore = handler_type(lambda display, event: 0)
    x11.XSetErrorHandler(ignore)

    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    while not stop:
        before = os.stat(recording).st_size
        colours = []
        for x, y in points:
            image = x11.XGetImage(display, window, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
            if not image:
                sys.stdout.flush()
                return
            data = image.contents.data  # 32 bits per pixel, blue first
            colours.append("%d,%d,%d" % (data[2], data[1], data[0]))
            x11.XFree(image.contents.data)
            x11.XFree(image)
        after = os.stat(recording).st_size
        print(before, after, " ".join(colours), flush=True)
        time.sleep(0.02)


if __name__ == "__main__":
    main()
