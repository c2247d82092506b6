#!/usr/bin/env python3
"""Writes resources/vornell.ico from the 32 x 32 PNG icon: one 32 x 32 image
in 24-bit colour (no alpha channel; the AND mask marks every pixel opaque),
the form the window and the executable icon take on Windows.

    scripts/make-windows-icon.py [input.png] [output.ico]     (needs ImageMagick)"""
import struct
import subprocess
import sys

SIZE = 32
source = sys.argv[1] if len(sys.argv) > 1 else "resources/icons/vornell-32.png"
target = sys.argv[2] if len(sys.argv) > 2 else "resources/vornell.ico"
# A DIB's rows run bottom-up, its pixels as blue, green, red.
pixels = subprocess.run(["convert", source, "-background", "white", "-flatten", "-alpha", "off",
                         "-resize", f"{SIZE}x{SIZE}!", "-flip", "-depth", "8", "bgr:-"],
                        check=True, capture_output=True).stdout
and_mask = bytes(SIZE * 4)  # 32 bits a row, already 4-byte aligned
# BITMAPINFOHEADER; the height counts the XOR and the AND bitmaps.
header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(pixels) + len(and_mask),
                     0, 0, 0, 0)
image = header + pixels + and_mask
entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
with open(target, "wb") as out:
    out.write(struct.pack("<HHH", 0, 1, 1) + entry + image)
