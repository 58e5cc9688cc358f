#!/usr/bin/env python3
"""Draws every skin bitmap of the program and writes the skins' description files.

Writes the built-in skin (res/builtin-skin/: six 24-bit BMP files, skin.ini and font.ini,
from which the build makes the program's resources) and the two sample folder skins
skins/Graphite/ and skins/Orbit/ (six bitmaps, skin.ini, font.ini; Orbit also
region-mask.bmp, from which the build makes its region.rgn). The layout values live here
beside the drawing, so the art and the records cannot drift apart.

The output is committed. Running the script again reproduces every file byte for byte: it
reads no clock and draws nothing at random (standard library only). To look at the result,
run tools/preview-skin.py on a skin folder.
"""
import math
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# ----------------------------------------------------------------------------------------
# Raster


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(clamp8(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(c, d):
    return tuple(clamp8(v + d) for v in c)


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = bytearray(bytes(fill) * (w * h))

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        i = (y * self.w + x) * 3
        return (self.px[i], self.px[i + 1], self.px[i + 2])

    def set(self, x, y, c):
        if self.inside(x, y):
            i = (y * self.w + x) * 3
            self.px[i:i + 3] = bytes(c)

    def blend(self, x, y, c, t):
        if self.inside(x, y) and t > 0:
            self.set(x, y, mix(self.get(x, y), c, min(1.0, t)))

    def fill(self, x, y, w, h, c):
        for yy in range(max(0, y), min(self.h, y + h)):
            for xx in range(max(0, x), min(self.w, x + w)):
                self.set(xx, yy, c)

    def hline(self, x, y, w, c):
        self.fill(x, y, w, 1, c)

    def vline(self, x, y, h, c):
        self.fill(x, y, 1, h, c)

    def frame(self, x, y, w, h, c):
        self.hline(x, y, w, c)
        self.hline(x, y + h - 1, w, c)
        self.vline(x, y, h, c)
        self.vline(x + w - 1, y, h, c)

    def vgradient(self, x, y, w, h, stops):
        """Fills top to bottom through the colour stops [(t, colour), ...]."""
        for i in range(h):
            t = i / (h - 1) if h > 1 else 0
            self.hline(x, y + i, w, gradient_at(stops, t))

    def bevel(self, x, y, w, h, light, dark):
        """A one-pixel raised edge: light top and left, dark bottom and right."""
        self.hline(x, y, w - 1, light)
        self.vline(x, y, h - 1, light)
        self.hline(x + 1, y + h - 1, w - 1, dark)
        self.vline(x + w - 1, y + 1, h - 1, dark)

    def pattern(self, x, y, rows, c, mark="#"):
        """Sets the pixels marked in a list of text rows."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == mark:
                    self.set(x + i, y + j, c)

    def blit(self, src, sx, sy, w, h, dx, dy):
        for j in range(h):
            for i in range(w):
                if src.inside(sx + i, sy + j):
                    self.set(dx + i, dy + j, src.get(sx + i, sy + j))

    def copy(self, sx, sy, w, h):
        out = Canvas(w, h)
        out.blit(self, sx, sy, w, h, 0, 0)
        return out

    def bmp(self):
        """The picture as a bottom-up Windows bitmap file: 8-bit with a palette of exactly its
        colours when it has no more than 256 (a third of the bytes, every pixel the same),
        else 24-bit."""
        colours = sorted({self.get(x, y) for y in range(self.h) for x in range(self.w)})
        bits = 8 if len(colours) <= 256 else 24
        index = {c: i for i, c in enumerate(colours)}
        stride = (self.w * bits // 8 + 3) & ~3
        rows = []
        for y in reversed(range(self.h)):
            row = bytearray()
            for x in range(self.w):
                r, g, b = self.get(x, y)
                row += bytes((index[(r, g, b)],)) if bits == 8 else bytes((b, g, r))
            rows.append(bytes(row) + bytes(stride - len(row)))
        data = b"".join(rows)
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours) if bits == 8 else b""
        used = len(colours) if bits == 8 else 0
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, bits, 0, len(data), 2835, 2835,
                           used, used)
        offset = 14 + len(info) + len(palette)
        head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
        return head + info + palette + data


def within_palette(pic, limit=256):
    """The picture with its rarest colours (single anti-aliasing pixels) moved to the nearest
    colour it keeps, until no more than `limit` are left, so that it can be stored with a
    palette and run-length compressed in the program's resources."""
    counts = {}
    for y in range(pic.h):
        for x in range(pic.w):
            counts[pic.get(x, y)] = counts.get(pic.get(x, y), 0) + 1
    if len(counts) <= limit:
        return pic
    ranked = sorted(counts, key=lambda c: (-counts[c], c))
    kept, dropped = ranked[:limit], set(ranked[limit:])
    nearest = {c: min(kept, key=lambda k: sum((a - b) ** 2 for a, b in zip(c, k))) for c in dropped}
    out = Canvas(pic.w, pic.h)
    for y in range(pic.h):
        for x in range(pic.w):
            c = pic.get(x, y)
            out.set(x, y, nearest.get(c, c))
    return out


def gradient_at(stops, t):
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0)
    return stops[-1][1]


def round_rect_coverage(px, py, w, h, r):
    """How much of pixel (px, py) lies in a w x h rectangle with round corners (4x4 samples)."""
    if r <= 0:
        return 1.0
    hits = 0
    for sy in range(4):
        for sx in range(4):
            x, y = px + (sx + 0.5) / 4, py + (sy + 0.5) / 4
            cx = min(max(x, r), w - r)
            cy = min(max(y, r), h - r)
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                hits += 1
    return hits / 16


def disc_coverage(px, py, cx, cy, r):
    hits = 0
    for sy in range(4):
        for sx in range(4):
            x, y = px + (sx + 0.5) / 4, py + (sy + 0.5) / 4
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                hits += 1
    return hits / 16


def write_file(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    old = path.read_bytes() if path.exists() else None
    if old != data:
        path.write_bytes(data)
        print("wrote", path.relative_to(ROOT))

# ----------------------------------------------------------------------------------------
# Pixel fonts. A glyph is a list of rows ("#" ink); nine rows run from the cap line to the
# bottom of the descenders, each row more on top holds accents above the cap line. The ink is
# one pixel narrower than the glyph's cell, so the last column is the space to the next one.


def glyphs(text):
    """Parses 'c: row/row/row ...' lines into {character: rows}."""
    table = {}
    for line in text.strip("\n").split("\n"):
        line = line.strip()
        if not line:
            continue
        name, rows = line.split(" ", 1)
        char = {"space": " ", "hash": "#", "slash": "/", "colon": ":"}.get(name, name)
        table[char] = rows.split("/")
    return table


# The program's own face: 11 pixels high, cap height 7, narrow and rounded.
LUMI_GLYPHS = glyphs("""
A ..#../.#.#./#...#/#...#/#####/#...#/#...#
M #...#/##.##/#.#.#/#.#.#/#...#/#...#/#...#
N #...#/##..#/##..#/#.#.#/#..##/#..##/#...#
W #...#/#...#/#...#/#.#.#/#.#.#/##.##/#...#
X #...#/#...#/.#.#./..#../.#.#./#...#/#...#
Y #...#/#...#/.#.#./..#../..#../..#../..#..
m ...../...../####./#.#.#/#.#.#/#.#.#/#.#.#
w ...../...../#...#/#...#/#.#.#/#.#.#/.#.#.
4 ...#./..##./.#.#./.#.#./.####/...#./...#.
space ...../...../...../...../...../...../.....
hash .#.#./.#.#./#####/.#.#./#####/.#.#./.#.#.
* ...../..#../#.#.#/.###./#.#.#/..#../.....
+ ...../..#../..#../#####/..#../..#../.....
@ .###./#...#/#.###/#.#.#/#.###/#..../.###.
^ ..#../.#.#./#...#/...../...../...../.....
_ ...../...../...../...../...../...../...../#####
B ###./#..#/#..#/###./#..#/#..#/###.
C .##./#..#/#.../#.../#.../#..#/.##.
D ###./#..#/#..#/#..#/#..#/#..#/###.
G .##./#..#/#.../#.##/#..#/#..#/.###
H #..#/#..#/#..#/####/#..#/#..#/#..#
J ...#/...#/...#/...#/#..#/#..#/.##.
K #..#/#..#/#.#./##../#.#./#..#/#..#
O .##./#..#/#..#/#..#/#..#/#..#/.##.
P ###./#..#/#..#/###./#.../#.../#...
Q .##./#..#/#..#/#..#/#..#/#.#./.#.#
R ###./#..#/#..#/###./#.#./#..#/#..#
S .##./#..#/#.../.##./...#/#..#/.##.
U #..#/#..#/#..#/#..#/#..#/#..#/.##.
V #..#/#..#/#..#/#..#/#..#/.##./.##.
Z ####/...#/..#./.#../#.../#.../####
a ..../..../.##./...#/.###/#..#/.###
b #.../#.../###./#..#/#..#/#..#/###.
c ..../..../.##./#..#/#.../#..#/.##.
d ...#/...#/.###/#..#/#..#/#..#/.###
e ..../..../.##./#..#/####/#.../.###
\xe9 ..#./.#../..../.##./#..#/####/#.../.###/..../....
\xe8 .#../..#./..../.##./#..#/####/#.../.###/..../....
g ..../..../.###/#..#/#..#/#..#/.###/...#/.##.
h #.../#.../###./#..#/#..#/#..#/#..#
k #.../#.../#..#/#.#./##../#.#./#..#
n ..../..../###./#..#/#..#/#..#/#..#
o ..../..../.##./#..#/#..#/#..#/.##.
p ..../..../###./#..#/#..#/#..#/###./#.../#...
q ..../..../.###/#..#/#..#/#..#/.###/...#/...#
r ..../..../#.##/##../#.../#.../#...
s ..../..../.###/#.../.##./...#/###.
u ..../..../#..#/#..#/#..#/#..#/.###
v ..../..../#..#/#..#/#..#/.##./.##.
x ..../..../#..#/#..#/.##./#..#/#..#
y ..../..../#..#/#..#/#..#/#..#/.###/...#/.##.
z ..../..../####/...#/.##./#.../####
0 .##./#..#/#..#/#.##/##.#/#..#/.##.
2 .##./#..#/...#/..#./.#../#.../####
3 ###./...#/...#/.##./...#/...#/###.
5 ####/#.../#.../###./...#/#..#/.##.
6 .##./#.../#.../###./#..#/#..#/.##.
7 ####/...#/...#/..#./..#./.#../.#..
8 .##./#..#/#..#/.##./#..#/#..#/.##.
9 .##./#..#/#..#/.###/...#/...#/.##.
" #.#./#.#./..../..../..../..../....
$ ..#./.###/#.#./.##./..##/###./..#.
% #..#/...#/..#./..#./.#../#.../#..#
& .#../#.#./#.#./.#../#.##/#..#/.##.
< ...#/..#./.#../#.../.#../..#./...#
= ..../..../####/..../####/..../....
> #.../.#../..#./...#/..#./.#../#...
? .##./#..#/...#/..#./.#../..../.#..
E ###/#../#../##./#../#../###
F ###/#../#../##./#../#../#..
L #../#../#../#../#../#../###
T ###/.#./.#./.#./.#./.#./.#.
f .##/.#./###/.#./.#./.#./.#.
t .../.#./###/.#./.#./.#./..#
slash ..#/..#/.#./.#./.#./#../#..
\\ #../#../.#./.#./.#./..#/..#
{ ..#/.#./.#./#../.#./.#./..#
} #../.#./.#./..#/.#./.#./#..
\xef #.#/.../.#./.#./.#./.#./.#.
I ###/.#./.#./.#./.#./.#./###
j .#/../.#/.#/.#/.#/.#/.#/#.
1 .#/##/.#/.#/.#/.#/.#
' #./#./../../../../..
( .#/#./#./#./#./#./.#
) #./.#/.#/.#/.#/.#/#.
, ../../../../../../.#/#.
- ../../../../##/../..
. ../../../../../../#.
colon ../../.#/../../.#/..
; ../../.#/../../.#/#.
[ ##/#./#./#./#./#./##
] ##/.#/.#/.#/.#/.#/##
` #./.#/../../../../..
i #/./#/#/#/#/#
l #/#/#/#/#/#/#
! #/#/#/#/#/./#
| #/#/#/#/#/#/#/#/#
""")

# Its text map, row by row: the glyph width, then the characters of that row.
LUMI_MAP_ROWS = [
    (6, "AMNWXYmw"),
    (6, "4 #*+@^_"),
    (5, "BCDGHJKOP"),
    (5, "QRSUVZabc"),
    (5, "de\xe9\xe8ghkno"),
    (5, "pqrsuvxy"),
    (5, "z02356789"),
    (5, "\"$%&<=>?"),
    (4, "EFLTft/\\{}\xefI"),
    (3, "j1'(),-.:;[]`"),
    (2, "il!|"),
]


class Font:
    """A glyph table laid out by a text map: draws text and paints the font's bitmap."""

    def __init__(self, table, map_rows, height, cap_top):
        self.table, self.map_rows = table, map_rows
        self.height, self.cap_top = height, cap_top
        self.width_of = {}
        for width, chars in map_rows:
            for c in chars:
                self.width_of.setdefault(c, width)

    def text_map(self):
        return "\r\n".join("%02d %s" % (w, chars) for w, chars in self.map_rows)

    def ink_rows(self, c):
        """The glyph's rows with the cell row each one lands on."""
        rows = self.table[c]
        first = self.cap_top - max(0, len(rows) - 9)
        return [(first + j, row) for j, row in enumerate(rows)]

    def text_width(self, text):
        return sum(self.width_of.get(c, 0) for c in text)

    def draw(self, canvas, x, y, text, ink):
        """Draws text with its cell top at y; ink is a colour or a function of the cell row."""
        paint = ink if callable(ink) else (lambda row: ink)
        for c in text:
            if c not in self.width_of:
                continue
            for row, bits in self.ink_rows(c):
                for i, bit in enumerate(bits):
                    if bit == "#":
                        canvas.set(x + i, y + row, paint(row))
            x += self.width_of[c]
        return x

    def sheet(self, ink, background, size=None):
        """The font bitmap: row r of the map is pixel row r x height of the grid."""
        w = max(width * len(chars) for width, chars in self.map_rows)
        h = self.height * len(self.map_rows)
        w, h = size if size else (w, h)
        canvas = Canvas(w, h, background)
        paint = ink if callable(ink) else (lambda row: ink)
        for r, (width, chars) in enumerate(self.map_rows):
            for col, c in enumerate(chars):
                x0, y0 = col * width, r * self.height
                for row, bits in self.ink_rows(c):
                    for i, bit in enumerate(bits):
                        if bit == "#":
                            canvas.set(x0 + i, y0 + row, paint(row))
        return canvas


# Accents by the ink width of the letter they stand on; the lower row is the nearer.
ACCENT_SHAPES = {
    3: {"grave": ["#..", ".#."], "acute": ["..#", ".#."], "circ": [".#.", "#.#"],
        "uml": ["...", "#.#"]},
    4: {"grave": [".#..", "..#."], "acute": ["..#.", ".#.."], "circ": [".##.", "#..#"],
        "uml": ["....", "#..#"], "tilde": [".#.#", "#.#."], "ring": [".##.", ".##."],
        "caron": ["#..#", ".##."]},
    5: {"grave": [".#...", "..#.."], "acute": ["...#.", "..#.."], "circ": ["..#..", ".#.#."],
        "uml": [".....", ".#.#."], "tilde": [".##.#", "#.##."], "ring": [".###.", ".#.#."],
        "caron": [".#.#.", "..#.."]},
}


def shortened(rows, n):
    """The letter n rows high: repeated rows go first, then the second row."""
    rows = list(rows)
    while len(rows) > n:
        twin = next((i for i in range(1, len(rows) - 1) if rows[i] == rows[i + 1]), 0)
        del rows[twin + 1]
    return rows


def accented_capital(base_rows, accent, height):
    """An accent, a blank row and the capital shortened to `height` rows on the baseline."""
    rows = shortened(base_rows[:7], height)
    blank = "." * len(rows[0])
    return ACCENT_SHAPES[len(blank)][accent] + [blank] + rows + [blank] * 2


def accented_small(base_rows, accent):
    """An accent, a blank row and the small letter from its x-height down."""
    blank = "." * len(base_rows[0])
    rows = (list(base_rows) + [blank] * 9)[:9]
    return ACCENT_SHAPES[len(blank)][accent] + [blank] + rows[2:]


# The accented letters of Windows-1252: character, base letter, accent.
ACCENTED_CAPITALS = [
    ("\xc0", "A", "grave"), ("\xc1", "A", "acute"), ("\xc2", "A", "circ"),
    ("\xc3", "A", "tilde"), ("\xc4", "A", "uml"), ("\xc5", "A", "ring"),
    ("\xc7", "C", None), ("\xc8", "E", "grave"), ("\xc9", "E", "acute"),
    ("\xca", "E", "circ"), ("\xcb", "E", "uml"), ("\xcc", "I", "grave"),
    ("\xcd", "I", "acute"), ("\xce", "I", "circ"), ("\xcf", "I", "uml"),
    ("\xd1", "N", "tilde"), ("\xd2", "O", "grave"), ("\xd3", "O", "acute"),
    ("\xd4", "O", "circ"), ("\xd5", "O", "tilde"), ("\xd6", "O", "uml"),
    ("\xd9", "U", "grave"), ("\xda", "U", "acute"), ("\xdb", "U", "circ"),
    ("\xdc", "U", "uml"), ("\xdd", "Y", "acute"), ("\x9f", "Y", "uml"),
    ("\x8a", "S", "caron"), ("\x8e", "Z", "caron"),
]
ACCENTED_SMALL = [
    ("\xe0", "a", "grave"), ("\xe1", "a", "acute"), ("\xe2", "a", "circ"),
    ("\xe3", "a", "tilde"), ("\xe4", "a", "uml"), ("\xe5", "a", "ring"),
    ("\xe8", "e", "grave"), ("\xe9", "e", "acute"), ("\xea", "e", "circ"),
    ("\xeb", "e", "uml"), ("\xec", "dotless i", "grave"), ("\xed", "dotless i", "acute"),
    ("\xee", "dotless i", "circ"), ("\xef", "dotless i", "uml"), ("\xf1", "n", "tilde"),
    ("\xf2", "o", "grave"), ("\xf3", "o", "acute"), ("\xf4", "o", "circ"),
    ("\xf5", "o", "tilde"), ("\xf6", "o", "uml"), ("\xf9", "u", "grave"),
    ("\xfa", "u", "acute"), ("\xfb", "u", "circ"), ("\xfc", "u", "uml"),
    ("\xfd", "y", "acute"), ("\xff", "y", "uml"), ("\x9a", "s", "caron"),
    ("\x9e", "z", "caron"),
]


def add_accented(table, capital_height, cedilla):
    """Adds every accented letter the table lacks, drawn from its base letters."""
    for char, base, accent in ACCENTED_CAPITALS:
        if char not in table:
            table[char] = (table[base] + [cedilla(table[base])] if accent is None else
                           accented_capital(table[base], accent, capital_height))
    for char, base, accent in ACCENTED_SMALL:
        if char not in table:
            table[char] = accented_small(table[base], accent)
    if "\xe7" not in table:
        table["\xe7"] = table["c"] + [cedilla(table["c"])]


LUMI_GLYPHS.update(glyphs("""
\xc6 .####/#.#../#.#../#####/#.#../#.#../#.###
\x8c .####/#.#../#.#../#.###/#.#../#.#../.####
\xd0 .###./.#..#/.#..#/###.#/.#..#/.#..#/.###.
\xe6 ...../...../##.#./..#.#/.####/#.#../.#.##
\x9c ...../...../.#.#./#.#.#/#.###/#.#../.#.##
\xd8 .###/#..#/#..#/#.##/##.#/#..#/###.
\xf8 ..../..../.###/#..#/#.##/##.#/###.
\xde #.../###./#..#/#..#/###./#.../#...
\xfe #.../#.../###./#..#/#..#/#..#/###./#.../#...
\xdf .##./#..#/#..#/#.#./#..#/#..#/#.#.
\xf0 #.#./.#../#.#./.###/#..#/#..#/.##.
"""))
LUMI_GLYPHS["dotless i"] = ["...", "...", ".#.", ".#.", ".#.", ".#.", ".#."]
add_accented(LUMI_GLYPHS, 6, lambda rows: "." * (len(rows[0]) - 2) + "#.")
LUMI_MAP_ROWS += [
    (6, "\xc0\xc1\xc2\xc3\xc4\xc5\xc6\xd0\xd1\xdd\x9f\x8c\xe6\x9c"),
    (5, "\xc7\xd2\xd3\xd4\xd5\xd6\xd8\xd9\xda\xdb\xdc\xde\xdf\x8a\x8e"),
    (5, "\xe0\xe1\xe2\xe3\xe4\xe5\xe7\xea\xeb\xf0\xf1\xf2\xf3\xf4\xf5"),
    (5, "\xf6\xf8\xf9\xfa\xfb\xfc\xfd\xff\xfe\x9a\x9e"),
    (4, "\xc8\xc9\xca\xcb\xcc\xcd\xce\xcf\xec\xed\xee"),
]
LUMI_FONT = Font(LUMI_GLYPHS, LUMI_MAP_ROWS, 11, 2)

# ----------------------------------------------------------------------------------------
# Symbols of the transport and window buttons ("#" ink)

SYMBOLS = {
    "prev": ["#...#...#", "#..##..##", "#.###.###", "#########", "#.###.###", "#..##..##",
             "#...#...#"],
    "play": ["#....", "##...", "###..", "####.", "#####", "####.", "###..", "##...", "#...."],
    "pause": ["##..##", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##"],
    "stop": ["#######", "#######", "#######", "#######", "#######", "#######", "#######"],
    "next": ["#...#...#", "##..##..#", "###.###.#", "#########", "###.###.#", "##..##..#",
             "#...#...#"],
    "eject": ["...#...", "..###..", ".#####.", "#######", ".......", "#######"],
    "playlist": ["##.#####", ".........", "##.#####", ".........", "##.#####"],
    "options": ["..#.#..", ".#####.", "##...##", ".#...#.", "##...##", ".#####.", "..#.#.."],
    "lock": ["..###..", ".#...#.", ".#...#.", "#######", "###.###", "###.###", "#######"],
    "mute": ["..#....", ".##.#.#", "###..#.", "###.#.#", ".##....", "..#...."],
    "minimize": ["#####", "#####"],
    "minimize_small": ["###"],
    "close_small": ["#.#", ".#.", "#.#"],
    "stop_small": ["#####", "#####", "#####", "#####", "#####"],
    "close": ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
}


def symbol_size(name):
    rows = SYMBOLS[name]
    return max(len(r) for r in rows), len(rows)


def draw_symbol(canvas, name, x, y, w, h, ink, shadow=None, dx=0, dy=0):
    """Centres a symbol in the box (x, y, w, h); the shadow falls one pixel down and right."""
    sw, sh = symbol_size(name)
    sx, sy = x + (w - sw) // 2 + dx, y + (h - sh) // 2 + dy
    if shadow:
        canvas.pattern(sx + 1, sy + 1, SYMBOLS[name], shadow)
    canvas.pattern(sx, sy, SYMBOLS[name], ink)


# A face 5 pixels high for the captions painted into the frame art.
MICRO = glyphs("""
A .#./#.#/###/#.#/#.#
D ##./#.#/#.#/#.#/##.
E ###/#../##./#../###
I ###/.#./.#./.#./###
L #../#../#../#../###
N #.#/###/###/###/#.#
O ###/#.#/#.#/#.#/###
P ##./#.#/##./#../#..
T ###/.#./.#./.#./.#.
U #.#/#.#/#.#/#.#/###
W #...#/#...#/#.#.#/#.#.#/.#.#.
""")


def micro_width(text):
    return sum(len(MICRO[c][0]) + 1 for c in text) - 1


def draw_micro(canvas, x, y, text, ink):
    for c in text:
        canvas.pattern(x, y, MICRO[c], ink)
        x += len(MICRO[c][0]) + 1


# ----------------------------------------------------------------------------------------
# Skin descriptions


class Layout:
    """The values of one skin.ini, in the file's order."""

    MAIN_KEYS = ["main", "titlebar", "btPrev", "btPlay", "btPause", "btStop", "btNext", "btEject",
                 "btShowPlaylist", "btShowOptions", "btLockVolume", "btMuteVolume", "btMinimize",
                 "btClose", "sbPos", "sbLVolume", "sbRVolume", "sbMVolume", "tbPosition",
                 "tbTrackLength", "tbArtist", "tbAlbum", "tbTrackName", "tbStatus"]
    PLAYLIST_KEYS = ["topleft", "topmiddle", "topright", "topfill", "bottomleft", "bottomright",
                     "bottomfill", "leftborder", "rightborder", "sbListBox", "lbPlaylist", "btAdd",
                     "btDelete", "btEdit", "btSongup", "btSongdown", "btClose"]

    def __init__(self, main, playlist, current, selection, info, region=False):
        self.main, self.playlist = main, playlist
        self.current, self.selection = current, selection
        self.info, self.region = info, region

    def skin_ini(self):
        lines = ["[info]"]
        lines += ["%d=%s" % (i + 1, text) for i, text in enumerate(self.info)]
        lines += ["", "[mainwindow]"]
        lines += ["%s=%s" % (k, ",".join(map(str, self.main[k]))) for k in self.MAIN_KEYS]
        lines += ["", "[playlistwindow]"]
        for k in self.PLAYLIST_KEYS:
            values = ",".join(map(str, self.playlist[k]))
            if k == "lbPlaylist":
                values += ",#%06X,#%06X" % (self.current, self.selection)
            lines.append("%s=%s" % (k, values))
        lines += ["", "[region]", "useregion=%d" % (1 if self.region else 0)]
        return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def font_ini(font, background):
    text = font.text_map() + "\r\n\r\n[font]\r\nbgColor=#%02X%02X%02X\r\nheight=%d\r\n" % (
        background + (font.height,))
    return text.encode("latin-1")


# The built-in skin's records. The program carries exactly these values.
BUILTIN_MAIN = {
    "main": [0, 0, 275, 116],
    "titlebar": [0, 0, 275, 14],
    "btPrev": [16, 88, 22, 18, 0, 0, 88, 18],
    "btPlay": [39, 88, 22, 18, 0, 18, 88, 18],
    "btPause": [62, 88, 22, 18, 0, 36, 88, 18],
    "btStop": [85, 88, 22, 18, 0, 54, 88, 18],
    "btNext": [108, 88, 22, 18, 0, 72, 88, 18],
    "btEject": [131, 88, 22, 18, 0, 90, 88, 18],
    "btShowPlaylist": [164, 88, 22, 18, 0, 108, 88, 18],
    "btShowOptions": [187, 88, 22, 18, 0, 126, 88, 18],
    "btLockVolume": [237, 77, 7, 7, 44, 144, 28, 7],
    "btMuteVolume": [253, 77, 7, 7, 44, 151, 28, 7],
    "btMinimize": [252, 3, 9, 9, 0, 144, 36, 9],
    "btClose": [262, 3, 9, 9, 0, 152, 36, 9],
    "sbPos": [12, 72, 195, 6, 0, 0, 80, 6],
    "sbLVolume": [231, 50, 4, 60, 0, 6, 16, 10],
    "sbRVolume": [246, 50, 4, 60, 0, 6, 16, 10],
    "sbMVolume": [262, 50, 4, 60, 0, 6, 16, 10],
    "tbPosition": [55, 27, 44, 13],
    "tbTrackLength": [23, 27, 30, 11],
    "tbArtist": [22, 42, 115, 11],
    "tbAlbum": [22, 55, 115, 11],
    "tbTrackName": [112, 27, 150, 15],
    "tbStatus": [161, 42, 55, 11],
}
BUILTIN_PLAYLIST = {
    "topleft": [0, 0, 25, 20, 0, 0, 0, 21],
    "topmiddle": [0, 0, 100, 20, 26, 0, 26, 21],
    "topright": [0, 0, 25, 20, 153, 0, 153, 21],
    "topfill": [0, 0, 25, 20, 127, 0, 127, 21],
    "bottomleft": [0, 0, 154, 38, 0, 42],
    "bottomright": [0, 0, 20, 38, 155, 42],
    "bottomfill": [0, 0, 25, 38, 38, 81],
    "leftborder": [0, 0, 9, 29, 64, 81],
    "rightborder": [0, 0, 7, 29, 74, 81],
    "sbListBox": [0, 0, 9, 0, 82, 81, 36, 20, 119, 81, 9, 28],
    "lbPlaylist": [28, 120, 20, 18, 18],
    "btAdd": [10, 32, 27, 20, 0, 142, 108, 20],
    "btDelete": [39, 32, 27, 20, 0, 142, 108, 20],
    "btEdit": [68, 32, 27, 20, 0, 142, 108, 20],
    "btSongup": [97, 32, 27, 20, 0, 142, 108, 20],
    "btSongdown": [126, 32, 27, 20, 0, 142, 108, 20],
    "btClose": [5, 3, 9, 9, 82, 110, 36, 9],
}
BUILTIN_SIZES = {"main": (275, 116), "titlebar": (275, 28), "cbuttons": (88, 162),
                 "scroll": (80, 16), "font": (84, 176), "playlist": (178, 172)}
PLAYLIST_LABELS = ["ADD", "DEL", "EDIT", "UP", "DOWN"]


def cells(strip):
    x, y, w, h = strip[-4:]
    q = w // 4
    return [(x + k * q, y, q, h) for k in range(4)]


STATES = ("normal", "pressed", "hover", "disabled")


# ----------------------------------------------------------------------------------------
# Painting pieces shared by the skins. A theme is a dict of colours and a few style choices.


def region_edges(canvas, inside, x0, y0, x1, y1, fill, top_edge, bottom_edge, shadow=None,
                 light=None):
    """Paints an inset area given by inside(x, y): filled, with a dark upper-left rim and a
    light lower-right rim, and optionally a ring around it in the same sense."""
    for y in range(y0, y1):
        for x in range(x0, x1):
            if inside(x, y):
                c = fill(x, y)
                if not inside(x, y - 1) or not inside(x - 1, y):
                    c = top_edge
                elif not inside(x, y + 1) or not inside(x + 1, y):
                    c = bottom_edge
                canvas.set(x, y, c)
            elif shadow is not None:
                above = inside(x, y + 1) or inside(x + 1, y) or inside(x + 1, y + 1)
                below = inside(x, y - 1) or inside(x - 1, y) or inside(x - 1, y - 1)
                if above and not below:
                    canvas.blend(x, y, shadow, 0.6)
                elif below and not above:
                    canvas.blend(x, y, light, 0.6)


def in_round_rect(x, y, rect, r):
    rx, ry, rw, rh = rect
    return (0 <= x - rx < rw and 0 <= y - ry < rh and
            round_rect_coverage(x - rx, y - ry, rw, rh, r) >= 0.5)


def keycap(canvas, x, y, w, h, state, t, radius=2):
    """A raised button face in the cell (x, y, w, h); the canvas holds what lies behind it."""
    face = {
        "normal": (t["key_top"], t["key_bottom"]),
        "hover": (shade(t["key_top"], 18), shade(t["key_bottom"], 14)),
        "pressed": (t["key_pressed_top"], t["key_pressed_bottom"]),
        "disabled": (t["key_disabled"], t["key_disabled"]),
    }[state]
    outline = t["key_outline"]
    for j in range(h):
        for i in range(w):
            cov = round_rect_coverage(i, j, w, h, radius)
            if cov <= 0:
                continue
            inner = round_rect_coverage(i - 1, j - 1, w - 2, h - 2, max(radius - 1, 0))
            if inner < 0.5 or not (0 < i < w - 1 and 0 < j < h - 1):
                canvas.blend(x + i, y + j, outline, cov)
                continue
            c = mix(face[0], face[1], (j - 1) / max(h - 3, 1))
            if state == "pressed":
                if j == 1 or i == 1:
                    c = t["key_pressed_edge"]
            elif state != "disabled":
                if j == 1:
                    c = t["key_light"] if state == "normal" else shade(t["key_light"], 24)
                elif i == 1:
                    c = mix(c, t["key_light"], 0.5)
                elif j == h - 2 or i == w - 2:
                    c = t["key_dark"]
            canvas.set(x + i, y + j, c)


def symbol_ink(state, t, lit=False):
    ink = {"normal": t["sym"], "hover": t["sym_hover"], "pressed": t["sym_pressed"],
           "disabled": t["sym_disabled"]}[state]
    if lit and state == "pressed":
        ink = t["sym_on"]
    return ink


def transport_button(canvas, x, y, w, h, name, state, t, toggle=False):
    keycap(canvas, x, y, w, h, state, t, t.get("key_radius", 2))
    # A pressed key is sunk: its symbol moves down and right and loses its relief.
    d = 1 if state == "pressed" else 0
    shadow = t["sym_shadow"] if state in ("normal", "hover") else None
    draw_symbol(canvas, name, x, y, w, h, symbol_ink(state, t, toggle), shadow, d, d)


def title_button(canvas, x, y, size, name, state, t):
    """The small square window buttons; their one-pixel outline is the same in every state."""
    canvas.frame(x, y, size, size, t["key_outline"])
    face = {"normal": t["tb_face"], "hover": shade(t["tb_face"], 22),
            "pressed": t["tb_pressed"], "disabled": t["key_disabled"]}[state]
    canvas.vgradient(x + 1, y + 1, size - 2, size - 2,
                     [(0, shade(face, 16)), (1, shade(face, -12))])
    ink = {"normal": t["sym"], "hover": t["sym_hover"], "pressed": t["tb_pressed_sym"],
           "disabled": t["sym_disabled"]}[state]
    sw, sh = symbol_size(name)
    ox = x + 1 + (size - 2 - sw) // 2
    oy = y + 1 + (size - 2 - sh) // 2 + (1 if name == "minimize" else 0)
    canvas.pattern(ox, oy, SYMBOLS[name], ink)


def icon_button(canvas, x, y, name, state, t, lit_colour):
    """A bare symbol on the window's own background: the small lock and mute toggles."""
    ink = {"normal": t["icon"], "hover": t["sym_hover"], "pressed": lit_colour,
           "disabled": t["sym_disabled"]}[state]
    canvas.pattern(x, y, SYMBOLS[name], ink)


def disc_emblem(canvas, cx, cy, r, t):
    """A small compact disc: rim, silver face with a coloured sheen, hole."""
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            cov = disc_coverage(x, y, cx, cy, r)
            if cov <= 0:
                continue
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy) / r
            if d < 0.22:
                c = t["disc_hole"]
            elif d < 0.36:
                c = t["disc_hub"]
            else:
                angle = math.atan2(dy, dx)
                sheen = 0.5 + 0.5 * math.cos(2 * angle + 0.6)
                c = mix(t["disc_dark"], t["disc_light"], sheen)
                c = mix(c, t["disc_tint"], 0.25 * (0.5 + 0.5 * math.sin(3 * angle)))
            if d > 0.86:
                c = mix(c, t["disc_rim"], 0.6)
            canvas.blend(x, y, c, cov)


# ----------------------------------------------------------------------------------------
# The classic layout (the built-in skin's, also used by Graphite)


def window_frame(canvas, t, x=0, y=0, w=None, h=None):
    w = canvas.w if w is None else w
    h = canvas.h if h is None else h
    canvas.frame(x, y, w, h, t["outline"])
    canvas.bevel(x + 1, y + 1, w - 2, h - 2, t["light"], t["dark"])


def slider_groove(canvas, rect, t, vertical):
    """The channel a slider's thumb runs in, drawn into the background at the slider's place."""
    x, y, w, h = rect
    canvas.fill(x, y, w, h, t["groove"])
    if vertical:
        canvas.vline(x, y, h, t["groove_dark"])
        canvas.vline(x + w - 1, y, h, t["groove_light"])
        canvas.hline(x, y, w, t["groove_dark"])
        canvas.hline(x, y + h - 1, w, t["groove_light"])
        for j in range(4, h - 3, 6):
            for xx in (x - 2, x + w + 1):
                canvas.set(xx, y + j, t["tick"])
    else:
        canvas.hline(x, y, w, t["groove_dark"])
        canvas.hline(x, y + h - 1, w, t["groove_light"])
        canvas.vline(x, y, h, t["groove_dark"])
        canvas.vline(x + w - 1, y, h, t["groove_light"])
        canvas.hline(x + 2, y + h // 2, w - 4, t["groove_line"])


def panel_inside(x, y):
    """The display panel of the classic layout: a wide upper band and the part to its left
    below it, with the volume sliders in the notch at the lower right."""
    return in_round_rect(x, y, (17, 22, 251, 26), 3) or in_round_rect(x, y, (17, 22, 208, 48), 3)


def classic_main(t, L):
    w, h = L.main["main"][2], L.main["main"][3]
    c = Canvas(w, h)
    c.vgradient(0, 0, w, h, t["body"])
    window_frame(c, t)

    def panel_fill(x, y):
        base = gradient_at(t["panel"], (y - 22) / 47)
        return shade(base, -t["scanline"]) if y % 2 else base

    region_edges(c, panel_inside, 14, 19, 271, 73, panel_fill, t["panel_top_edge"],
                 t["panel_bottom_edge"], t["dark"], t["light"])
    # Quiet guides on the panel between the time and the track title.
    for y in range(26, 44, 2):
        c.set(106, y, t["panel_guide"])
    slider_groove(c, L.main["sbPos"][0:4], t, False)
    for key in ("sbLVolume", "sbRVolume", "sbMVolume"):
        slider_groove(c, L.main[key][0:4], t, True)
    for x0, x1 in ((15, 154), (163, 210)):
        region_edges(c, lambda x, y, a=x0, b=x1: a <= x < b and 87 <= y < 107, 0, 86, w, 108,
                     lambda x, y: t["tray"], t["tray_edge"], t["tray_light"])
    disc_emblem(c, 219.5, 97.5, 6.5, t)
    return c


def classic_titlebar(t, L, font):
    tw, th = L.main["titlebar"][2], L.main["titlebar"][3]
    c = Canvas(tw, th * 2)
    for look, y0 in (("inactive", 0), ("active", th)):
        part = Canvas(tw, th)
        part.vgradient(0, 0, tw, th, t["title_" + look])
        part.hline(0, 0, tw, t["outline"])
        part.vline(0, 0, th, t["outline"])
        part.vline(tw - 1, 0, th, t["outline"])
        part.hline(1, 1, tw - 2, shade(t["title_" + look][0][1], 30))
        part.vline(1, 1, th - 1, shade(t["title_" + look][0][1], 30))
        part.vline(tw - 2, 1, th - 1, t["dark"])
        part.hline(1, th - 1, tw - 2, t["title_shadow"])
        ink = t["title_text_" + look]
        disc_emblem(part, 8.5, 7.0, 4.5, t if look == "active" else t["dim_disc"])
        cap = (th - 7) // 2 - font.cap_top  # the cell top that centres the capitals
        x = font.draw(part, 17, cap, t["title"], ink)
        x = font.draw(part, x + 4, cap, t["subtitle"], t["title_sub_" + look])
        stripe_end = L.main["btMinimize"][0] - 5
        for y in (4, 7, 10):
            part.hline(x + 6, y, stripe_end - x - 6, t["stripe_dark_" + look])
            part.hline(x + 6, y + 1, stripe_end - x - 6, t["stripe_light_" + look])
        c.blit(part, 0, 0, tw, th, 0, y0)
    return c


CLASSIC_SYMBOLS = [("btPrev", "prev"), ("btPlay", "play"), ("btPause", "pause"),
                   ("btStop", "stop"), ("btNext", "next"), ("btEject", "eject"),
                   ("btShowPlaylist", "playlist"), ("btShowOptions", "options")]
TOGGLES = ("btShowPlaylist", "btShowOptions")


def classic_cbuttons(t, L, main, size):
    c = Canvas(size[0], size[1], t["sheet"])
    for key, name in CLASSIC_SYMBOLS:
        place = L.main[key]
        for state, (x, y, w, h) in zip(STATES, cells(place)):
            c.blit(main, place[0], place[1], w, h, x, y)
            transport_button(c, x, y, w, h, name, state, t, key in TOGGLES)
    for key, name in (("btMinimize", "minimize"), ("btClose", "close")):
        for state, (x, y, w, h) in zip(STATES, cells(L.main[key])):
            title_button(c, x, y, w, name, state, t)
    for key, name, lit in (("btLockVolume", "lock", t["lock_on"]),
                           ("btMuteVolume", "mute", t["mute_on"])):
        place = L.main[key]
        for state, (x, y, w, h) in zip(STATES, cells(place)):
            c.blit(main, place[0], place[1], w, h, x, y)
            icon_button(c, x, y, name, state, t, lit)
    return c


def thumb(canvas, x, y, w, h, state, t, vertical, behind):
    """A slider thumb over the groove's own pixels (behind), so its round ends blend in."""
    canvas.blit(behind, 0, 0, w, h, x, y)
    top, bottom = {"normal": t["thumb"], "hover": t["thumb_hover"],
                   "pressed": t["thumb_pressed"], "disabled": t["thumb_disabled"]}[state]
    r = 1.5 if min(w, h) >= 5 else 1
    for j in range(h):
        for i in range(w):
            cov = round_rect_coverage(i, j, w, h, r)
            if cov <= 0:
                continue
            col = mix(top, bottom, (j / max(h - 1, 1)) if not vertical else (i / max(w - 1, 1)))
            if (j == 0 and not vertical) or (i == 0 and vertical):
                col = shade(col, 30)
            canvas.blend(x + i, y + j, col, cov)
    mark = t["thumb_mark_" + ("on" if state == "pressed" else "off")]
    if vertical:
        canvas.hline(x + 1, y + h // 2, w - 2, mark)
    else:
        for k in (-2, 0, 2):
            canvas.vline(x + w // 2 + k, y + 1, h - 2, mark)


def classic_scroll(t, L, main, size):
    c = Canvas(size[0], size[1], t["sheet"])
    pos = L.main["sbPos"]
    for state, (x, y, w, h) in zip(STATES, cells(pos)):
        behind = main.copy(pos[0] + 60, pos[1], w, h)
        thumb(c, x, y, w, h, state, t, False, behind)
    vol = L.main["sbLVolume"]
    for state, (x, y, w, h) in zip(STATES, cells(vol)):
        behind = main.copy(vol[0], vol[1] + 20, w, h)
        thumb(c, x, y, w, h, state, t, True, behind)
    return c


def title_piece(kind, w, h, look, t, font):
    """One piece of the playlist window's title strip: left, middle, fill or right."""
    p = Canvas(w, h)
    p.vgradient(0, 0, w, h, t["strip_" + look])
    p.hline(0, 0, w, t["outline"])
    p.hline(0, 1, w, shade(t["strip_" + look][0][1], 30))
    p.hline(0, h - 1, w, t["list_edge_dark"])
    p.hline(0, h - 2, w, t["title_shadow"])
    x0, x1 = 0, w
    if kind == "left":
        p.vline(0, 0, h, t["outline"])
        p.vline(1, 1, h - 2, shade(t["strip_" + look][0][1], 30))
        x0 = 5
    if kind == "right":
        p.vline(w - 1, 0, h, t["outline"])
        p.vline(w - 2, 1, h - 2, t["dark"])
        x1 = w - 16
    mid = (h - 2) // 2
    stripes = [mid - 3, mid, mid + 3]
    if kind == "middle":
        text = t["playlist_title"]
        tw = font.text_width(text)
        tx = (w - tw) // 2
        font.draw(p, tx, mid - 3 - font.cap_top, text, t["title_text_" + look])
        segments = [(0, tx - 6), (tx + tw + 5, w)]
    else:
        segments = [(x0, x1)]
    for a, b in segments:
        for y in stripes:
            p.hline(a, y, b - a, t["stripe_dark_" + look])
            p.hline(a, y + 1, b - a, t["stripe_light_" + look])
    return p


def classic_playlist(t, L, font, size):
    P = L.playlist
    c = Canvas(size[0], size[1], t["sheet"])
    for look, index in (("inactive", 4), ("active", 6)):
        for key, kind in (("topleft", "left"), ("topmiddle", "middle"), ("topfill", "fill"),
                          ("topright", "right")):
            v = P[key]
            c.blit(title_piece(kind, v[2], v[3], look, t, font), 0, 0, v[2], v[3], v[index],
                   v[index + 1])

    body_top = t["frame_body"]
    body = [(0, body_top), (1, shade(body_top, -14))]

    def bottom(w, h, left, right):
        p = Canvas(w, h)
        p.vgradient(0, 0, w, h, body)
        p.hline(0, 0, w, t["list_edge_light"])
        p.hline(0, h - 1, w, t["outline"])
        p.hline(0, h - 2, w, t["dark"])
        if left:
            p.vline(0, 0, h, t["outline"])
            p.vline(1, 0, h - 2, t["light"])
            p.fill(2, 0, 7, 1, body_top)
        if right:
            p.vline(w - 1, 0, h, t["outline"])
            p.vline(w - 2, 0, h - 1, t["dark"])
            p.fill(w - 7, 0, 5, 1, body_top)
            p.set(w - 7, 0, t["list_edge_light"])
        return p

    bl = P["bottomleft"]
    left = bottom(bl[2], bl[3], True, False)
    buttons = [P[k] for k in ("btAdd", "btDelete", "btEdit", "btSongup", "btSongdown")]
    bx0 = buttons[0][0] - 1
    bx1 = buttons[-1][0] + buttons[-1][2] + 1
    top = bl[3] - buttons[0][1] - 1
    region_edges(left, lambda x, y: bx0 <= x < bx1 and top <= y < top + 22, 0, 0, bl[2], bl[3],
                 lambda x, y: t["tray"], t["tray_edge"], t["tray_light"])
    for b, label in zip(buttons, PLAYLIST_LABELS):
        lx = b[0] + (b[2] - micro_width(label) + 1) // 2
        draw_micro(left, lx, bl[3] - b[1] + b[3] + 3, label, t["label"])
    c.blit(left, 0, 0, bl[2], bl[3], bl[4], bl[5])

    br = P["bottomright"]
    right = bottom(br[2], br[3], False, True)
    for k in range(3):
        for i in range(11 - 4 * k):
            x, y = br[2] - 4 - i, br[3] - 14 + i + 4 * k
            right.set(x, y, t["grip_light"])
            right.set(x + 1, y, t["grip_dark"])
    c.blit(right, 0, 0, br[2], br[3], br[4], br[5])

    bf = P["bottomfill"]
    c.blit(bottom(bf[2], bf[3], False, False), 0, 0, bf[2], bf[3], bf[4], bf[5])

    lb = P["leftborder"]
    c.fill(lb[4], lb[5], lb[2], lb[3], body_top)
    c.vline(lb[4], lb[5], lb[3], t["outline"])
    c.vline(lb[4] + 1, lb[5], lb[3], t["light"])
    c.vline(lb[4] + lb[2] - 1, lb[5], lb[3], t["list_edge_dark"])
    rb = P["rightborder"]
    c.fill(rb[4], rb[5], rb[2], rb[3], body_top)
    c.vline(rb[4], rb[5], rb[3], t["list_edge_light"])
    c.vline(rb[4] + rb[2] - 2, rb[5], rb[3], t["dark"])
    c.vline(rb[4] + rb[2] - 1, rb[5], rb[3], t["outline"])

    sb = P["sbListBox"]
    gx, gy, gw, gh = sb[8:12]
    track = Canvas(gw, gh)
    track.fill(0, 0, gw, gh, t["groove"])
    track.vline(0, 0, gh, t["groove_dark"])
    track.vline(gw - 1, 0, gh, t["groove_light"])
    track.vline(gw // 2, 0, gh, t["groove_line"])
    c.blit(track, 0, 0, gw, gh, gx, gy)
    for state, (x, y, w, h) in zip(STATES, cells(sb[4:8])):
        thumb(c, x, y, w, h, state, t, True, track)
        for k in (-3, 0, 3):
            c.hline(x + 2, y + h // 2 + k, w - 4, t["thumb_mark_" + (
                "on" if state == "pressed" else "off")])

    lx, ly, lw, lh, item = P["lbPlaylist"]
    for j in range(lh):
        row = shade(t["list_bg"], -t["scanline"]) if j % 2 else t["list_bg"]
        c.hline(lx, ly + j, lw, row)
    c.hline(lx, ly + lh - 1, lw, t["list_rule"])

    for state, (x, y, w, h) in zip(STATES, cells(P["btClose"])):
        title_button(c, x, y, w, "close", state, t)
    face_behind = left.copy(buttons[0][0], bl[3] - buttons[0][1], buttons[0][2], buttons[0][3])
    for state, (x, y, w, h) in zip(STATES, cells(P["btAdd"])):
        # The five buttons share these faces, so they carry no symbol: the captions under
        # them in the frame tell them apart.
        c.blit(face_behind, 0, 0, w, h, x, y)
        if t.get("round_keys"):
            round_button(c, x, y, w, h, None, state, t)
        else:
            keycap(c, x, y, w, h, state, t, t.get("key_radius", 2))
    return c


# ----------------------------------------------------------------------------------------
# The built-in skin: violet night with a warm gold display

LUMI = {
    "outline": (8, 6, 14),
    "body": [(0, (64, 55, 92)), (0.5, (46, 40, 68)), (1, (32, 28, 49))],
    "light": (112, 100, 150),
    "dark": (20, 17, 31),
    "panel": [(0, (12, 10, 21)), (1, (22, 18, 37))],
    "panel_top_edge": (4, 3, 9),
    "panel_bottom_edge": (40, 34, 62),
    "panel_guide": (46, 40, 70),
    "scanline": 3,
    "groove": (16, 13, 26),
    "groove_dark": (6, 5, 11),
    "groove_light": (96, 86, 128),
    "groove_line": (40, 34, 60),
    "tick": (90, 80, 120),
    "tray": (22, 18, 34),
    "tray_edge": (10, 8, 17),
    "tray_light": (88, 78, 118),
    "sheet": (32, 28, 49),
    "key_top": (98, 88, 132),
    "key_bottom": (60, 52, 88),
    "key_light": (150, 138, 188),
    "key_dark": (42, 36, 62),
    "key_outline": (8, 6, 14),
    "key_pressed_top": (40, 34, 60),
    "key_pressed_bottom": (56, 48, 82),
    "key_pressed_edge": (28, 23, 42),
    "key_disabled": (54, 50, 66),
    "key_radius": 2,
    "sym": (226, 218, 244),
    "sym_hover": (255, 244, 206),
    "sym_pressed": (255, 214, 128),
    "sym_on": (255, 186, 72),
    "sym_disabled": (96, 90, 112),
    "sym_shadow": (24, 20, 38),
    "icon": (178, 168, 208),
    "lock_on": (255, 186, 72),
    "mute_on": (255, 92, 64),
    "tb_face": (84, 74, 114),
    "tb_pressed": (36, 30, 54),
    "tb_pressed_sym": (255, 186, 72),
    "thumb": ((214, 206, 236), (140, 130, 172)),
    "thumb_hover": ((244, 238, 255), (170, 160, 204)),
    "thumb_pressed": ((255, 214, 128), (214, 150, 56)),
    "thumb_disabled": ((92, 88, 106), (72, 68, 86)),
    "thumb_mark_off": (96, 86, 128),
    "thumb_mark_on": (150, 92, 24),
    "disc_hole": (20, 17, 31),
    "disc_hub": (150, 144, 170),
    "disc_dark": (150, 146, 176),
    "disc_light": (238, 236, 250),
    "disc_tint": (255, 170, 220),
    "disc_rim": (70, 62, 96),
    "title": "LUMIVOXEN",
    "subtitle": "CD Player",
    "title_active": [(0, (104, 62, 150)), (0.55, (78, 44, 116)), (1, (54, 30, 84))],
    "title_inactive": [(0, (76, 70, 92)), (1, (52, 48, 64))],
    "title_shadow": (20, 17, 31),
    "title_text_active": (255, 226, 150),
    "title_text_inactive": (164, 158, 180),
    "title_sub_active": (214, 186, 240),
    "title_sub_inactive": (128, 122, 144),
    "stripe_dark_active": (44, 24, 70),
    "stripe_light_active": (132, 90, 176),
    "stripe_dark_inactive": (44, 40, 56),
    "stripe_light_inactive": (96, 90, 112),
    "strip_active": [(0, (104, 62, 150)), (0.55, (78, 44, 116)), (1, (54, 30, 84))],
    "strip_inactive": [(0, (76, 70, 92)), (1, (52, 48, 64))],
    "playlist_title": "PLAYLIST",
    "frame_body": (52, 45, 76),
    "list_edge_dark": (6, 5, 11),
    "list_edge_light": (96, 86, 128),
    "list_bg": (16, 13, 27),
    "list_rule": (30, 25, 46),
    "label": (176, 166, 206),
    "grip_light": (120, 108, 156),
    "grip_dark": (16, 13, 26),
    "font_ink": [(0, (255, 240, 190)), (0.5, (255, 222, 140)), (1, (232, 172, 84))],
}
LUMI["dim_disc"] = dict(LUMI, disc_dark=(110, 106, 126), disc_light=(170, 166, 184),
                        disc_tint=(150, 146, 170), disc_hub=(110, 106, 126))


def font_ink(stops, font):
    """Ink by cell row: the gradient runs from the cap line to the baseline."""
    top, base = font.cap_top, font.cap_top + 6

    def ink(row):
        return gradient_at(stops, min(1, max(0, (row - top) / (base - top))))
    return ink


def builtin_skin():
    L = Layout(BUILTIN_MAIN, BUILTIN_PLAYLIST, 0xB10D01, 0x560474, [
        "Lumivoxen (built-in skin)",
        "The program's own look, carried in its resources.",
        "Violet night with a warm gold display;",
        "a narrow, rounded pixel face 11 pixels high.",
        "",
        "",
        "",
        "Lumivoxen CD Player,",
        "drawn by tools/make-skin-art.py.",
    ])
    t = LUMI
    main = classic_main(t, L)
    out = {
        "main.bmp": within_palette(main),
        "titlebar.bmp": classic_titlebar(t, L, LUMI_FONT),
        "cbuttons.bmp": classic_cbuttons(t, L, main, BUILTIN_SIZES["cbuttons"]),
        "scroll.bmp": classic_scroll(t, L, main, BUILTIN_SIZES["scroll"]),
        "font.bmp": LUMI_FONT.sheet(font_ink(t["font_ink"], LUMI_FONT), (0, 0, 0),
                                    BUILTIN_SIZES["font"]),
        "playlist.bmp": classic_playlist(t, L, LUMI_FONT, BUILTIN_SIZES["playlist"]),
    }
    for name, size in BUILTIN_SIZES.items():
        assert (out[name + ".bmp"].w, out[name + ".bmp"].h) == size, name
    files = {name: pic.bmp() for name, pic in out.items()}
    files["skin.ini"] = L.skin_ini()
    files["font.ini"] = font_ini(LUMI_FONT, (0, 0, 0))
    return files


# ----------------------------------------------------------------------------------------
# Graphite: brushed steel around a reflective LCD, with a squared face of its own

GRAPHITE_GLYPHS = glyphs("""
A #####/#...#/#...#/#####/#...#/#...#/#...#
B ####./#...#/#...#/#####/#...#/#...#/#####
C #####/#..../#..../#..../#..../#..../#####
D ####./#...#/#...#/#...#/#...#/#...#/####.
E #####/#..../#..../####./#..../#..../#####
F #####/#..../#..../####./#..../#..../#....
G #####/#..../#..../#..##/#...#/#...#/#####
H #...#/#...#/#...#/#####/#...#/#...#/#...#
I #####/..#../..#../..#../..#../..#../#####
J ....#/....#/....#/....#/....#/#...#/#####
K #...#/#..#./#.#../###../#..#./#...#/#...#
L #..../#..../#..../#..../#..../#..../#####
M #####/#.#.#/#.#.#/#.#.#/#...#/#...#/#...#
N #...#/##..#/#.#.#/#.#.#/#..##/#...#/#...#
O #####/#...#/#...#/#...#/#...#/#...#/#####
P #####/#...#/#...#/#####/#..../#..../#....
Q #####/#...#/#...#/#...#/#.#.#/#..#./###.#
R #####/#...#/#...#/#####/#.#../#..#./#...#
S .####/#..../#..../.###./....#/....#/####.
T #####/..#../..#../..#../..#../..#../..#..
U #...#/#...#/#...#/#...#/#...#/#...#/#####
V #...#/#...#/#...#/#...#/.#.#./.#.#./..#..
W #...#/#...#/#...#/#.#.#/#.#.#/#.#.#/#####
X #...#/#...#/.#.#./..#../.#.#./#...#/#...#
Y #...#/#...#/.#.#./..#../..#../..#../..#..
Z #####/....#/...#./..#../.#.../#..../#####
a ...../...../####./....#/#####/#...#/#####
b #..../#..../#####/#...#/#...#/#...#/#####
c ...../...../#####/#..../#..../#..../#####
d ....#/....#/#####/#...#/#...#/#...#/#####
e ...../...../#####/#...#/#####/#..../#####
f ..###/..#../#####/..#../..#../..#../..#..
g ...../...../#####/#...#/#...#/#...#/#####/....#/#####
h #..../#..../#####/#...#/#...#/#...#/#...#
j ....#/...../...##/....#/....#/....#/....#/#...#/#####
k #..../#..../#..#./#.#../###../#..#./#...#
m ...../...../#####/#.#.#/#.#.#/#.#.#/#.#.#
n ...../...../#####/#...#/#...#/#...#/#...#
o ...../...../#####/#...#/#...#/#...#/#####
p ...../...../#####/#...#/#...#/#...#/#####/#..../#....
q ...../...../#####/#...#/#...#/#...#/#####/....#/....#
r ...../...../#.###/##.../#..../#..../#....
s ...../...../#####/#..../#####/....#/#####
t ..#../..#../#####/..#../..#../..#../..###
u ...../...../#...#/#...#/#...#/#...#/#####
v ...../...../#...#/#...#/#...#/.#.#./..#..
w ...../...../#...#/#.#.#/#.#.#/#.#.#/#####
x ...../...../#...#/.#.#./..#../.#.#./#...#
y ...../...../#...#/#...#/#...#/#...#/#####/....#/#####
z ...../...../#####/...#./..#../.#.../#####
0 #####/#...#/#..##/#.#.#/##..#/#...#/#####
1 ..#../.##../..#../..#../..#../..#../.###.
2 #####/....#/....#/#####/#..../#..../#####
3 #####/....#/....#/.####/....#/....#/#####
4 #...#/#...#/#...#/#####/....#/....#/....#
5 #####/#..../#..../####./....#/....#/####.
6 #####/#..../#..../#####/#...#/#...#/#####
7 #####/....#/....#/...#./..#../..#../..#..
8 #####/#...#/#...#/.###./#...#/#...#/#####
9 #####/#...#/#...#/#####/....#/....#/#####
space ...../...../...../...../...../...../.....
hash .#.#./#####/.#.#./.#.#./.#.#./#####/.#.#.
$ ..#../#####/#.#../#####/..#.#/#####/..#..
% ##..#/##.#./...#./..#../.#.../.#.##/#..##
& .##../#..#./#.#../.#.../#.#.#/#..#./.##.#
* ...../#.#.#/.###./#####/.###./#.#.#/.....
+ ...../..#../..#../#####/..#../..#../.....
- ...../...../...../...../.###./...../.....
slash ....#/....#/...#./..#../.#.../#..../#....
< ....#/...#./..#../.#.../..#../...#./....#
= ...../...../#####/...../#####/...../.....
> #..../.#.../..#../...#./..#../.#.../#....
? #####/....#/....#/..###/..#../...../..#..
@ #####/#...#/#.###/#.#.#/#.###/#..../#####
\\ #..../#..../.#.../..#../...#./....#/....#
^ ..#../.#.#./#...#/...../...../...../.....
_ ...../...../...../...../...../...../...../#####
~ ...../...../.##.#/#.##./...../...../.....
" .#.#./.#.#./...../...../...../...../.....
i .#./.../##./.#./.#./.#./###
l ##./.#./.#./.#./.#./.#./###
! .#./.#./.#./.#./.#./.../.#.
| .#./.#./.#./.#./.#./.#./.#./.#./.#.
. .../.../.../.../.../.../.#.
, .../.../.../.../.../.../.#./#..
colon .../.../.#./.../.../.#./...
; .../.../.#./.../.../.#./#..
' .#./.#./.../.../.../.../...
` #../.#./.../.../.../.../...
( ..#/.#./.#./.#./.#./.#./..#
) #../.#./.#./.#./.#./.#./#..
[ .##/.#./.#./.#./.#./.#./.##
] ##./.#./.#./.#./.#./.#./##.
{ ..#/.#./.#./#../.#./.#./..#
} #../.#./.#./..#/.#./.#./#..
""")
GRAPHITE_GLYPHS["\xed"] = [".....", ".##..", "..#..", "..#..", "..#..", ".###."]
GRAPHITE_GLYPHS["\xee"] = [".....", ".##..", "..#..", "..#..", "..#..", ".###."]
GRAPHITE_GLYPHS["\xef"] = [".....", ".##..", "..#..", "..#..", "..#..", ".###."]
ACCENTS = {"grave": [".#...", "..#.."], "acute": ["...#.", "..#.."], "circ": ["..#..", ".#.#."],
           "uml": [".....", ".#.#."], "tilde": [".##.#", "#.##."]}
for char, base, accent in (
        ("\xe0", "a", "grave"), ("\xe1", "a", "acute"), ("\xe2", "a", "circ"),
        ("\xe4", "a", "uml"), ("\xe3", "a", "tilde"), ("\xe9", "e", "acute"),
        ("\xe8", "e", "grave"), ("\xea", "e", "circ"), ("\xeb", "e", "uml"),
        ("\xed", "\xed", "acute"), ("\xee", "\xee", "circ"), ("\xef", "\xef", "uml"),
        ("\xf3", "o", "acute"), ("\xf4", "o", "circ"), ("\xf6", "o", "uml"),
        ("\xf5", "o", "tilde"), ("\xfa", "u", "acute"), ("\xf9", "u", "grave"),
        ("\xfb", "u", "circ"), ("\xfc", "u", "uml"), ("\xf1", "n", "tilde")):
    rows = GRAPHITE_GLYPHS[base] if len(GRAPHITE_GLYPHS[base]) > 6 else (
        ["....."] + GRAPHITE_GLYPHS[base])
    rows = (rows + ["....."] * 9)[:9]
    GRAPHITE_GLYPHS[char] = ACCENTS[accent] + ["....."] + rows[2:]
GRAPHITE_GLYPHS["\xe7"] = GRAPHITE_GLYPHS["c"] + ["..#..", ".##.."]
GRAPHITE_GLYPHS.update(glyphs("""
\xc6 #####/#.#../#.#../#####/#.#../#.#../#.###
\x8c #####/#.#../#.#../#.###/#.#../#.#../#####
\xd0 ####./.#..#/.#..#/###.#/.#..#/.#..#/####.
\xe6 ...../...../####./..#.#/#####/#.#../#####
\x9c ...../...../#####/#.#.#/#.###/#.#../#####
\xd8 #####/#...#/#..##/#.#.#/##..#/#...#/#####
\xf8 ...../...../#####/#..##/#.#.#/##..#/#####
\xde #..../#####/#...#/#...#/#####/#..../#....
\xfe #..../#..../#####/#...#/#...#/#...#/#####/#..../#....
\xdf ####./#...#/#...#/#.##./#...#/#...#/#.##.
\xf0 ...#./..###/....#/#####/#...#/#...#/#####
"""))
GRAPHITE_GLYPHS["dotless i"] = [".....", ".....", ".##..", "..#..", "..#..", "..#..", ".###."]
add_accented(GRAPHITE_GLYPHS, 5, lambda rows: "..#..")

GRAPHITE_MAP_ROWS = [
    (6, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
    (6, "abcdefghjkmnopqrstuvwxyz"),
    (6, "0123456789 #$%&*+-/<=>?@\\^_~\""),
    (6, "\xe0\xe1\xe2\xe4\xe3\xe7\xe9\xe8\xea\xeb\xed\xee\xef\xf3\xf4\xf6\xf5\xfa\xf9\xfb"
        "\xfc\xf1"),
    (4, "il!|.,:;'`()[]{}"),
    (6, "\xc0\xc1\xc2\xc3\xc4\xc5\xc6\xc7\xc8\xc9\xca\xcb\xcc\xcd\xce\xcf\xd0\xd1\xd2\xd3"
        "\xd4\xd5\xd6\xd8\xd9\xda\xdb\xdc"),
    (6, "\xdd\xde\xdf\xe5\xe6\xec\xf0\xf2\xf8\xfd\xfe\xff\x8a\x9a\x8e\x9e\x8c\x9c\x9f"),
]
GRAPHITE_FONT = Font(GRAPHITE_GLYPHS, GRAPHITE_MAP_ROWS, 10, 1)

GRAPHITE = dict(LUMI)
GRAPHITE.update({
    "outline": (14, 15, 17),
    "body": [(0, (116, 120, 126)), (0.5, (90, 94, 100)), (1, (64, 67, 72))],
    "light": (168, 172, 178),
    "dark": (36, 38, 42),
    "panel": [(0, (164, 178, 148)), (1, (138, 152, 124))],
    "panel_top_edge": (54, 60, 50),
    "panel_bottom_edge": (196, 206, 184),
    "panel_guide": (120, 134, 108),
    "scanline": 0,
    "groove": (40, 42, 46),
    "groove_dark": (20, 21, 24),
    "groove_light": (150, 154, 160),
    "groove_line": (64, 66, 72),
    "tick": (54, 56, 60),
    "tray": (52, 54, 58),
    "tray_edge": (26, 27, 30),
    "tray_light": (140, 144, 150),
    "sheet": (78, 81, 86),
    "key_top": (196, 199, 204),
    "key_bottom": (142, 146, 152),
    "key_light": (236, 238, 242),
    "key_dark": (112, 116, 122),
    "key_outline": (22, 23, 26),
    "key_pressed_top": (120, 124, 130),
    "key_pressed_bottom": (150, 154, 160),
    "key_pressed_edge": (92, 95, 100),
    "key_disabled": (120, 122, 126),
    "key_radius": 1,
    "sym": (34, 36, 40),
    "sym_hover": (10, 10, 12),
    "sym_pressed": (214, 104, 20),
    "sym_on": (226, 110, 18),
    "sym_disabled": (160, 162, 166),
    "sym_shadow": (214, 217, 222),
    "icon": (28, 30, 34),
    "lock_on": (255, 150, 40),
    "mute_on": (255, 84, 48),
    "tb_face": (150, 154, 160),
    "tb_pressed": (96, 99, 104),
    "tb_pressed_sym": (255, 150, 40),
    "thumb": ((230, 232, 236), (150, 154, 160)),
    "thumb_hover": ((250, 251, 253), (180, 184, 190)),
    "thumb_pressed": ((255, 176, 80), (214, 110, 24)),
    "thumb_disabled": ((130, 132, 136), (110, 112, 116)),
    "thumb_mark_off": (96, 99, 104),
    "thumb_mark_on": (120, 56, 8),
    "disc_hole": (36, 38, 42),
    "disc_hub": (120, 124, 130),
    "disc_dark": (130, 134, 140),
    "disc_light": (232, 234, 238),
    "disc_tint": (200, 214, 230),
    "disc_rim": (60, 62, 68),
    "title": "LUMIVOXEN",
    "subtitle": "graphite",
    "title_active": [(0, (70, 73, 78)), (0.5, (46, 48, 52)), (1, (30, 31, 34))],
    "title_inactive": [(0, (108, 111, 116)), (1, (84, 87, 92))],
    "title_shadow": (20, 21, 24),
    "title_text_active": (240, 242, 244),
    "title_text_inactive": (170, 173, 178),
    "title_sub_active": (255, 150, 40),
    "title_sub_inactive": (136, 139, 144),
    "stripe_dark_active": (22, 23, 26),
    "stripe_light_active": (96, 99, 104),
    "stripe_dark_inactive": (70, 73, 78),
    "stripe_light_inactive": (128, 131, 136),
    "strip_active": [(0, (70, 73, 78)), (0.5, (46, 48, 52)), (1, (30, 31, 34))],
    "strip_inactive": [(0, (108, 111, 116)), (1, (84, 87, 92))],
    "playlist_title": "PLAYLIST",
    "frame_body": (100, 104, 110),
    "list_edge_dark": (40, 44, 38),
    "list_edge_light": (176, 180, 186),
    "list_bg": (150, 164, 136),
    "list_rule": (132, 146, 120),
    "label": (26, 28, 32),
    "grip_light": (170, 174, 180),
    "grip_dark": (40, 42, 46),
    "font_ink": [(0, (22, 30, 20)), (1, (40, 50, 36))],
})
GRAPHITE["dim_disc"] = dict(GRAPHITE, disc_light=(170, 172, 176), disc_tint=(150, 152, 156))


GRAPHITE_MAIN = dict(BUILTIN_MAIN)
GRAPHITE_MAIN.update({
    # The squared face is wider: the two times stand apart on one line and the status
    # line has room for "Volume: 100".
    "tbTrackLength": [22, 27, 34, 11],
    "tbPosition": [62, 27, 40, 13],
    "tbStatus": [146, 42, 76, 11],
})


def graphite_skin():
    L = Layout(GRAPHITE_MAIN, BUILTIN_PLAYLIST, 0xE8A43C, 0xAABECD, [
        "Graphite",
        "Brushed steel keys around a reflective LCD.",
        "Its own squared pixel face, 10 pixels high, with accented",
        "small letters for French, Spanish and German titles.",
        "The font's background colour is magenta (#FF00FF).",
        "",
        "",
        "A sample skin of the Lumivoxen CD Player,",
        "drawn by tools/make-skin-art.py.",
    ])
    t = GRAPHITE
    main = classic_main(t, L)
    out = {
        "main.bmp": main,
        "titlebar.bmp": classic_titlebar(t, L, GRAPHITE_FONT),
        "cbuttons.bmp": classic_cbuttons(t, L, main, BUILTIN_SIZES["cbuttons"]),
        "scroll.bmp": classic_scroll(t, L, main, BUILTIN_SIZES["scroll"]),
        "font.bmp": GRAPHITE_FONT.sheet(font_ink(t["font_ink"], GRAPHITE_FONT), (255, 0, 255)),
        "playlist.bmp": classic_playlist(t, L, GRAPHITE_FONT, BUILTIN_SIZES["playlist"]),
    }
    files = {name: pic.bmp() for name, pic in out.items()}
    files["skin.ini"] = L.skin_ini()
    files["font.ini"] = font_ini(GRAPHITE_FONT, (255, 0, 255))
    return files


# ----------------------------------------------------------------------------------------
# Orbit: a round control deck beside a rounded body; the window takes that outline

ORBIT_W, ORBIT_H = 300, 124
ORBIT_DECK = (62.0, 62.0, 60.0)  # centre x, centre y, radius
ORBIT_BODY = (60, 12, 237, 100, 24)  # x, y, w, h, corner radius
ORBIT_ORBIT = 40  # radius of the ring the transport buttons sit on
ORBIT_GLASS = (62.0, 52.0, 22.0)  # the round display in the deck
ORBIT_PANEL = (128, 31, 122, 54, 4)


def orbit_ring_place(angle, size):
    cx, cy, _ = ORBIT_DECK
    x = cx + ORBIT_ORBIT * math.cos(math.radians(angle))
    y = cy + ORBIT_ORBIT * math.sin(math.radians(angle))
    return [int(round(x - size / 2)), int(round(y - size / 2)), size, size]


def orbit_layout():
    places = [
        ("btPrev", orbit_ring_place(160, 18)),
        ("btPlay", orbit_ring_place(90, 22)),
        ("btPause", orbit_ring_place(125, 18)),
        ("btStop", orbit_ring_place(55, 18)),
        ("btNext", orbit_ring_place(20, 18)),
        ("btEject", [53, 9, 18, 16]),
        ("btShowPlaylist", [128, 97, 22, 12]),
        ("btShowOptions", [152, 97, 22, 12]),
        ("btLockVolume", [261, 89, 7, 7]),
        ("btMuteVolume", [271, 89, 7, 7]),
        ("btMinimize", [260, 17, 9, 9]),
        ("btClose", [271, 17, 9, 9]),
    ]
    main = {"main": [0, 0, ORBIT_W, ORBIT_H], "titlebar": [126, 16, 128, 12]}
    y = 0
    for key, place in places:
        main[key] = place + [0, y, place[2] * 4, place[3]]
        y += place[3]
    main["sbPos"] = [128, 88, 122, 6, 0, 0, 56, 6]
    for key, x in (("sbLVolume", 258), ("sbRVolume", 268), ("sbMVolume", 278)):
        main[key] = [x, 33, 5, 52, 0, 6, 20, 10]
    main.update({
        "tbPosition": [51, 38, 26, 13],
        "tbTrackLength": [51, 54, 26, 11],
        "tbArtist": [132, 46, 116, 11],
        "tbAlbum": [132, 58, 116, 11],
        "tbTrackName": [132, 34, 116, 11],
        "tbStatus": [132, 71, 64, 11],
    })
    return main, (88, y), (56, 16)


def orbit_coverage(x, y):
    """How much of pixel (x, y) lies in the window's outline: the deck and the body."""
    cx, cy, r = ORBIT_DECK
    bx, by, bw, bh, br = ORBIT_BODY
    return max(disc_coverage(x, y, cx, cy, r), round_rect_coverage(x - bx, y - by, bw, bh, br))


def orbit_inside(x, y):
    return 0 <= x < ORBIT_W and 0 <= y < ORBIT_H and orbit_coverage(x, y) >= 0.5


def in_deck(x, y):
    cx, cy, r = ORBIT_DECK
    return disc_coverage(x, y, cx, cy, r) >= 0.5


def orbit_main(t, L):
    c = Canvas(ORBIT_W, ORBIT_H, (255, 0, 255))
    cx, cy, r = ORBIT_DECK
    gx, gy, gr = ORBIT_GLASS
    for y in range(ORBIT_H):
        for x in range(ORBIT_W):
            if not orbit_inside(x, y):
                continue
            edge = not all(orbit_inside(x + dx, y + dy) for dx, dy in
                           ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if in_deck(x, y):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                col = mix(t["deck_centre"], t["deck_edge"], d / r)
                if int(d) % 3 == 0:
                    col = shade(col, 4)
                light = -(x + 0.5 - cx) - (y + 0.5 - cy)
                col = shade(col, int(10 * light / r))
                if abs(d - ORBIT_ORBIT) < 0.6:
                    col = mix(col, t["orbit_ring"], 0.8)
                if d > r - 1.5:
                    col = t["deck_rim"]
                elif d > r - 2.5:
                    col = t["deck_rim_light"] if light > 0 else t["deck_rim_dark"]
            else:
                col = gradient_at(t["body"], (y - ORBIT_BODY[1]) / ORBIT_BODY[3])
                bx, by, bw, bh, br = ORBIT_BODY
                if round_rect_coverage(x - bx - 1, y - by - 1, bw - 2, bh - 2, br - 1) < 0.5:
                    col = t["light"] if y < by + bh / 2 else t["dark"]
            if edge:
                col = t["outline"]
            c.set(x, y, col)
    # The round display of the deck, sunk into it.
    for y in range(int(gy - gr - 2), int(gy + gr + 3)):
        for x in range(int(gx - gr - 2), int(gx + gr + 3)):
            d = math.hypot(x + 0.5 - gx, y + 0.5 - gy)
            if d <= gr:
                col = mix(t["panel"][0][1], t["panel"][1][1], (y - gy + gr) / (2 * gr))
                if d > gr - 1.2:
                    col = t["panel_top_edge"] if y < gy else t["panel_bottom_edge"]
                c.set(x, y, col)
            elif d <= gr + 1.2:
                c.blend(x, y, t["dark"] if y < gy else t["light"], 0.5)
    px, py, pw, ph, pr = ORBIT_PANEL
    region_edges(c, lambda x, y: in_round_rect(x, y, (px, py, pw, ph), pr), px - 1, py - 1,
                 px + pw + 1, py + ph + 1,
                 lambda x, y: gradient_at(t["panel"], (y - py) / ph), t["panel_top_edge"],
                 t["panel_bottom_edge"], t["dark"], t["light"])
    slider_groove(c, L.main["sbPos"][0:4], t, False)
    for key in ("sbLVolume", "sbRVolume", "sbMVolume"):
        slider_groove(c, L.main[key][0:4], t, True)
    return c


def round_button(canvas, x, y, w, h, name, state, t, toggle=False):
    """A round (or pill-shaped) glass button; the canvas already holds what lies behind."""
    r = min(w, h) / 2.0
    top, bottom = {"normal": (t["key_top"], t["key_bottom"]), "hover": t["key_hover"],
                   "pressed": t["key_pressed"], "disabled": t["key_disabled_pair"]}[state]
    for j in range(h):
        for i in range(w):
            cov = round_rect_coverage(i, j, w, h, r)
            if cov <= 0:
                continue
            inner = round_rect_coverage(i - 1, j - 1, w - 2, h - 2, r - 1)
            if inner < 0.5:
                canvas.blend(x + i, y + j, t["key_outline"], cov)
                continue
            col = mix(top, bottom, j / max(h - 1, 1))
            ring = round_rect_coverage(i - 2, j - 2, w - 4, h - 4, r - 2)
            if ring < 0.5 and state != "disabled":
                col = mix(col, t["key_glow"] if state == "pressed" else t["key_light"],
                          0.55 if j < h / 2 else 0.2)
            canvas.set(x + i, y + j, col)
    if name:
        d = 1 if state == "pressed" else 0
        draw_symbol(canvas, name, x, y, w, h, symbol_ink(state, t, toggle),
                    t["sym_shadow"] if state in ("normal", "hover") else None, d, d)


ORBIT_SYMBOLS = [("btPrev", "prev"), ("btPlay", "play"), ("btPause", "pause"),
                 ("btStop", "stop_small"), ("btNext", "next"), ("btEject", "eject"),
                 ("btShowPlaylist", "playlist"), ("btShowOptions", "options"),
                 ("btMinimize", "minimize_small"), ("btClose", "close_small")]


def orbit_cbuttons(t, L, main, size):
    c = Canvas(size[0], size[1], t["sheet"])
    for key, name in ORBIT_SYMBOLS:
        place = L.main[key]
        for state, (x, y, w, h) in zip(STATES, cells(place)):
            c.blit(main, place[0], place[1], w, h, x, y)
            round_button(c, x, y, w, h, name, state, t, key in TOGGLES)
    for key, name, lit in (("btLockVolume", "lock", t["lock_on"]),
                           ("btMuteVolume", "mute", t["mute_on"])):
        place = L.main[key]
        for state, (x, y, w, h) in zip(STATES, cells(place)):
            c.blit(main, place[0], place[1], w, h, x, y)
            icon_button(c, x, y, name, state, t, lit)
    return c


def orbit_scroll(t, L, main, size):
    c = Canvas(size[0], size[1], t["sheet"])
    pos = L.main["sbPos"]
    for state, (x, y, w, h) in zip(STATES, cells(pos)):
        thumb(c, x, y, w, h, state, t, False, main.copy(pos[0] + 50, pos[1], w, h))
    vol = L.main["sbLVolume"]
    for state, (x, y, w, h) in zip(STATES, cells(vol)):
        thumb(c, x, y, w, h, state, t, True, main.copy(vol[0], vol[1] + 20, w, h))
    return c


def orbit_titlebar(t, L, main, font):
    tx, ty, tw, th = L.main["titlebar"]
    c = Canvas(tw, th * 2)
    for look, y0 in (("inactive", 0), ("active", th)):
        c.blit(main, tx, ty, tw, th, 0, y0)
        stops = t["title_" + look]
        for j in range(th):
            for i in range(tw):
                cov = round_rect_coverage(i, j, tw, th, th / 2)
                if cov <= 0:
                    continue
                inner = round_rect_coverage(i - 1, j - 1, tw - 2, th - 2, th / 2 - 1)
                col = gradient_at(stops, j / (th - 1)) if inner >= 0.5 else t["key_outline"]
                c.blend(i, y0 + j, col, cov)
        x = font.draw(c, 9, y0, t["title"], t["title_text_" + look])
        font.draw(c, x + 4, y0, t["subtitle"], t["title_sub_" + look])
    return c


ORBIT = dict(LUMI)
ORBIT.update({
    "outline": (2, 6, 14),
    "body": [(0, (40, 60, 92)), (0.5, (24, 38, 62)), (1, (14, 24, 42))],
    "light": (84, 116, 160),
    "dark": (8, 14, 26),
    "deck_centre": (96, 120, 156),
    "deck_edge": (40, 56, 84),
    "deck_rim": (2, 6, 14),
    "deck_rim_light": (150, 180, 220),
    "deck_rim_dark": (20, 30, 50),
    "orbit_ring": (120, 230, 250),
    "panel": [(0, (4, 10, 20)), (1, (10, 22, 38))],
    "panel_top_edge": (0, 3, 8),
    "panel_bottom_edge": (44, 70, 104),
    "scanline": 2,
    "groove": (6, 12, 22),
    "groove_dark": (0, 3, 8),
    "groove_light": (70, 100, 140),
    "groove_line": (24, 60, 80),
    "tick": (60, 90, 128),
    "tray": (12, 20, 34),
    "tray_edge": (2, 6, 14),
    "tray_light": (70, 100, 140),
    "sheet": (14, 24, 42),
    "key_top": (56, 80, 116),
    "key_bottom": (18, 30, 52),
    "key_hover": ((72, 100, 142), (26, 42, 70)),
    "key_pressed": ((10, 40, 60), (30, 90, 120)),
    "key_disabled_pair": ((40, 48, 60), (30, 36, 46)),
    "key_light": (150, 190, 230),
    "key_glow": (110, 230, 250),
    "key_dark": (10, 18, 32),
    "key_outline": (2, 6, 14),
    "key_pressed_top": (10, 40, 60),
    "key_pressed_bottom": (30, 90, 120),
    "key_pressed_edge": (6, 26, 40),
    "key_disabled": (36, 44, 56),
    "sym": (214, 240, 255),
    "sym_hover": (255, 255, 255),
    "sym_pressed": (150, 245, 255),
    "sym_on": (120, 240, 255),
    "sym_disabled": (80, 92, 110),
    "sym_shadow": (4, 10, 20),
    "icon": (150, 180, 215),
    "lock_on": (120, 240, 255),
    "mute_on": (255, 110, 90),
    "tb_face": (50, 74, 108),
    "tb_pressed": (10, 40, 60),
    "tb_pressed_sym": (120, 240, 255),
    "thumb": ((200, 236, 250), (110, 160, 200)),
    "thumb_hover": ((240, 252, 255), (150, 200, 230)),
    "thumb_pressed": ((150, 250, 255), (40, 170, 210)),
    "thumb_disabled": ((70, 80, 96), (56, 64, 78)),
    "thumb_mark_off": (70, 110, 150),
    "thumb_mark_on": (10, 80, 110),
    "title": "ORBIT",
    "subtitle": "Lumivoxen",
    "title_active": [(0, (40, 120, 160)), (0.5, (20, 80, 120)), (1, (10, 50, 84))],
    "title_inactive": [(0, (54, 70, 96)), (1, (32, 44, 64))],
    "title_shadow": (4, 10, 20),
    "title_text_active": (220, 250, 255),
    "title_text_inactive": (130, 150, 176),
    "title_sub_active": (120, 220, 245),
    "title_sub_inactive": (90, 108, 134),
    "stripe_dark_active": (6, 36, 60),
    "stripe_light_active": (60, 150, 190),
    "stripe_dark_inactive": (18, 26, 40),
    "stripe_light_inactive": (70, 86, 110),
    "strip_active": [(0, (40, 120, 160)), (0.5, (20, 80, 120)), (1, (10, 50, 84))],
    "strip_inactive": [(0, (54, 70, 96)), (1, (32, 44, 64))],
    "frame_body": (30, 46, 72),
    "list_edge_dark": (0, 3, 8),
    "list_edge_light": (70, 100, 140),
    "list_bg": (6, 12, 24),
    "list_rule": (16, 30, 48),
    "label": (140, 200, 230),
    "grip_light": (90, 130, 170),
    "grip_dark": (4, 10, 20),
    "disc_hole": (8, 14, 26),
    "disc_rim": (30, 44, 70),
    "font_ink": [(0, (226, 252, 255)), (0.5, (150, 236, 252)), (1, (80, 196, 230))],
    "round_keys": True,
})
ORBIT["dim_disc"] = ORBIT


def orbit_skin():
    main_values, button_size, scroll_size = orbit_layout()
    L = Layout(main_values, BUILTIN_PLAYLIST, 0x1F8FA8, 0x3B3F8C, [
        "Orbit",
        "A round control deck: the transport buttons circle the time.",
        "The window takes the outline of the deck and its body;",
        "region.rgn is made at build time from region-mask.bmp.",
        "Deep blue glass with a cyan display.",
        "",
        "",
        "A sample skin of the Lumivoxen CD Player,",
        "drawn by tools/make-skin-art.py.",
    ], region=True)
    t = ORBIT
    main = orbit_main(t, L)
    mask = Canvas(ORBIT_W, ORBIT_H, (255, 0, 255))
    for y in range(ORBIT_H):
        for x in range(ORBIT_W):
            if orbit_inside(x, y):
                mask.set(x, y, (255, 255, 255))
    out = {
        "main.bmp": main,
        "region-mask.bmp": mask,
        "titlebar.bmp": orbit_titlebar(t, L, main, LUMI_FONT),
        "cbuttons.bmp": orbit_cbuttons(t, L, main, button_size),
        "scroll.bmp": orbit_scroll(t, L, main, scroll_size),
        "font.bmp": LUMI_FONT.sheet(font_ink(t["font_ink"], LUMI_FONT), (0, 0, 0)),
        "playlist.bmp": classic_playlist(t, L, LUMI_FONT, BUILTIN_SIZES["playlist"]),
    }
    files = {name: pic.bmp() for name, pic in out.items()}
    files["skin.ini"] = L.skin_ini()
    files["font.ini"] = font_ini(LUMI_FONT, (0, 0, 0))
    return files


def write_skin(folder, files):
    for name, data in sorted(files.items()):
        write_file(folder / name, data)


def main():
    write_skin(ROOT / "res" / "builtin-skin", builtin_skin())
    write_skin(ROOT / "skins" / "Graphite", graphite_skin())
    write_skin(ROOT / "skins" / "Orbit", orbit_skin())
    return 0


if __name__ == "__main__":
    sys.exit(main())
