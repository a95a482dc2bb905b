#!/usr/bin/env python3
"""grab_screen.py X Y WIDTH HEIGHT OUT.ppm: one rectangle of the X screen as a
binary PPM, taken with libX11's XGetImage through ctypes: far lighter than an
ImageMagick screenshot, so that taking it does not disturb a running program."""
import ctypes
import sys

from xlib import ALL_PLANES, Z_PIXMAP, open_display


def main():
    x, y, width, height = (int(v) for v in sys.argv[1:5])
    x11, display = open_display()
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height, ALL_PLANES, Z_PIXMAP)
    if not image:
        sys.exit("XGetImage failed")
    info = image.contents
    if info.bits_per_pixel != 32 or info.byte_order != 0 or info.red_mask != 0xFF0000:
        sys.exit("unexpected pixel layout: %d bits, byte order %d" % (info.bits_per_pixel, info.byte_order))
    raw = ctypes.string_at(info.data, info.bytes_per_line * height)
    rgb = bytearray(width * height * 3)
    for row in range(height):
        line = raw[row * info.bytes_per_line:row * info.bytes_per_line + width * 4]
        start = row * width * 3
        end = start + width * 3
        rgb[start:end:3] = line[2::4]
        rgb[start + 1:end:3] = line[1::4]
        rgb[start + 2:end:3] = line[0::4]
    with open(sys.argv[5], "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height))
        out.write(rgb)
    x11.XCloseDisplay(display)


main()
