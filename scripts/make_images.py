#!/usr/bin/env python3
"""Writes the control's toolbox bitmap (31 x 31, 16 colours) and icon (32 x 32, 16 colours)
into resources/. The picture: a radiator with a thermometer, on the standard 16-colour palette."""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette (B, G, R, 0).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREY, SILVER, RED, BLUE, NAVY, WHITE = 0, 1, 8, 7, 9, 12, 4, 15


def picture(size):
    """Colour indices, row 0 at the top."""
    px = [[SILVER] * size for _ in range(size)]
    for x in range(size):  # frame
        px[0][x] = px[size - 1][x] = GREY
    for y in range(size):
        px[y][0] = px[y][size - 1] = GREY
    # radiator: five columns joined top and bottom
    for y in range(7, 25):
        for x in range(3, 20):
            if (x - 3) % 4 in (0, 1, 2) or y in (7, 8, 23, 24):
                px[y][x] = WHITE if (x - 3) % 4 == 1 and 8 < y < 23 else NAVY
    # thermometer: stem and bulb
    for y in range(4, 22):
        px[y][24] = px[y][26] = BLACK
        px[y][25] = RED if y >= 11 else WHITE
    px[3][25] = BLACK
    for y in range(21, 28):
        for x in range(22, 29):
            if (x - 25) ** 2 + (y - 24) ** 2 <= 9:
                px[y][x] = RED
            elif (x - 25) ** 2 + (y - 24) ** 2 <= 13:
                px[y][x] = BLACK
    # floor line
    for x in range(2, 21):
        px[27][x] = BLUE
    return px


def rows_4bpp(px, width):
    """Bottom-up rows of 4-bit indices, each padded to 4 bytes."""
    out = b""
    stride = ((width * 4 + 31) // 32) * 4
    for row in reversed(px):
        line = bytearray(stride)
        for x, c in enumerate(row[:width]):
            line[x // 2] |= c << (4 if x % 2 == 0 else 0)
        out += bytes(line)
    return out


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16,
                       0)


def bitmap(size=31):
    pixels = rows_4bpp(picture(size), size)
    header = info_header(size, size, len(pixels))
    offset = 14 + len(header) + 64
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + \
        palette_bytes() + pixels


def icon(size=32):
    pixels = rows_4bpp(picture(size), size)
    mask = bytes(((size + 31) // 32) * 4 * size)  # every pixel opaque
    image = info_header(size, size * 2, len(pixels) + len(mask)) + palette_bytes() + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent.parent / "resources")
    (out / "hd7_3.bmp").write_bytes(bitmap())
    (out / "hd7_3.ico").write_bytes(icon())


if __name__ == "__main__":
    main()
