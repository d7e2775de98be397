#!/usr/bin/env python3
"""Writes the hostile GIF files kept in fuzz/corpus/gif_fuzz/ (run from the repository root):

  reserved-disposal-loop.gif   endless NETSCAPE loop; frame 0 with the reserved disposal 5; a
                               graphic control extension with disposal 2 and no image; trailer
  all-reserved-disposals.gif   the same with every disposal reserved
  restore-previous-bomb.gif    seven 8192 x 8192 frames with restore-previous disposal, each a
                               few bytes of LZW data
  wide-frames-bomb.gif         63 frames of 8192 x 1024
"""
import pathlib
import struct

OUT = pathlib.Path("fuzz/corpus/gif_fuzz")


def header(width, height, global_bits):
    packed = 0x80 | (global_bits - 1) if global_bits else 0
    table = b"".join(bytes([i * 255 // ((1 << global_bits) - 1)] * 3) for i in range(1 << global_bits)) if global_bits else b""
    return b"GIF89a" + struct.pack("<HHBBB", width, height, packed, 0, 0) + table


def loop_extension(loops):
    return b"\x21\xff\x0bNETSCAPE2.0\x03\x01" + struct.pack("<H", loops) + b"\x00"


def control(disposal, delay=10):
    return b"\x21\xf9\x04" + bytes([disposal << 2]) + struct.pack("<H", delay) + b"\x00\x00"


def pack_codes(min_code_size, codes):
    """Codes least significant bit first, widths as a decoder expects them after a Clear."""
    clear = 1 << min_code_size
    width, next_free, acc, bits, out = min_code_size + 1, clear + 2, 0, 0, bytearray()
    for i, code in enumerate(codes):
        acc |= code << bits
        bits += width
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
        if code == clear:
            width, next_free = min_code_size + 1, clear + 2
        elif i > 0 and codes[i - 1] != clear and code != clear + 1:
            next_free += 1
            if next_free == 1 << width and width < 12:
                width += 1
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def image(left, top, width, height, codes, min_code_size=2):
    data = pack_codes(min_code_size, codes)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    return b"\x2c" + struct.pack("<HHHHB", left, top, width, height, 0) + bytes([min_code_size]) + blocks + b"\x00"


def solid(width, height, index):
    return image(0, 0, width, height, [4] + [index] * (width * height) + [5])


def reserved_loop(first, second):
    return (header(8, 8, 6) + loop_extension(0) + control(first) + solid(8, 8, 1) + control(second) + b"\x3b")


def bomb(frames, width, height, disposal):
    body = b"".join(control(disposal) + image(0, 0, width, height, [4, 1, 5]) for _ in range(frames))
    return header(width, height, 1) + loop_extension(0) + body + b"\x3b"


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    files = {
        "reserved-disposal-loop.gif": reserved_loop(5, 2),
        "all-reserved-disposals.gif": reserved_loop(5, 6),
        "restore-previous-bomb.gif": bomb(7, 8192, 8192, 3),
        "wide-frames-bomb.gif": bomb(63, 8192, 1024, 1),
    }
    for name, data in files.items():
        (OUT / name).write_bytes(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
