#!/usr/bin/env python3
"""Draws the program's icons (a disc with a play mark) into res/icons/*.ico.

Run it again after changing the drawing; the .ico files are committed."""
import math
import struct
from pathlib import Path

SIZES = (16, 32, 48)


def disc_pixel(x, y, size, accent):
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy) / (size / 2.0)
    if r > 0.98:
        return (0, 0, 0, 0)
    if r > 0.90:
        return (40, 44, 52, 255)  # rim
    if r < 0.14:
        return (0, 0, 0, 0)  # spindle hole
    if r < 0.22:
        return (120, 126, 138, 255)
    # Silver face with a soft rainbow sheen that turns with the angle.
    angle = math.atan2(dy, dx)
    sheen = 0.5 + 0.5 * math.cos(2 * angle)
    base = 170 + int(60 * sheen * (1 - r))
    red = min(255, base + int(20 * math.sin(3 * angle)))
    green = min(255, base + int(20 * math.sin(3 * angle + 2)))
    blue = min(255, base + 25)
    # Play triangle on the lower right quarter.
    tx, ty = (x - size * 0.55) / (size * 0.4), (y - size * 0.5) / (size * 0.4)
    if 0 <= tx <= 1 and abs(ty) <= 0.5 * (1 - tx) + 0.02 and size >= 16:
        return accent + (255,)
    return (red, green, blue, 255)


def icon_image(size, accent):
    rows = []
    for y in reversed(range(size)):  # bottom-up DIB
        row = b""
        for x in range(size):
            r, g, b, a = disc_pixel(x, y, size, accent)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytes(mask_stride * size)  # alpha carries the shape
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def write_icon(path, sizes, accent):
    images = [icon_image(s, accent) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    Path(path).write_bytes(out)


if __name__ == "__main__":
    folder = Path(__file__).resolve().parent.parent / "res" / "icons"
    folder.mkdir(parents=True, exist_ok=True)
    write_icon(folder / "large.ico", SIZES, (230, 120, 20))
    write_icon(folder / "small.ico", SIZES, (230, 120, 20))
    write_icon(folder / "tray.ico", (16, 32), (40, 170, 80))
