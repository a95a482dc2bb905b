#!/usr/bin/env python3
"""grab_screen.py X Y WIDTH HEIGHT OUT.ppm: one rectangle of the X screen as a
binary PPM, taken with libX11's XGetImage through ctypes: far lighter than an
ImageMagick screenshot, so that taking it does not disturb a running program."""
import ctypes
import ctypes.util
import sys


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def main():
    x, y, width, height = (int(v) for v in sys.argv[1:5])
    x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                              ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    z_pixmap, all_planes = 2, 0xFFFFFFFF
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height, all_planes, z_pixmap)
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
