#!/usr/bin/env python3
"""Writes resources/vornell.ico from the 32 x 32 PNG icon: one 32 x 32 image
in 24-bit colour (no alpha channel; the AND mask marks every pixel opaque),
the form the window and the executable icon take on Windows.

    scripts/make-windows-icon.py [input.png] [output.ico]

Needs ImageMagick's convert to decode the PNG."""
import os
import struct
import subprocess
import sys

SIZE = 32


def main():
    pngs = [p for p in ("resources/icons/vornell-32.png", "resources/vornell.png")
            if os.path.exists(p)]
    source = sys.argv[1] if len(sys.argv) > 1 else pngs[0]
    target = sys.argv[2] if len(sys.argv) > 2 else "resources/vornell.ico"
    rgb = subprocess.run(
        ["convert", source, "-background", "white", "-flatten", "-alpha", "off",
         "-resize", f"{SIZE}x{SIZE}!", "-depth", "8", "rgb:-"],
        check=True, capture_output=True).stdout
    assert len(rgb) == SIZE * SIZE * 3, "unexpected decoded size"
    rows = []
    for y in reversed(range(SIZE)):  # DIB rows run bottom-up, pixels as BGR
        row = rgb[y * SIZE * 3:(y + 1) * SIZE * 3]
        rows.append(b"".join(row[x:x + 3][::-1] for x in range(0, len(row), 3)))
    xor_bits = b"".join(rows)
    and_mask = bytes(SIZE * 4)  # 32 bits a row, already 4-byte aligned
    # BITMAPINFOHEADER; the height counts the XOR and the AND bitmaps.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0,
                         len(xor_bits) + len(and_mask), 0, 0, 0, 0)
    image = header + xor_bits + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    with open(target, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
