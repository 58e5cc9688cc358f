#!/usr/bin/env python3
"""Draws the options dialog's pictures into res/dialog-art/.

  tabs.bmp       six 16 x 16 tab images side by side
  tabs-mask.bmp  their monochrome mask: white where an image is transparent
  skin-page.bmp  100 x 200, beside the Skin page's list of skins
  about.bmp      320 x 170, the About page's picture

and each again at 2x (tabs-2x.bmp, ...), drawn at that resolution: curves, glows, outlines
and gradients are finer; the pixel face and the miniature player's pixel art are twice as
large. Every picture has no more than 256 colours and is written 8 bits per pixel, run-length
compressed (BI_RLE8), as bitmap resources may be; the masks 1 bit per pixel.
They share the built-in skin's palette and pixel face, taken from tools/make-skin-art.py.
The output is committed; running the script again reproduces every file byte for byte (no
clock, nothing at random, standard library only).
"""
import importlib.util
import math
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
OUT = ROOT / "res" / "dialog-art"

_found = importlib.util.spec_from_file_location("skin_art", HERE / "make-skin-art.py")
art = importlib.util.module_from_spec(_found)
_found.loader.exec_module(art)
_found = importlib.util.spec_from_file_location("rle8", HERE / "make-builtin-skin.py")
rle8 = importlib.util.module_from_spec(_found)
_found.loader.exec_module(rle8)

Canvas, mix, shade, gradient_at = art.Canvas, art.mix, art.shade, art.gradient_at
LUMI, LUMI_FONT = art.LUMI, art.LUMI_FONT

# ----------------------------------------------------------------------------------------
# Palette: the built-in skin's colours, gathered under the names these pictures use.

INK = (20, 17, 31)  # outlines of the tab images: dark enough to hold against dialog grey
SILVER = [(244, 238, 255), (214, 206, 236), (170, 160, 204), (128, 118, 164)]
VIOLET = [(150, 106, 196), (118, 76, 166), (88, 52, 128), (58, 34, 90)]
GOLD = [(255, 240, 190), (255, 214, 128), (240, 176, 76), (176, 110, 34)]
ROSE = (255, 150, 200)
CYAN = (120, 220, 250)
PANEL = LUMI["panel"]
NIGHT_SKY = [(0, (12, 10, 22)), (0.6, (30, 25, 48)), (1, (50, 43, 74))]
# The display's gold, stretched over large letters; a little deeper at the baseline than the
# skin's font so the strokes keep their weight.
GOLD_TITLE = [(0, (255, 244, 204)), (0.5, (255, 214, 128)), (1, (226, 150, 60))]

# ----------------------------------------------------------------------------------------
# Bitmap files


def bmp_file(w, h, bits, palette, rows):
    """A bottom-up BI_RGB bitmap; rows are top-down byte strings, padded here to 4 bytes."""
    stride = (len(rows[0]) + 3) & ~3
    data = b"".join(bytes(r) + bytes(stride - len(r)) for r in reversed(rows))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return head + info + table + data


def write_file(name, data):
    path = OUT / name
    path.parent.mkdir(parents=True, exist_ok=True)
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)
        print("wrote", path.relative_to(ROOT))

# ----------------------------------------------------------------------------------------
# Tab images. Each is drawn as a 16 x 16 grid of colours, None where the tab shows through.
# Edges are hard (no blending with a background we do not know), outlined in INK.


class Icon:
    """A tab image drawn on the 16 x 16 grid at scale 1 or 2: at 2 a grid pixel is 2 x 2
    pixels, but outlines and round edges are drawn at the finer pixel."""

    def __init__(self, scale):
        self.scale, self.n = scale, 16 * scale
        self.px = [[None] * self.n for _ in range(self.n)]

    def set(self, x, y, c):
        """Sets the grid pixel (x, y)."""
        for j in range(self.scale):
            for i in range(self.scale):
                self.put(x * self.scale + i, y * self.scale + j, c)

    def put(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def pattern(self, rows, legend, x0=0, y0=0):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in legend:
                    self.set(x0 + i, y0 + j, legend[ch])


def from_rows(rows, x0=0, y0=0):
    """A silhouette test from text rows ("#" inside) placed at (x0, y0); takes the grid
    position of a pixel's centre."""
    def inside(x, y):
        x, y = math.floor(x + 0.5) - x0, math.floor(y + 0.5) - y0
        return 0 <= y < len(rows) and 0 <= x < len(rows[y]) and rows[y][x] == "#"
    return inside


def mirrored(quarter):
    """The whole 16 x 16 silhouette from its upper left 8 x 8 quarter."""
    rows = [q + q[::-1] for q in quarter]
    return from_rows(rows + rows[::-1])


def round_shape(r=8.0, hole=0.0):
    def inside(x, y):
        d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
        return hole < d <= r
    return inside


def paint(ic, inside, fill):
    """Paints a silhouette: its rim in INK, the rest by fill(x, y, edge), where edge tells
    whether the pixel borders the rim on its upper left ("light"), lower right ("dark") or
    not at all (None). Light comes from the upper left, as on the player's keys. Shapes and
    fills take grid positions; rim and edges are one image pixel wide at every scale."""
    def grid(p):
        return (p + 0.5) / ic.scale - 0.5

    def shape(x, y):
        return inside(grid(x), grid(y))

    def solid(x, y):
        return shape(x, y) and all(shape(x + dx, y + dy)
                                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    for y in range(ic.n):
        for x in range(ic.n):
            if not shape(x, y):
                continue
            if not solid(x, y):
                ic.put(x, y, INK)
                continue
            edge = None
            if not solid(x - 1, y) or not solid(x, y - 1):
                edge = "light"
            elif not solid(x + 1, y) or not solid(x, y + 1):
                edge = "dark"
            ic.put(x, y, fill(grid(x), grid(y), edge))
    return ic


def bevelled(light, base, dark):
    return lambda x, y, edge: light if edge == "light" else dark if edge == "dark" else base


GEAR = [
    "......##",
    "..##..##",
    ".####.##",
    ".#######",
    "..######",
    "...#####",
    "########",
    "#######.",
]
KEY = [(186, 176, 222), (128, 118, 164), (78, 68, 110)]  # the player's key violet, lightened


def gear_icon(scale):
    def fill(x, y, edge):
        # Lit across its face rather than edge by edge: the teeth are too small for a bevel.
        d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
        if d < 3.6:
            return KEY[0] if x + y < 15 else KEY[1]
        return KEY[0] if x + y < 11 else KEY[2] if x + y > 19 else KEY[1]
    return paint(Icon(scale), mirrored(GEAR), fill)


def disc_face(x, y, edge):
    """The tab images' disc: silver, with the light caught in two opposite wedges, a line of
    colour beside each, a clear hub around the hole and a darker far rim."""
    dx, dy = x + 0.5 - 8, y + 0.5 - 8
    d = math.hypot(dx, dy)
    if d < 2.6:
        return SILVER[1]
    if d > 5.9 and dx + dy > 2:
        return SILVER[3]
    turn = (math.degrees(math.atan2(dy, dx)) + 135) % 180  # 0 and 180 face the light
    if turn < 20 or turn > 164:
        return SILVER[0]
    if turn < 40:
        return ROSE if turn > 31 and d > 3.5 else SILVER[1]
    if turn > 144:
        return CYAN if turn < 151 and d > 3.5 else SILVER[1]
    return SILVER[2]


def disc_icon(scale):
    return paint(Icon(scale), round_shape(8.0, 1.0), disc_face)


CHECK = [
    "..........####",
    ".........#####",
    "........#####.",
    ".##....#####..",
    "####..#####...",
    "###########...",
    ".#########....",
    "..#######.....",
    "...#####......",
    "....###.......",
]


def default_icon(scale):
    ic = disc_icon(scale)
    return paint(ic, from_rows(CHECK, 2, 6), bevelled(GOLD[0], GOLD[1], GOLD[3]))


PALETTE = [
    ".....######.....",
    "...##########...",
    "..############..",
    ".##############.",
    ".##############.",
    "################",
    "################",
    "...#############",
    "....###########.",
    "...###########..",
    ".############...",
    "..##########....",
    "....######......",
]


def palette_icon(scale):
    ic = paint(Icon(scale), from_rows(PALETTE, 0, 1), bevelled(SILVER[0], SILVER[1], SILVER[3]))
    for (x, y), c in (((3, 5), GOLD[1]), ((7, 3), ROSE), ((11, 4), CYAN), ((11, 8), VIOLET[0]),
                      ((7, 9), GOLD[2])):
        for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            ic.set(x + dx, y + dy, c)
    return ic


def about_fill(x, y, edge):
    if edge == "light":
        return VIOLET[0]
    if edge == "dark":
        return VIOLET[3]
    return VIOLET[1] if x + y < 15 else VIOLET[2]


def about_icon(scale):
    ic = paint(Icon(scale), round_shape(8.0), about_fill)
    letter = ["##", "##", "..", "###", ".##", ".##", ".##", ".##", "####"]
    ic.pattern(letter, {"#": VIOLET[3]}, 7, 4)  # the letter's shadow, as on the player's keys
    ic.pattern(letter, {"#": GOLD[0]}, 6, 3)
    return ic


NOTE = [
    "....###########.",
    "....###########.",
    "....###########.",
    "....###########.",
    "....###.....###.",
    "....###.....###.",
    "....###.....###.",
    "....###.....###.",
    "....###.....###.",
    "..#####...#####.",
    ".######..######.",
    "#######.#######.",
    "######..######..",
    ".####....####...",
]


def note_icon(scale):
    return paint(Icon(scale), from_rows(NOTE, 0, 1), bevelled(GOLD[0], GOLD[1], GOLD[3]))


def tab_images(scale):
    return [f(scale) for f in (gear_icon, palette_icon, default_icon, about_icon, note_icon,
                               disc_icon)]


def tab_files(images):
    """The 8-bit strip and its mask. Index 0 is black: the strip is black wherever the mask is
    white, so the image list's masked drawing leaves the tab clean."""
    palette = [(0, 0, 0)]
    index = {}
    rows, mask_rows = [], []
    n = images[0].n
    for y in range(n):
        row, bits = bytearray(), []
        for ic in images:
            for x in range(n):
                c = ic.px[y][x]
                if c is None:
                    row.append(0)
                    bits.append(1)
                    continue
                if c not in index:
                    index[c] = len(palette)
                    palette.append(c)
                row.append(index[c])
                bits.append(0)
        rows.append(row)
        packed = bytearray()
        for k in range(0, len(bits), 8):
            byte = 0
            for b in bits[k:k + 8]:
                byte = byte << 1 | b
            packed.append(byte)
        mask_rows.append(packed)
    assert len(palette) <= 256, len(palette)
    palette += [(0, 0, 0)] * (256 - len(palette))
    w = n * len(images)
    return (rle8.rle8_bitmap(bmp_file(w, n, 8, palette, rows)),
            bmp_file(w, n, 1, [(0, 0, 0), (255, 255, 255)], mask_rows))


# ----------------------------------------------------------------------------------------
# Large pictures (24 bits per pixel)


def lit_pixels(font, text, scale, space=None):
    """The pixels of text in the pixel face, each font pixel scale x scale: {(x, y)} from the
    cell's top left, and the width the text takes without its last spacing column. Large
    text reads better with a narrower word space than the face's own."""
    lit, x = set(), 0
    for c in text:
        if c == " " and space is not None:
            x += space * scale
            continue
        if c not in font.width_of:
            continue
        for row, bits in font.ink_rows(c):
            for i, bit in enumerate(bits):
                if bit == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            lit.add((x + i * scale + dx, row * scale + dy))
        x += font.width_of[c] * scale
    return lit, x - scale


def glow(canvas, pixels, colour, radius, strength):
    """A soft light around a set of pixels: their coverage, box-blurred twice, blended in."""
    if not pixels:
        return
    xs = [x for x, _ in pixels]
    ys = [y for _, y in pixels]
    x0, y0 = min(xs) - 2 * radius, min(ys) - 2 * radius
    w, h = max(xs) - x0 + 2 * radius + 1, max(ys) - y0 + 2 * radius + 1
    field = [[0.0] * w for _ in range(h)]
    for x, y in pixels:
        field[y - y0][x - x0] = 1.0
    for _ in range(2):
        rows = [[sum(r[max(0, i - radius):i + radius + 1]) / (2 * radius + 1) for i in range(w)]
                for r in field]
        field = [[sum(rows[j][i] for j in range(max(0, k - radius), min(h, k + radius + 1))) /
                  (2 * radius + 1) for i in range(w)] for k in range(h)]
    for j in range(h):
        for i in range(w):
            canvas.blend(x0 + i, y0 + j, colour, field[j][i] * strength)


def text_size(text, scale, space=None):
    return lit_pixels(LUMI_FONT, text, scale, space)[1]


def big_text(canvas, x, y, text, scale, stops, shadow, halo=None, space=None, unit=1):
    """Text in the pixel face at scale: a gradient from the cap line to the baseline, a hard
    shadow half a font pixel down and right (whole pixels of the picture at 1x, unit of them
    at its scale), and optionally a soft halo."""
    lit, width = lit_pixels(LUMI_FONT, text, scale, space)
    lit = {(x + i, y + j) for i, j in lit}
    top = y + LUMI_FONT.cap_top * scale
    height = 7 * scale - 1
    if halo:
        glow(canvas, lit, halo[0], halo[1], halo[2])
    step = unit * max(1, scale // unit // 2)
    for px, py in lit:
        canvas.blend(px + step, py + step, shadow, 0.85)
    for px, py in sorted(lit):
        canvas.set(px, py, gradient_at(stops, min(1.0, max(0.0, (py - top) / height))))
    return width


def small_text(canvas, y, text, ink, scale=1):
    """A line of the pixel face, each font pixel scale x scale, centred across the canvas;
    ink is a colour or a function of the cell row."""
    lit, width = lit_pixels(LUMI_FONT, text, scale)
    x0, paint = centred(width, canvas.w), ink if callable(ink) else (lambda row: ink)
    for px, py in lit:
        canvas.set(x0 + px, y + py, paint(py // scale))


def centred(width, total):
    return (total - width) // 2


class Stars:
    """A fixed scatter of faint points (a small linear congruential sequence, fixed seed)."""

    def __init__(self, seed):
        self.state = seed

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % n


def starfield(canvas, count, seed, keep_clear, scale=1):
    """The same stars at every scale, placed on the 1x grid; each stays one pixel."""
    rnd = Stars(seed)
    for _ in range(count):
        x, y, kind = rnd.next(canvas.w // scale), rnd.next(canvas.h // scale), rnd.next(10)
        if keep_clear(x, y):
            continue
        x, y = x * scale + scale // 2, y * scale + scale // 2
        if kind == 0:  # a brighter star with a small cross
            canvas.blend(x, y, SILVER[0], 0.8)
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                canvas.blend(x + dx, y + dy, SILVER[1], 0.3)
        else:
            canvas.blend(x, y, SILVER[1], 0.18 + 0.05 * kind)


def halo(canvas, cx, cy, radius, colour, strength):
    for y in range(int(cy - radius), int(cy + radius) + 1):
        for x in range(int(cx - radius), int(cx + radius) + 1):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
            if d < 1:
                canvas.blend(x, y, colour, strength * (1 - d) ** 2)


def big_disc(canvas, cx, cy, r):
    """A compact disc lit from the upper left: a silver face whose sheen turns with the
    angle and takes a little colour where it fades, the faint rings of the recorded area,
    a clear hub, and a dark hole. Every ring edge is smoothed by its pixel coverage."""
    hole, rim, hub, data = 0.14 * r, 0.14 * r + 1.3, 0.34 * r, 0.40 * r
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            cov = [art.disc_coverage(x, y, cx, cy, k) for k in (r, hub, rim, hole)]
            if cov[0] <= 0:
                continue
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = max(math.hypot(dx, dy), 0.01)
            a = math.atan2(dy, dx) + math.radians(135)
            lit = -(dx + dy) / (d * 1.42)  # 1 toward the light, -1 away from it
            sheen = 0.5 + 0.5 * math.cos(2 * a)
            face = mix((128, 120, 160), (246, 242, 255), sheen ** 1.5)
            fade = math.exp(-((sheen - 0.45) / 0.12) ** 2)  # where the bright wedge ends
            tint = ROSE if math.sin(2 * a) > 0 else CYAN
            face = mix(face, tint, 0.45 * fade * min(1.0, max(0.0, (d - data) / (0.3 * r))))
            if d < data:
                face = shade(face, -24)  # the unrecorded ring beside the hub
            elif int(d) % 4 == 0:
                face = shade(face, -6)
            face = shade(face, int(14 * lit))
            if d > r - 1.6:
                face = mix(face, LUMI["outline"], 0.75)
            behind = canvas.get(x, y)
            parts = [
                (behind, 1 - cov[0]),
                (face, cov[0] - cov[1]),
                (mix(behind, SILVER[1], 0.5 + 0.2 * lit), cov[1] - cov[2]),  # clear plastic
                (LUMI["outline"], cov[2] - cov[3]),
                (mix(behind, LUMI["outline"], 0.7), cov[3]),
            ]
            canvas.set(x, y, tuple(art.clamp8(round(sum(c[i] * w for c, w in parts)))
                                   for i in range(3)))


def gold_rule(canvas, x0, x1, y):
    """A hairline of gold that fades out toward both ends."""
    half = (x1 - x0) / 2
    for x in range(x0, x1):
        canvas.blend(x, y, GOLD[1], 0.6 * (1 - abs(x + 0.5 - x0 - half) / half))


def fewest_colours(pic, limit=256):
    """The picture in no more than limit colours, so that it is stored with a palette and
    run-length compressed: its colours are split into boxes (median cut, weighted by how
    often each occurs; always the box whose colours lie farthest from their mean), and each
    colour becomes its box's mean. Gradients and glows keep their smooth steps, one box each."""
    counts = {}
    for y in range(pic.h):
        for x in range(pic.w):
            c = pic.get(x, y)
            counts[c] = counts.get(c, 0) + 1
    if len(counts) <= limit:
        return pic

    def mean(box):
        n = sum(counts[c] for c in box)
        return tuple(sum(c[i] * counts[c] for c in box) / n for i in range(3))

    def spread(box):
        m = mean(box)
        return sum(counts[c] * sum((c[i] - m[i]) ** 2 for i in range(3)) for c in box)

    boxes = [(spread(list(counts)), sorted(counts))]
    while len(boxes) < limit:
        boxes.sort(key=lambda b: (-b[0], b[1][0]))
        error, box = boxes[0]
        if error == 0:
            break
        m = mean(box)
        axis = max(range(3), key=lambda i: sum(counts[c] * (c[i] - m[i]) ** 2 for c in box))
        box = sorted(box, key=lambda c: (c[axis], c))
        half, seen, cut = sum(counts[c] for c in box) / 2, 0, 1
        for k, c in enumerate(box[:-1]):
            seen += counts[c]
            cut = k + 1
            if seen >= half:
                break
        boxes[0:1] = [(spread(box[:cut]), box[:cut]), (spread(box[cut:]), box[cut:])]
    to = {}
    for _, box in boxes:
        m = tuple(art.clamp8(round(v)) for v in mean(box))
        for c in box:
            to[c] = m
    out = Canvas(pic.w, pic.h)
    for y in range(pic.h):
        for x in range(pic.w):
            out.set(x, y, to[pic.get(x, y)])
    return out


def picture_frame(canvas):
    """The one-pixel frame that sets a picture off from the dialog."""
    canvas.frame(0, 0, canvas.w, canvas.h, LUMI["outline"])


def about_picture(s):
    """A disc rising in a glow over the night, the name in large gold, the version and a line
    about the program below a hairline; at scale s (1 or 2), every curve and glow drawn at
    that resolution."""
    c = Canvas(320 * s, 170 * s)
    c.vgradient(0, 0, c.w, c.h, NIGHT_SKY)
    disc_x, disc_y, disc_r = 160, 44, 27
    # No stars behind the text or crowding the disc.
    starfield(c, 90, 1998, lambda x, y: (74 < y < 160 and 20 < x < 300) or
              math.hypot(x - disc_x, y - disc_y) < disc_r + 9, s)
    halo(c, disc_x * s, disc_y * s, 80 * s, (255, 196, 110), 0.28)
    halo(c, disc_x * s, disc_y * s, 44 * s, (255, 226, 160), 0.25)
    big_disc(c, float(disc_x * s), float(disc_y * s), float(disc_r * s))
    title = "Lumivoxen CD Player"
    big_text(c, centred(text_size(title, 3 * s, 4), c.w), 80 * s, title, 3 * s, GOLD_TITLE,
             LUMI["outline"], ((255, 190, 90), 3 * s, 0.35), 4, s)
    gold_rule(c, 40 * s, 280 * s, 125 * s)
    small_text(c, 129 * s, "Version 1.0", art.font_ink(LUMI["font_ink"], LUMI_FONT), s)
    small_text(c, 145 * s, "Free software, made with Win32 and C++17", LUMI["label"], s)
    picture_frame(c)
    return fewest_colours(c)


# The small digits of the miniature player's display, 3 x 5.
DIGITS = art.glyphs("""
0 ###/#.#/#.#/#.#/###
2 ###/..#/###/#../###
4 #.#/#.#/###/..#/..#
7 ###/..#/.#./.#./.#.
colon ./#/./#/.
""")

# The three skins the program ships, each as the colours of one layer of the stack:
# body top, body bottom, the light its front edge catches.
LAYERS = [
    ((40, 60, 92), (14, 24, 42), (120, 230, 250)),  # Orbit
    ((116, 120, 126), (64, 67, 72), (255, 150, 40)),  # Graphite
    ((88, 76, 124), (40, 34, 62), (255, 214, 128)),  # Lumivoxen
]
MINI_KEYS = [
    ["#..#", "#.##", "#..#"],
    ["#..", "##.", "#.."],
    ["#.#", "#.#", "#.#"],
    ["##", "##"],
    ["#..#", "##.#", "#..#"],
    [".#.", "###"],
]


class Scaled:
    """Pixel art laid out on the 1x grid, drawn on a canvas at scale s: every rectangle and
    pattern pixel covers s x s pixels, gradients run over every pixel row."""

    def __init__(self, canvas, s):
        self.canvas, self.s = canvas, s

    def fill(self, x, y, w, h, c):
        self.canvas.fill(x * self.s, y * self.s, w * self.s, h * self.s, c)

    def set(self, x, y, c):
        self.fill(x, y, 1, 1, c)

    def vgradient(self, x, y, w, h, stops):
        self.canvas.vgradient(x * self.s, y * self.s, w * self.s, h * self.s, stops)

    hline, vline, frame, bevel, pattern = (Canvas.hline, Canvas.vline, Canvas.frame,
                                           Canvas.bevel, Canvas.pattern)


def mini_player(c, x, y):
    """The player window at a third of its size: title bar, display, sliders and keys. c is
    Scaled; the disc emblem is drawn at the canvas's own resolution."""
    w, h = 84, 38
    c.vgradient(x, y, w, h, LUMI["body"])
    art.window_frame(c, LUMI, x, y, w, h)
    c.vgradient(x + 2, y + 2, w - 4, 6, LUMI["title_active"])
    c.hline(x + 2, y + 8, w - 4, LUMI["dark"])
    art.disc_emblem(c.canvas, (x + 5.0) * c.s, (y + 5.0) * c.s, 2.5 * c.s, LUMI)
    c.hline(x + 9, y + 4, 15, GOLD[1])  # the name, as a stroke of gold
    c.hline(x + 9, y + 5, 15, GOLD[2])
    c.hline(x + 26, y + 4, 9, (214, 186, 240))
    c.hline(x + 26, y + 5, 9, (170, 140, 200))
    for k in (3, 6):
        c.hline(x + 38, y + k, 30, LUMI["stripe_dark_active"])
        c.hline(x + 38, y + k + 1, 30, LUMI["stripe_light_active"])
    for bx in (x + 71, x + 76):
        c.frame(bx, y + 3, 4, 4, LUMI["key_outline"])
        c.fill(bx + 1, y + 4, 2, 2, LUMI["tb_face"])
    # The display: a dark panel sunk into the body, with the time and the title in gold.
    px, py, pw, ph = x + 5, y + 11, 58, 15
    c.fill(px, py, pw, ph, PANEL[0][1])
    for j in range(1, ph, 2):
        c.hline(px, py + j, pw, shade(PANEL[0][1], -3))
    c.hline(px, py, pw, LUMI["panel_top_edge"])
    c.vline(px, py, ph, LUMI["panel_top_edge"])
    c.hline(px, py + ph, pw + 1, LUMI["panel_bottom_edge"])
    c.vline(px + pw, py, ph + 1, LUMI["panel_bottom_edge"])
    tx = px + 3
    for ch in "02:47":
        c.pattern(tx, py + 3, DIGITS[ch], GOLD[1])
        tx += len(DIGITS[ch][0]) + 1
    # Lines of text too small to read: the title and the artist, and the status below.
    for dx, dy, length, ink in ((24, 4, 28, GOLD[2]), (24, 8, 19, GOLD[2]),
                                (3, 12, 22, (214, 186, 240))):
        c.hline(px + dx, py + dy, length, ink)
    # The seek bar and the keys below the display.
    c.hline(x + 5, y + 28, 58, LUMI["groove_dark"])
    c.hline(x + 5, y + 29, 58, LUMI["groove_light"])
    c.fill(x + 22, y + 27, 5, 3, SILVER[1])
    for k in range(6):
        kx = x + 5 + 9 * k
        c.fill(kx, y + 31, 8, 5, LUMI["key_top"])
        c.hline(kx, y + 31, 8, LUMI["key_light"])
        c.hline(kx, y + 35, 8, LUMI["key_dark"])
        sym = MINI_KEYS[k]
        c.pattern(kx + (8 - len(sym[0]) + 1) // 2, y + 32 + (3 - len(sym)) // 2, sym,
                  LUMI["sym"])
    # Three volume sliders at the right, their thumbs at different heights.
    for k, level in enumerate((9, 12, 6)):
        gx = x + 68 + 5 * k
        c.vline(gx, y + 11, 25, LUMI["groove_dark"])
        c.vline(gx + 1, y + 11, 25, LUMI["groove_light"])
        c.fill(gx - 1, y + 11 + level, 4, 3, SILVER[1] if k < 2 else GOLD[1])


def in_rhombus(x, y, cx, cy, a):
    """Inside the diamond of half-width a and half-height a / 2: a plate seen from above."""
    return abs(x + 0.5 - cx) / a + abs(y + 0.5 - cy) / (a / 2) <= 1


def layer(c, cx, cy, a, colours, display=False, thick=4, s=1):
    """One plate of the stack, centred on (cx, cy), thick pixels deep, in pixels of a picture
    at scale s; its outline stays one pixel wide."""
    top, bottom, accent = colours

    def face(x, y):
        return in_rhombus(x, y, cx, cy, a)

    def body(x, y):
        return any(face(x, y - k) for k in range(thick + 1))
    box = range(int(cx - a - 2), int(cx + a + 3)), range(int(cy - a / 2 - 2),
                                                        int(cy + a / 2 + thick + 3))
    # Its shadow on whatever lies below, then the plate: top face, two sides, outline.
    for y in box[1]:
        for x in box[0]:
            if body(x - s, y - 3 * s) and not body(x, y):
                c.blend(x, y, LUMI["outline"], 0.45)
    for y in box[1]:
        for x in box[0]:
            if not body(x, y):
                continue
            edge = not all(body(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                col = LUMI["outline"]
            elif face(x, y):
                col = mix(top, bottom, (y - (cy - a / 2)) / a)
                if not face(x, y + 1):
                    col = mix(top, accent, 0.6)  # the front edges catch the light
                elif display and in_rhombus(x, y, cx, cy - s, a * 0.6):
                    col = display_pixel(x, y, cx, cy - s, a * 0.6, s)
            else:
                col = shade(bottom, -6) if x < cx else shade(bottom, -22)
            c.set(x, y, col)


def display_pixel(x, y, cx, cy, a, s):
    """The top layer's display, seen at the same slant: dark glass holding a ring of gold
    light, a disc seen from the side."""
    if not in_rhombus(x, y, cx, cy, a - 2 * s):
        return LUMI["panel_top_edge"] if y < cy else LUMI["panel_bottom_edge"]
    # A circle, drawn at the plate's slant, measured in 1x pixels.
    d = math.hypot((x + 0.5 - cx) / 2, y + 0.5 - cy) / s
    if 3.2 <= d < 4.4:
        return GOLD[1] if y < cy else GOLD[2]
    if d < 1.2:
        return GOLD[0]
    return mix(PANEL[0][1], GOLD[3], max(0.0, 0.5 - abs(d - 3.8) / 6))


def skin_page_picture(s):
    """The player in miniature above the layers a skin is made of, one plate for each skin
    the program ships, the built-in one on top; the word SKINS below. At scale s (1 or 2)."""
    c = Canvas(100 * s, 200 * s)
    c.vgradient(0, 0, c.w, c.h, NIGHT_SKY)
    mini_player(Scaled(c, s), 8, 14)
    halo(c, 50 * s, 108 * s, 64 * s, VIOLET[0], 0.25)
    for k, colours in enumerate(LAYERS):
        layer(c, 50.0 * s, (128.0 - 20 * k) * s, 42.0 * s, colours, k == len(LAYERS) - 1,
              4 * s, s)
    text = "SKINS"
    big_text(c, centred(text_size(text, 2 * s), c.w), 158 * s, text, 2 * s, GOLD_TITLE,
             LUMI["outline"], ((255, 190, 90), 2 * s, 0.3), None, s)
    gold_rule(c, 20 * s, 80 * s, 182 * s)
    picture_frame(c)
    return fewest_colours(c)


def main():
    for s, suffix in ((1, ""), (2, "-2x")):
        tabs, mask = tab_files(tab_images(s))
        write_file(f"tabs{suffix}.bmp", tabs)
        write_file(f"tabs-mask{suffix}.bmp", mask)
        write_file(f"skin-page{suffix}.bmp", rle8.rle8_bitmap(skin_page_picture(s).bmp()))
        write_file(f"about{suffix}.bmp", rle8.rle8_bitmap(about_picture(s).bmp()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
