#!/usr/bin/env python3
"""sync_standin.py OFFSET_MS...: a stand-in for the production with known
offsets, to check bench/sync.sh's method. It plays silence through
PulseAudio with a click every 3 s, and paints its window (at the screen's
top-left, 200 x 200) a new flat colour OFFSET_MS after each click is heard,
as PulseAudio reports the stream's latency. Prints the offsets it meant."""
import ctypes
import math
import os
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from xlib import open_display  # noqa: E402

RATE = 44100
CHUNK = 220  # frames: 5 ms
CLICK_EVERY = 3.0
# Each paint is planned 150 ms ahead of its click, so that an offset may be
# negative (the stream's latency is shorter than that); not much earlier, so
# that the stream has little time to run dry and shift the click.
PLAN_AHEAD = 30
COLOURS = [0xC82828, 0x28C828, 0x2828C8, 0xC8C828, 0x28C8C8, 0xC828C8]


class SampleSpec(ctypes.Structure):
    _fields_ = [("format", ctypes.c_int), ("rate", ctypes.c_uint32), ("channels", ctypes.c_uint8)]


class BufferAttr(ctypes.Structure):
    _fields_ = [(name, ctypes.c_uint32) for name in ("maxlength", "tlength", "prebuf", "minreq", "fragsize")]


def now():
    return time.clock_gettime(time.CLOCK_MONOTONIC)


def click_chunk():
    """One chunk holding a 5 ms 1 kHz sine burst, as bench/sync_data writes."""
    frames = bytearray()
    for i in range(CHUNK):
        value = int(0.8 * 32767 * math.sin(2 * math.pi * 1000.0 * i / RATE))
        frames += value.to_bytes(2, "little", signed=True) * 2
    return bytes(frames)


def open_stream():
    pulse = ctypes.cdll.LoadLibrary("libpulse-simple.so.0")
    pulse.pa_simple_new.restype = ctypes.c_void_p
    pulse.pa_simple_write.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t, ctypes.c_void_p]
    pulse.pa_simple_get_latency.restype = ctypes.c_uint64
    pulse.pa_simple_get_latency.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    sample_format = SampleSpec(3, RATE, 2)  # PA_SAMPLE_S16LE
    none = 0xFFFFFFFF
    attr = BufferAttr(none, 8 * CHUNK * 4, none, 4 * CHUNK, none)  # 40 ms target
    error = ctypes.c_int(0)
    stream = pulse.pa_simple_new(None, b"standin", 1, None, b"click", ctypes.byref(sample_format), None,
                                 ctypes.byref(attr), ctypes.byref(error))
    if not stream:
        sys.exit("pa_simple_new failed: %d" % error.value)
    return pulse, stream


class Window:
    def __init__(self):
        self.x11, self.display = open_display()
        x11, d = self.x11, self.display
        x11.XCreateSimpleWindow.restype = ctypes.c_ulong
        x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
            [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2
        x11.XDefaultGC.restype = ctypes.c_void_p
        x11.XDefaultGC.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XSetForeground.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_ulong]
        x11.XFillRectangle.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p] + [ctypes.c_int] * 2 + \
            [ctypes.c_uint] * 2
        x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.window = x11.XCreateSimpleWindow(d, x11.XDefaultRootWindow(d), 0, 0, 200, 200, 0, 0, 0)
        x11.XMapWindow(d, self.window)
        x11.XSync(d, 0)
        self.gc = x11.XDefaultGC(d, 0)

    def paint(self, colour):
        self.x11.XSetForeground(self.display, self.gc, colour)
        self.x11.XFillRectangle(self.display, self.window, self.gc, 0, 0, 200, 200)
        self.x11.XSync(self.display, 0)


def painter(window, plan):
    for index, when in enumerate(plan):
        while when[0] is None:
            time.sleep(0.001)
        left = when[0] - now()
        if left > 0:
            time.sleep(left)
        window.paint(COLOURS[(index + 1) % len(COLOURS)])


def is_click(chunk, every, offsets):
    return chunk % every == 0 and 1 <= chunk // every <= len(offsets)


def main():
    offsets = [float(v) / 1000.0 for v in sys.argv[1:]]
    if not offsets:
        sys.exit(__doc__)
    window = Window()
    window.paint(COLOURS[0])
    pulse, stream = open_stream()
    plan = [[None] for _ in offsets]
    thread = threading.Thread(target=painter, args=(window, plan))
    thread.start()
    silence = bytes(CHUNK * 4)
    click = click_chunk()
    every = int(CLICK_EVERY * RATE / CHUNK)
    for i in range(every * (len(offsets) + 1)):
        if pulse.pa_simple_write(stream, click if is_click(i, every, offsets) else silence, CHUNK * 4, None) < 0:
            sys.exit("pa_simple_write failed")
        if is_click(i + PLAN_AHEAD, every, offsets):
            # What was written ends after the latency; the click begins
            # PLAN_AHEAD - 1 chunks after that end, the stream running on unbroken.
            written_end = now() + pulse.pa_simple_get_latency(stream, None) / 1e6
            k = (i + PLAN_AHEAD) // every - 1
            plan[k][0] = written_end + (PLAN_AHEAD - 1) * CHUNK / RATE + offsets[k]
    thread.join()
    print("meant: %s ms" % " ".join("%+.1f" % (o * 1000.0) for o in offsets))


main()
