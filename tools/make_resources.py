#!/usr/bin/env python3
"""Draw Ostrel's program icon and pointing-hand cursor.

Writes, deterministically (same bytes on every run):

  resources/ostrel.ico  - program icon: a blue disc with an orange
                          "install" arrow; 48x48, 32x32 and 16x16 entries,
                          each a 32-bit BGRA bitmap with a 1-bit AND mask.
  resources/finger.cur  - 32x32 monochrome pointing hand (index finger up),
                          hot spot at the tip of the finger, (13, 9).

Standard library only.  Usage:  python3 tools/make_resources.py [--preview]
"""

import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES_DIR = os.path.join(ROOT, "resources")

# ---------------------------------------------------------------------------
# Cursor
# ---------------------------------------------------------------------------

# '.' transparent, '#' black outline, 'o' white fill.
# Columns 0..31 left to right, rows 0..31 top to bottom.
HAND = [
    #         1111111111222222222233
    # 234567890123456789012345678901
    "................................",  # 0
    "................................",  # 1
    "................................",  # 2
    "................................",  # 3
    "................................",  # 4
    "................................",  # 5
    "................................",  # 6
    "................................",  # 7
    "................................",  # 8
    "............###.................",  # 9   tip of the index finger
    "...........#ooo#................",  # 10
    "...........#ooo#................",  # 11
    "...........#ooo#................",  # 12
    "...........#ooo#................",  # 13
    "...........#ooo#................",  # 14
    "...........#ooo####.............",  # 15  middle knuckle
    "...........#ooo#ooo####.........",  # 16  ring knuckle
    "...........#ooo#ooo#ooo###......",  # 17  little knuckle
    "...........#ooo#ooo#ooo#oo#.....",  # 18
    "........####ooo#ooo#ooo#oo#.....",  # 19  thumb
    ".......#ooo#ooooooooooooooo#....",  # 20
    ".......#ooo#ooooooooooooooo#....",  # 21
    "........#oooooooooooooooooo#....",  # 22
    ".........#ooooooooooooooooo#....",  # 23
    "..........#oooooooooooooooo#....",  # 24
    "...........#oooooooooooooo#.....",  # 25
    "............#ooooooooooooo#.....",  # 26
    "............#ooooooooooooo#.....",  # 27
    "............#ooooooooooooo#.....",  # 28
    "............###############.....",  # 29
    "................................",  # 30
    "................................",  # 31
]
HOT_X, HOT_Y = 13, 9


def build_cursor():
    assert len(HAND) == 32 and all(len(r) == 32 for r in HAND)
    assert all(set(r) <= set(".#o") for r in HAND)
    assert HAND[HOT_Y][HOT_X] == "#", "hot spot must be on the finger tip"
    assert all(set(r) == {"."} for r in HAND[:HOT_Y]), "nothing above the tip"

    def rows(bit_for):
        out = b""
        for y in range(31, -1, -1):  # bottom-up
            v = 0
            for x in range(32):
                v = (v << 1) | bit_for(HAND[y][x])
            out += struct.pack(">I", v)  # MSB = leftmost pixel; 4 bytes/row
        return out

    xor = rows(lambda c: 1 if c == "o" else 0)  # white where fill
    andm = rows(lambda c: 1 if c == "." else 0)  # 1 = transparent
    bih = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0,
                      len(xor) + len(andm), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])  # black, white (BGRX)
    image = bih + palette + xor + andm
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, HOT_X, HOT_Y,
                        len(image), 6 + 16)
    return header + entry + image


# ---------------------------------------------------------------------------
# Icon
# ---------------------------------------------------------------------------

def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside(poly, x, y):
    n, c = len(poly), False
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                c = not c
    return c


# Downward "install" arrow in the lower right, unit coordinates (y down).
ARROW = [(0.70, 0.44), (0.86, 0.44), (0.86, 0.66), (0.97, 0.66),
         (0.78, 0.93), (0.59, 0.66), (0.70, 0.66)]

DISC_C, DISC_R = (0.43, 0.45), 0.40
HOLE_R, HUB_R = 0.065, 0.155

OUTLINE = (18, 45, 84)
DISC_LIGHT = (170, 218, 255)
DISC_DARK = (38, 104, 178)
SHEEN = (236, 247, 255)
HUB = (214, 226, 238)
ARROW_TOP = (255, 190, 70)
ARROW_BOT = (232, 108, 24)
ARROW_LINE = (96, 40, 8)


def scene(x, y, ow):
    """Colour (r, g, b, a in 0..1) of the emblem at unit point (x, y)."""
    # arrow, on top
    if inside(ARROW, x, y):
        t = (y - 0.44) / (0.93 - 0.44)
        return lerp(ARROW_TOP, ARROW_BOT, max(0.0, min(1.0, t))) + (1.0,)
    n = len(ARROW)
    d = min(seg_dist(x, y, *ARROW[i], *ARROW[(i + 1) % n]) for i in range(n))
    if d < ow:
        return ARROW_LINE + (1.0,)
    # disc
    dx, dy = x - DISC_C[0], y - DISC_C[1]
    r = math.hypot(dx, dy)
    if r >= DISC_R or r < HOLE_R:
        return (0, 0, 0, 0.0)
    if r >= DISC_R - ow or r < HOLE_R + ow * 0.8:
        return OUTLINE + (1.0,)
    if r < HUB_R:
        if r > HUB_R - ow * 0.7:
            return DISC_DARK + (1.0,)
        return HUB + (1.0,)
    t = max(0.0, min(1.0, (dx + dy) / (2 * DISC_R) * 0.9 + 0.5))
    col = lerp(DISC_LIGHT, DISC_DARK, t)
    # two light reflection wedges, as on a shiny disc
    ang = math.degrees(math.atan2(dy, dx)) % 180.0
    w = max(0.0, 1.0 - abs(ang - 135.0) / 22.0)
    return lerp(col, SHEEN, 0.75 * w) + (1.0,)


def render(size, ss=6):
    ow = max(0.035, 1.05 / size)
    px = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sj in range(ss):
                for si in range(ss):
                    x = (i + (si + 0.5) / ss) / size
                    y = (j + (sj + 0.5) / ss) / size
                    r, g, b, a = scene(x, y, ow)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / (ss * ss)
            if acc[3] > 0:
                c = tuple(int(round(acc[k] / acc[3])) for k in range(3))
            else:
                c = (0, 0, 0)
            row.append(c + (int(round(a * 255)),))
        px.append(row)
    return px


def icon_image(size):
    px = render(size)
    xor = b""
    for y in range(size - 1, -1, -1):
        for r, g, b, a in px[y]:
            xor += bytes([b, g, r, a])
    stride = ((size + 31) // 32) * 4
    andm = b""
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if px[y][x][3] == 0 else 0)
        bits <<= stride * 8 - size
        andm += bits.to_bytes(stride, "big")
    bih = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                      len(xor) + len(andm), 0, 0, 0, 0)
    return bih + xor + andm, px


def build_icon(sizes=(48, 32, 16)):
    images = [icon_image(s)[0] for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


# ---------------------------------------------------------------------------
# Read-back checks
# ---------------------------------------------------------------------------

def check_cursor(data):
    res, typ, count = struct.unpack_from("<HHH", data, 0)
    assert (res, typ, count) == (0, 2, 1)
    w, h, cc, _, hx, hy, size, off = struct.unpack_from("<BBBBHHII", data, 6)
    assert (w, h, cc, hx, hy) == (32, 32, 2, HOT_X, HOT_Y)
    assert off == 22 and off + size == len(data)
    bi = struct.unpack_from("<IiiHHIIiiII", data, off)
    assert bi[:5] == (40, 32, 64, 1, 1)
    pal = data[off + 40:off + 48]
    assert pal == bytes([0, 0, 0, 0, 255, 255, 255, 0])
    xor = data[off + 48:off + 48 + 128]
    andm = data[off + 176:off + 304]
    assert len(andm) == 128

    def pixel(x, y):
        r = 31 - y
        a = (andm[r * 4 + x // 8] >> (7 - x % 8)) & 1
        v = (xor[r * 4 + x // 8] >> (7 - x % 8)) & 1
        return {(1, 0): ".", (0, 0): "#", (0, 1): "o"}[(a, v)]

    grid = ["".join(pixel(x, y) for x in range(32)) for y in range(32)]
    assert grid == HAND
    return grid


def check_icon(data, sizes=(48, 32, 16)):
    res, typ, count = struct.unpack_from("<HHH", data, 0)
    assert (res, typ, count) == (0, 1, len(sizes))
    for k, s in enumerate(sizes):
        w, h, cc, _, planes, bpp, size, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * k)
        assert (w, h, planes, bpp) == (s % 256, s % 256, 1, 32)
        bi = struct.unpack_from("<IiiHHIIiiII", data, off)
        assert bi[:5] == (40, s, 2 * s, 1, 32)
        stride = ((s + 31) // 32) * 4
        assert size == 40 + s * s * 4 + stride * s
        assert off + size <= len(data)
        # AND bit set exactly where alpha is 0
        xor = data[off + 40:off + 40 + s * s * 4]
        andm = data[off + 40 + s * s * 4:off + size]
        for r in range(s):
            for x in range(s):
                alpha = xor[(r * s + x) * 4 + 3]
                bit = (andm[r * stride + x // 8] >> (7 - x % 8)) & 1
                assert bit == (1 if alpha == 0 else 0)


def main():
    os.makedirs(RES_DIR, exist_ok=True)
    cur = build_cursor()
    ico = build_icon()
    with open(os.path.join(RES_DIR, "finger.cur"), "wb") as f:
        f.write(cur)
    with open(os.path.join(RES_DIR, "ostrel.ico"), "wb") as f:
        f.write(ico)
    grid = check_cursor(cur)
    check_icon(ico)
    print("wrote resources/finger.cur (%d bytes, hot spot %d,%d)"
          % (len(cur), HOT_X, HOT_Y))
    print("wrote resources/ostrel.ico (%d bytes, 48/32/16 px, 32-bit)"
          % len(ico))
    if "--preview" in sys.argv:
        for y, row in enumerate(grid):
            print("%2d %s" % (y, row))
        shades = " .:-=+*#%@"
        for row in icon_image(32)[1]:
            print("   " + "".join(
                shades[min(9, a * 10 // 256)] * 2 for (_, _, _, a) in row))


if __name__ == "__main__":
    main()
