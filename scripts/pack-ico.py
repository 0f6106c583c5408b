#!/usr/bin/env python3
"""Packs PNG pictures into one Windows icon file (each entry stored as PNG, as Windows takes it).

Usage: pack-ico.py OUT.ico IN.png...   The Windows program's icon is made from the Linux build's
icon files: write_icons DIR, then pack-ico.py src/win32/netedit.ico DIR/{16,24,32,48,64,256}/netedit.png
"""
import struct
import sys


def size_of(png):
    width, height = struct.unpack(">II", png[16:24])  # from the IHDR chunk
    return width, height


def main(out, pngs):
    images = [open(name, "rb").read() for name in pngs]
    offset = 6 + 16 * len(images)
    header = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    for png in images:
        width, height = size_of(png)
        # 256 is written as 0; planes 1, 32 bits per pixel
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(out, "wb") as ico:
        ico.write(header + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
