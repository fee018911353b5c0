"""Turns an uncompressed 24- or 32-bit BMP into a PNG, with the standard
library only (the test machine has no image tools)."""

import struct
import zlib


def bmp_rows(data):
    """Yields the BMP's pixel rows top to bottom as RGB bytes; also returns the size."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    width, height, _planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression not in (0, 3):
        raise ValueError("unsupported BMP: %d bits, compression %d" % (bits, compression))
    step = bits // 8
    stride = (width * step + 3) & ~3
    bottom_up = height > 0
    height = abs(height)
    rows = []
    for y in range(height):
        source = height - 1 - y if bottom_up else y
        start = pixels_at + source * stride
        line = data[start:start + width * step]
        rgb = bytearray(width * 3)
        rgb[0::3] = line[2::step]
        rgb[1::3] = line[1::step]
        rgb[2::3] = line[0::step]
        rows.append(bytes(rgb))
    return width, height, rows


def _chunk(kind, payload):
    return (struct.pack(">I", len(payload)) + kind + payload
            + struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))


def bmp_to_png(bmp_bytes):
    """The PNG file (8-bit RGB, no filter) of the BMP file's picture."""
    width, height, rows = bmp_rows(bmp_bytes)
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))
