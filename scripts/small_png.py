#!/usr/bin/env python3
"""Makes a screenshot of the demo host small enough to keep in the repository.

usage: small_png.py IN.png OUT.png

The demo host writes its screenshots as 8-bit RGB PNG files with stored (uncompressed) data.
This keeps every pixel as it is and writes it again compressed: with a palette when the picture
has at most 256 colours (a dialog usually has), else as RGB with each row's best filter.
"""
import struct
import sys
import zlib


def chunks(data):
    pos = 8
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        yield data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def unfilter(raw, width, height, bpp):
    stride = width * bpp
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prev[i], prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(line))
        prev = line
    return rows


def main(source, target):
    data = open(source, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{source}: not a PNG file")
    header, idat = None, b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour = struct.unpack(">IIBB", header[:10])
    if depth != 8 or colour != 2:
        sys.exit(f"{source}: expected 8-bit RGB")
    rows = unfilter(zlib.decompress(idat), width, height, 3)

    pixels = [row[i:i + 3] for row in rows for i in range(0, len(row), 3)]
    palette = sorted(set(pixels))
    out = b"\x89PNG\r\n\x1a\n"
    if len(palette) <= 256:
        index = {p: i for i, p in enumerate(palette)}
        raw = b"".join(b"\0" + bytes(index[row[i:i + 3]] for i in range(0, len(row), 3))
                       for row in rows)
        out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0))
        out += chunk(b"PLTE", b"".join(palette))
    else:
        raw = b"".join(b"\2" + bytes((r[i] - p[i]) & 0xFF for i in range(len(r)))
                       for r, p in zip(rows, [bytes(len(rows[0]))] + rows[:-1]))
        out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    out += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(target, "wb").write(out)
    print(f"{target}: {width}x{height}, {len(palette) if len(palette) <= 256 else 'RGB'} colours, "
          f"{len(out)} bytes (from {len(data)})")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
