#!/usr/bin/env python3
"""Writes the browser glyphs NAME.bmp (16 colours, 4 bits per pixel) from their pixel art NAME.txt.

Each line of the art is one pixel row, top first; each character is a hex index into the
16-colour palette below. The bottom-left pixel's colour is drawn as the entry's background,
so every glyph keeps it (D, fuchsia) outside the picture.
"""
import pathlib
import struct

# The 16 colours of a classic Windows desktop, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray((int(row[x], 16) << 4) | (int(row[x + 1], 16) if x + 1 < width else 0)
                         for x in range(0, width, 2))
        pixels += line + bytes(stride - len(line))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    return header + info + colours + bytes(pixels)


def main():
    folder = pathlib.Path(__file__).resolve().parent
    for art in sorted(folder.glob("*.txt")):
        rows = art.read_text().split()
        if len({len(r) for r in rows}) != 1:
            raise SystemExit(f"{art.name}: rows of different lengths")
        art.with_suffix(".bmp").write_bytes(bmp_bytes(rows))


if __name__ == "__main__":
    main()
