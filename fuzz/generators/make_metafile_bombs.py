#!/usr/bin/env python3
"""Writes the hostile metafiles kept as regression inputs of the emf and wmf fuzz targets.

Run from the repository root: python3 fuzz/generators/make_metafile_bombs.py
Each file is small and well framed; what makes it hostile is what its fields ask of a player.
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "corpus")


def emf_header(frame=(0, 0, 1000, 1000), bounds=(0, 0, 100, 100), handles=8):
    # EMR_HEADER up to szlMillimeters and the three later fields; nBytes/nRecords patched later.
    body = struct.pack("<4i4i", *bounds, *frame)
    body += struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, 0, 0, handles, 0, 0, 0, 0)
    body += struct.pack("<4i", 1000, 1000, 100, 100)
    body += struct.pack("<3I", 0, 0, 0)
    return struct.pack("<II", 1, 8 + len(body)) + body


def emf_record(kind, body):
    body += b"\0" * (-len(body) % 4)
    return struct.pack("<II", kind, 8 + len(body)) + body


def emf_file(records, **header):
    data = emf_header(**header) + b"".join(records) + emf_record(14, struct.pack("<3I", 0, 16, 20))
    data = bytearray(data)
    struct.pack_into("<II", data, 48, len(data), len(records) + 2)
    return bytes(data)


def rle8_info(width, height):
    # BITMAPINFOHEADER for BI_RLE8 and a grey 256-entry colour table.
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, 2, 0, 0, 256, 0)
    return header + b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))


END_OF_BITMAP = b"\x00\x01"


def emf_rle_bomb(count=70, side=8192):
    info = rle8_info(side, side)
    records = []
    for _ in range(count):
        off_bmi = 80
        off_bits = off_bmi + len(info)
        body = struct.pack("<4i", 0, 0, 100, 100)  # bounds
        body += struct.pack("<6i", 0, 0, 0, 0, side, side)  # dest, source
        body += struct.pack("<4I", off_bmi, len(info), off_bits, len(END_OF_BITMAP))
        body += struct.pack("<2I2i", 0, 0x00CC0020, 100, 100)  # usage, SRCCOPY, dest size
        records.append(emf_record(81, body + info + END_OF_BITMAP))
    return emf_file(records)


def emf_wide_font():
    # EXTCREATEFONTINDIRECTW with an lfWidth whose hundredfold overflows 32 bits, then text in it.
    face = "Arial".encode("utf-16-le").ljust(64, b"\0")
    logfont = struct.pack("<5i8B", -12, 335544320, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0x22) + face
    text = "Wide".encode("utf-16-le")
    emrtext = struct.pack("<2iIII4iI", 10, 10, 4, 76, 0, 0, 0, 0, 0, 0)
    records = [
        emf_record(82, struct.pack("<I", 1) + logfont),
        emf_record(37, struct.pack("<I", 1)),
        emf_record(84, struct.pack("<4iIff", 0, 0, 100, 100, 1, 1.0, 1.0) + emrtext + text),
    ]
    return emf_file(records)


def emf_overflowing_frame():
    # A frame whose width and height do not fit 32 bits.
    return emf_file([], frame=(-2000000000, -2000000000, 2000000000, 2000000000))


def wmf_placeable(left, top, right, bottom, inch, records):
    words = [0xCDD7, 0x9AC6, 0, left & 0xFFFF, top & 0xFFFF, right & 0xFFFF, bottom & 0xFFFF, inch, 0, 0]
    checksum = 0
    for w in words:
        checksum ^= w
    header = struct.pack("<10H", *words) + struct.pack("<H", checksum)
    body = b"".join(records) + struct.pack("<IH", 3, 0)
    largest = max([3] + [struct.unpack_from("<I", r)[0] for r in records])
    meta = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(body)) // 2, 0, largest, 0)
    return header + meta + body


def wmf_record(function, params):
    params += b"\0" * (len(params) % 2)
    return struct.pack("<IH", 3 + len(params) // 2, function) + params


def wmf_rle_bomb(count=70, side=8192):
    info = rle8_info(side, side)
    params = struct.pack("<I", 0x00CC0020) + struct.pack("<9h", 0, side, side, 0, 0, 100, 100, 0, 0)
    record = wmf_record(0x0F43, params + info + END_OF_BITMAP)
    records = [wmf_record(0x020B, struct.pack("<2h", 0, 0)), wmf_record(0x020C, struct.pack("<2h", 100, 100))]
    return wmf_placeable(0, 0, 100, 100, 96, records + [record] * count)


def wmf_inverted_box():
    records = [wmf_record(0x020B, struct.pack("<2h", 0, 0)), wmf_record(0x020C, struct.pack("<2h", 100, 100)),
               wmf_record(0x041B, struct.pack("<4h", 90, 90, 10, 10))]
    return wmf_placeable(32000, 32000, -32000, -32000, 96, records)


FILES = {
    "emf_fuzz/rle-end-of-bitmap-bomb.emf": emf_rle_bomb,
    "emf_fuzz/font-width-overflow.emf": emf_wide_font,
    "emf_fuzz/frame-overflow.emf": emf_overflowing_frame,
    "wmf_fuzz/rle-end-of-bitmap-bomb.wmf": wmf_rle_bomb,
    "wmf_fuzz/inverted-placeable-box.wmf": wmf_inverted_box,
}

if __name__ == "__main__":
    for name, make in FILES.items():
        with open(os.path.join(ROOT, name), "wb") as out:
            out.write(make())
