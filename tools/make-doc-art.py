#!/usr/bin/env python3
"""Draws the pictures of the skin authoring guide (docs/skins.md).

usage: python3 tools/make-doc-art.py [OUT_DIR]

OUT_DIR defaults to docs/skins under the project root. Writes:

  textmap.png  skins/Graphite/font.bmp at 4x, cut into the glyph cells that the text map at
               the top of skins/Graphite/font.ini gives it: at the left of each row its glyph
               width, under each cell the character the cell stands for. The font's
               background colour, which the player draws transparent, is shown light grey.
  layout.png   the built-in skin's player window (res/builtin-skin/) at 2x as the player
               paints it, with the placement (x, y, width, height) of every [mainwindow]
               control of its skin.ini outlined, coloured by kind and numbered in the
               file's order. The legend of the numbers goes to standard output.
  dusk.png     the guide's worked example: Graphite's player window at 2x above the same
               window after the example's steps (violet display, album above artist, round
               zero, round corners), made in memory from skins/Graphite/.

The bitmaps are read and the window is painted with the code of tools/preview-skin.py; the
labels use a small pixel face defined here. Running the script again reproduces both files
byte for byte (no clock, nothing at random, standard library only).
"""
import colorsys
import importlib.util
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
_found = importlib.util.spec_from_file_location("preview_skin", HERE / "preview-skin.py")
preview = importlib.util.module_from_spec(_found)
_found.loader.exec_module(preview)
# The skins' own rule for making room above a capital for its accent.
_art = importlib.util.spec_from_file_location("skin_art", HERE / "make-skin-art.py")
skin_art = importlib.util.module_from_spec(_art)
_art.loader.exec_module(skin_art)
skinfile = preview.skinfile
Picture, read_bmp = preview.Picture, preview.read_bmp

GRAPHITE = ROOT / "skins" / "Graphite"
BUILTIN = ROOT / "res" / "builtin-skin"

# ----------------------------------------------------------------------------------------
# Palette, shared by both pictures

PAGE = (30, 31, 35)  # around everything
CELL = (188, 190, 186)  # stands for the font's transparent background colour
GRID = (98, 101, 108)
INK = (222, 224, 228)  # labels
DIM = (138, 141, 148)  # captions, the sign for the space character
WIDTH = (255, 168, 64)  # the glyph width at the head of a row (Graphite's orange)
TAG_INK = (18, 16, 26)
KINDS = [  # kind, outline colour, name in the key
    ("window", (255, 196, 64), "window"),
    ("title bar", (255, 255, 255), "title bar"),
    ("button", (255, 104, 104), "buttons"),
    ("slider", (112, 232, 124), "sliders"),
    ("text box", (92, 200, 255), "text boxes"),
]
KIND_COLOUR = {kind: colour for kind, colour, _ in KINDS}

# ----------------------------------------------------------------------------------------
# The label face: 5 pixels wide (some signs narrower), caps 7 high, 2 rows of descender.
# Rows are given from the cap line down ("#" ink); an accent takes the two rows above the
# lower-case letters, one row above the cap line and the row under it.

FACE = {
    "A": ".###./#...#/#...#/#####/#...#/#...#/#...#",
    "B": "####./#...#/#...#/####./#...#/#...#/####.",
    "C": ".###./#...#/#..../#..../#..../#...#/.###.",
    "D": "####./#...#/#...#/#...#/#...#/#...#/####.",
    "E": "#####/#..../#..../####./#..../#..../#####",
    "F": "#####/#..../#..../####./#..../#..../#....",
    "G": ".###./#...#/#..../#.###/#...#/#...#/.####",
    "H": "#...#/#...#/#...#/#####/#...#/#...#/#...#",
    "I": "###/.#./.#./.#./.#./.#./###",
    "J": "..###/...#./...#./...#./...#./#..#./.##..",
    "K": "#...#/#..#./#.#../##.../#.#../#..#./#...#",
    "L": "#..../#..../#..../#..../#..../#..../#####",
    "M": "#...#/##.##/#.#.#/#.#.#/#...#/#...#/#...#",
    "N": "#...#/#...#/##..#/#.#.#/#..##/#...#/#...#",
    "O": ".###./#...#/#...#/#...#/#...#/#...#/.###.",
    "P": "####./#...#/#...#/####./#..../#..../#....",
    "Q": ".###./#...#/#...#/#...#/#.#.#/#..#./.##.#",
    "R": "####./#...#/#...#/####./#.#../#..#./#...#",
    "S": ".####/#..../#..../.###./....#/....#/####.",
    "T": "#####/..#../..#../..#../..#../..#../..#..",
    "U": "#...#/#...#/#...#/#...#/#...#/#...#/.###.",
    "V": "#...#/#...#/#...#/#...#/#...#/.#.#./..#..",
    "W": "#...#/#...#/#...#/#.#.#/#.#.#/#.#.#/.#.#.",
    "X": "#...#/#...#/.#.#./..#../.#.#./#...#/#...#",
    "Y": "#...#/#...#/.#.#./..#../..#../..#../..#..",
    "Z": "#####/....#/...#./..#../.#.../#..../#####",
    "a": "...../...../.###./....#/.####/#...#/.####",
    "b": "#..../#..../####./#...#/#...#/#...#/####.",
    "c": "...../...../.###./#..../#..../#..../.###.",
    "d": "....#/....#/.####/#...#/#...#/#...#/.####",
    "e": "...../...../.###./#...#/#####/#..../.###.",
    "f": "..##./.#.../####./.#.../.#.../.#.../.#...",
    "g": "...../...../.####/#...#/#...#/#...#/.####/....#/.###.",
    "h": "#..../#..../####./#...#/#...#/#...#/#...#",
    "i": ".#./.../##./.#./.#./.#./###",
    "j": "..#/.../.##/..#/..#/..#/..#/#.#/.#.",
    "k": "#.../#.../#..#/#.#./##../#.#./#..#",
    "l": "##./.#./.#./.#./.#./.#./###",
    "m": "...../...../####./#.#.#/#.#.#/#.#.#/#.#.#",
    "n": "...../...../####./#...#/#...#/#...#/#...#",
    "o": "...../...../.###./#...#/#...#/#...#/.###.",
    "p": "...../...../####./#...#/#...#/#...#/####./#..../#....",
    "q": "...../...../.####/#...#/#...#/#...#/.####/....#/....#",
    "r": "...../...../#.##./##..#/#..../#..../#....",
    "s": "...../...../.####/#..../.###./....#/####.",
    "t": ".#.../.#.../####./.#.../.#.../.#.../..##.",
    "u": "...../...../#...#/#...#/#...#/#...#/.####",
    "v": "...../...../#...#/#...#/#...#/.#.#./..#..",
    "w": "...../...../#...#/#...#/#.#.#/#.#.#/.#.#.",
    "x": "...../...../#...#/.#.#./..#../.#.#./#...#",
    "y": "...../...../#...#/#...#/#...#/#...#/.####/....#/.###.",
    "z": "...../...../#####/...#./..#../.#.../#####",
    "\u0131": ".../.../##./.#./.#./.#./###",  # dotless i, under the accents of í î ï
    "0": ".###./#...#/#..##/#.#.#/##..#/#...#/.###.",
    "1": ".#./##./.#./.#./.#./.#./###",
    "2": ".###./#...#/....#/...#./..#../.#.../#####",
    "3": "#####/...#./..#../...#./....#/#...#/.###.",
    "4": "...#./..##./.#.#./#..#./#####/...#./...#.",
    "5": "#####/#..../####./....#/....#/#...#/.###.",
    "6": "..##./.#.../#..../####./#...#/#...#/.###.",
    "7": "#####/....#/...#./..#../.#.../.#.../.#...",
    "8": ".###./#...#/#...#/.###./#...#/#...#/.###.",
    "9": ".###./#...#/#...#/.####/....#/...#./.##..",
    " ": ".../.../.../.../.../.../...",
    "\u2423": "...../...../...../...../...../#...#/#####",  # the sign for a space
    "#": ".#.#./.#.#./#####/.#.#./#####/.#.#./.#.#.",
    "$": "..#../.####/#.#../.###./..#.#/####./..#..",
    "%": "##.../##..#/...#./..#../.#.../#..##/...##",
    "&": ".##../#..#./#.#../.#.../#.#.#/#..#./.##.#",
    "*": "...../..#../#.#.#/.###./#.#.#/..#../.....",
    "+": "...../..#../..#../#####/..#../..#../.....",
    "-": "...../...../...../#####/...../...../.....",
    "/": "....#/....#/...#./..#../.#.../#..../#....",
    "<": "...#/..#./.#../#.../.#../..#./...#",
    "=": "...../...../#####/...../#####/...../.....",
    ">": "#.../.#../..#./...#/..#./.#../#...",
    "?": ".###./#...#/....#/...#./..#../...../..#..",
    "@": ".###./#...#/#.###/#.#.#/#.###/#..../.####",
    "\\": "#..../#..../.#.../..#../...#./....#/....#",
    "^": "..#../.#.#./#...#",
    "_": "...../...../...../...../...../...../#####",
    "~": "...../...../.#.../#.#.#/...#.",
    '"': "#.#/#.#/#.#",
    "!": "#/#/#/#/#/./#",
    "|": "#/#/#/#/#/#/#/#/#",
    ".": "../../../../../##/##",
    ",": "../../../../../##/##/.#/#.",
    ":": "../##/##/../../##/##",
    ";": "../##/##/../../##/##/.#/#.",
    "'": "#/#/#",
    "`": "#./.#",
    "(": "..#/.#./#../#../#../.#./..#",
    ")": "#../.#./..#/..#/..#/.#./#..",
    "[": "###/#../#../#../#../#../###",
    "]": "###/..#/..#/..#/..#/..#/###",
    "{": "..##/.#../.#../#.../.#../.#../..##",
    "}": "##../..#./..#./...#/..#./..#./##..",
}
ACCENTS = {  # above: the two rows over a lower-case letter; below: the rows under it
    "grave": ("#./.#", None),
    "acute": (".#/#.", None),
    "circumflex": (".#./#.#", None),
    "diaeresis": ("#.#", None),
    "tilde": (".##.#/#.##.", None),
    "cedilla": (None, ".#./##."),
    "ring": ("##/##", None),
    "caron": ("#.#/.#.", None),
}
ACCENTED = {
    "\xe0": ("a", "grave"), "\xe1": ("a", "acute"), "\xe2": ("a", "circumflex"),
    "\xe4": ("a", "diaeresis"), "\xe3": ("a", "tilde"), "\xe7": ("c", "cedilla"),
    "\xe9": ("e", "acute"), "\xe8": ("e", "grave"), "\xea": ("e", "circumflex"),
    "\xeb": ("e", "diaeresis"), "\xed": ("\u0131", "acute"), "\xec": ("\u0131", "grave"),
    "\xee": ("\u0131", "circumflex"), "\xef": ("\u0131", "diaeresis"), "\xf3": ("o", "acute"),
    "\xf2": ("o", "grave"), "\xf4": ("o", "circumflex"), "\xf6": ("o", "diaeresis"),
    "\xf5": ("o", "tilde"), "\xfa": ("u", "acute"), "\xf9": ("u", "grave"),
    "\xfb": ("u", "circumflex"), "\xfc": ("u", "diaeresis"), "\xf1": ("n", "tilde"),
    "\xe5": ("a", "ring"), "\xfd": ("y", "acute"), "\xff": ("y", "diaeresis"),
    "\u0161": ("s", "caron"), "\u017e": ("z", "caron"),
    "\xc0": ("A", "grave"), "\xc1": ("A", "acute"), "\xc2": ("A", "circumflex"),
    "\xc3": ("A", "tilde"), "\xc4": ("A", "diaeresis"), "\xc5": ("A", "ring"),
    "\xc7": ("C", "cedilla"), "\xc8": ("E", "grave"), "\xc9": ("E", "acute"),
    "\xca": ("E", "circumflex"), "\xcb": ("E", "diaeresis"), "\xcc": ("I", "grave"),
    "\xcd": ("I", "acute"), "\xce": ("I", "circumflex"), "\xcf": ("I", "diaeresis"),
    "\xd1": ("N", "tilde"), "\xd2": ("O", "grave"), "\xd3": ("O", "acute"),
    "\xd4": ("O", "circumflex"), "\xd5": ("O", "tilde"), "\xd6": ("O", "diaeresis"),
    "\xd9": ("U", "grave"), "\xda": ("U", "acute"), "\xdb": ("U", "circumflex"),
    "\xdc": ("U", "diaeresis"), "\xdd": ("Y", "acute"), "\u0178": ("Y", "diaeresis"),
    "\u0160": ("S", "caron"), "\u017d": ("Z", "caron"),
}
FACE.update({
    "\xc6": ".####/#.#../#.#../#####/#.#../#.#../#.###",
    "\u0152": ".####/#.#../#.#../#.###/#.#../#.#../.####",
    "\xd0": ".###./.#..#/.#..#/###.#/.#..#/.#..#/.###.",
    "\xd8": ".####/#..##/#..##/#.#.#/##..#/##..#/####.",
    "\xde": "#..../####./#...#/#...#/####./#..../#....",
    "\xdf": ".##../#..#./#..#./#.##./#...#/#...#/#.##.",
    "\xe6": "...../...../.#.#./...##/.####/#.#../.#.##",
    "\u0153": "...../...../.#.#./#.#.#/#.###/#.#../.#.##",
    "\xf0": ".#.#./..#../.#.#./.####/#...#/#...#/.###.",
    "\xf8": "...../...../.####/#..##/#.#.#/##..#/####.",
    "\xfe": "#..../#..../####./#...#/#...#/#...#/####./#..../#....",
})
FACE_ROWS = 10  # one row above the cap line, 7 of caps, 2 of descenders
FACE_CAP = 1  # the row of the cap line


def face_glyph(c):
    """The glyph of c as FACE_ROWS strings of equal width."""
    if c in ACCENTED:
        base, accent = ACCENTED[c]
        body = FACE[base].split("/")
        above, below = ACCENTS[accent]
    elif c in FACE:
        body, above, below = FACE[c].split("/"), None, None
    else:
        raise ValueError("the label face has no glyph for %r" % c)
    width = len(body[0])
    if any(len(row) != width for row in body) or len(body) > FACE_ROWS - 1:
        raise ValueError("the label glyph of %r is not a rectangle" % c)
    top = 1
    if above and body[0] != "." * width:
        # A capital makes room for its accent: five rows high, under a blank row.
        body, top = skin_art.shortened(body, 5), 3
    rows = ["." * width] * top + body + ["." * width] * (FACE_ROWS - top - len(body))

    def put(mark, top):
        for j, line in enumerate(mark.split("/")):
            at = (width - len(line)) // 2
            row = rows[top + j]
            rows[top + j] = row[:at] + "".join(
                "#" if m == "#" or r == "#" else "." for m, r in zip(line, row[at:])) + \
                row[at + len(line):]

    if above:
        marks = above.split("/")
        put(above, FACE_CAP + 1 - len(marks))  # ending on the row under the cap line
    if below:
        put(below, FACE_CAP + 7)
    return rows


def text_width(text, scale=1):
    return (sum(len(face_glyph(c)[0]) + 1 for c in text) - 1) * scale if text else 0


def draw_text(pic, x, y, text, colour, scale=1):
    """Draws text with the top of its accent row at y; returns the x after it."""
    for c in text:
        rows = face_glyph(c)
        for j, row in enumerate(rows):
            for i, mark in enumerate(row):
                if mark == "#":
                    pic.fill(x + i * scale, y + j * scale, scale, scale, colour)
        x += (len(rows[0]) + 1) * scale
    return x


# ----------------------------------------------------------------------------------------
# textmap.png


def map_rows(font_ini):
    """[(width, characters) or None] for each row of the text map, as the player reads it.

    A row is two digits of glyph width, one separator, then its characters in glyph order;
    a row without that head maps nothing but keeps its place. The carriage return of a
    CR LF line end is left out. The file is Windows-1252."""
    rows = []
    for line in skinfile.text_map_rows(skinfile.font_text_map(font_ini)):
        raw = line.encode("latin-1")
        if len(raw) >= 3 and raw[:2].isdigit():
            chars = raw[3:-1] if raw.endswith(b"\r") else raw[3:]
            rows.append((int(raw[:2].decode()), chars.decode("cp1252", "replace")))
        else:
            rows.append(None)
    return rows


TM_PAD = 20  # page margin
TM_GUTTER = 44  # the column of row widths, before the cells
TM_LABEL_GAP = 4  # between a row's cells and its labels
TM_LABEL_SCALE = 2
TM_ROW_GAP = 14  # between one row's labels and the next row's cells
TM_MAX_WIDTH = 900


def textmap_picture(folder):
    font = read_bmp(folder / "font.bmp")
    background, height = skinfile.font_values(folder / "font.ini")
    background = preview.rgb(background)
    rows = map_rows(folder / "font.ini")

    def row_width(scale):
        return max(1 + len(r[1]) * (r[0] * scale + 1) for r in rows if r)

    scale = next((s for s in (4, 3) if 2 * TM_PAD + TM_GUTTER + row_width(s) <= TM_MAX_WIDTH), 3)
    label_h = FACE_ROWS * TM_LABEL_SCALE
    band = height * scale + 2  # the cells and the grid lines above and below them
    step = band + TM_LABEL_GAP + label_h + TM_ROW_GAP
    caption = ("%s/font.bmp at %dx. Left: the glyph width of each text map row. "
               "Under each cell: the character it stands for."
               % (folder.relative_to(ROOT).as_posix(), scale))
    caption_h = FACE_ROWS + 14
    W = 2 * TM_PAD + TM_GUTTER + row_width(scale)
    H = 2 * TM_PAD + len(rows) * step - TM_ROW_GAP + caption_h
    pic = Picture(W, H, PAGE)
    x0 = TM_PAD + TM_GUTTER
    for r, row in enumerate(rows):
        y0 = TM_PAD + r * step
        head = "%02d" % row[0] if row else "--"
        hy = y0 + (band - 7 * TM_LABEL_SCALE) // 2 - FACE_CAP * TM_LABEL_SCALE
        draw_text(pic, TM_PAD, hy, head, WIDTH if row else DIM, TM_LABEL_SCALE)
        if not row:
            continue
        width, chars = row
        pitch = width * scale + 1
        pic.fill(x0, y0, len(chars) * pitch + 1, 1, GRID)
        pic.fill(x0, y0 + band - 1, len(chars) * pitch + 1, 1, GRID)
        for c, char in enumerate(chars):
            cx = x0 + c * pitch
            pic.fill(cx, y0, 1, band, GRID)
            for j in range(height * scale):
                for i in range(width * scale):
                    sx, sy = c * width + i // scale, r * height + j // scale
                    colour = font.get(sx, sy) if sx < font.w and sy < font.h else PAGE
                    pic.set(cx + 1 + i, y0 + 1 + j, CELL if colour == background else colour)
            sign = "\u2423" if char == " " else char
            lx = cx + 1 + (width * scale - text_width(sign, TM_LABEL_SCALE) + 1) // 2
            draw_text(pic, lx, y0 + band + TM_LABEL_GAP, sign, DIM if char == " " else INK,
                      TM_LABEL_SCALE)
        pic.fill(x0 + len(chars) * pitch, y0, 1, band, GRID)
    draw_text(pic, x0, H - TM_PAD - FACE_ROWS, caption, DIM)
    return pic


# ----------------------------------------------------------------------------------------
# layout.png


CONTROLS = {key.lower(): (key, kind) for names, kind in (
    (["main"], "window"), (["titlebar"], "title bar"), (skinfile.PLAYER_BUTTONS, "button"),
    (skinfile.PLAYER_SLIDERS, "slider"), (skinfile.TEXT_BOXES, "text box")) for key in names}


def placements(skin_ini):
    """[(key, kind, (x, y, w, h))] of the window and its controls in [mainwindow], in the
    file's order."""
    found = []
    for name, value in skinfile.read_profile(skin_ini).get("mainwindow", {}).items():
        if name in CONTROLS:
            key, kind = CONTROLS[name]
            found.append((key, kind, tuple(skinfile.int_list(value)[:4])))
    return found


LO_SCALE = 2
LO_PAD = 20
TAG_PAD = 2  # around the number in its tag, left and right; 1 above and below


def tag_size(number):
    return text_width(str(number)) + 2 * TAG_PAD, 7 + 2


def meets(a, b):
    """Whether boxes (x0, y0, x1, y1), ends exclusive, overlap."""
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


# Where a number tag goes, first choice first: the window's under it; a text box's at its
# left, where its text begins; a button's above it, or for a button inside the title bar
# just under the bar; a horizontal slider's at its left, a vertical one's above it. Inside
# the outline is the last resort of every kind.
SPOTS = {
    "window": ["below", "left", "above"],
    "title bar": ["above"],
    "button": ["above", "below", "under holder", "over holder", "left", "right"],
    "slider": ["above", "below", "left", "right"],
    "horizontal slider": ["left", "above", "below", "right"],
    "text box": ["left", "above", "right", "below"],
}


def spot(where, box, holder, tw, th):
    x0, y0, x1, y1 = box
    return {
        "above": (x0, y0 - th - 1), "below": (x0, y1 + 1),
        "left": (x0 - tw - 1, y0), "right": (x1 + 1, y0), "inside": (x0 + 2, y0 + 2),
        "under holder": (x0, holder[3] + 1) if holder else None,
        "over holder": (x0, holder[1] - th - 1) if holder else None,
    }[where]


def holds(outer, inner):
    return (outer != inner and outer[0] <= inner[0] and outer[1] <= inner[1] and
            inner[2] <= outer[2] and inner[3] <= outer[3])


def place_tags(boxes, kinds, sizes, page):
    """A box for each control's number tag, at the first of its spots that keeps a pixel
    clear of every outline and of every tag placed before, lies inside no other control
    unless that one holds this control too, and stays on the page."""
    placed = []
    for n, box in enumerate(boxes):
        tw, th = sizes[n]
        holders = [other for other in boxes if holds(other, box)]
        holder = min(holders, key=lambda b: (b[2] - b[0]) * (b[3] - b[1])) if holders else None
        kind = kinds[n]
        if kind == "slider" and box[2] - box[0] > box[3] - box[1]:
            kind = "horizontal slider"
        for where in SPOTS[kind] + ["inside"]:
            at = spot(where, box, holder, tw, th)
            if at is None:
                continue
            tx, ty = at
            clear = (tx - 1, ty - 1, tx + tw + 1, ty + th + 1)
            if tx < 0 or ty < 0 or tx + tw > page[0] or ty + th > page[1]:
                continue
            if any(meets(clear, other) for other in placed):
                continue
            if all(not meets(clear, other) or
                   ((other == box or holds(other, box)) and
                    other[0] < clear[0] and other[1] < clear[1] and
                    clear[2] < other[2] and clear[3] < other[3])
                   for other in boxes):
                placed.append((tx, ty, tx + tw, ty + th))
                break
        else:
            raise ValueError("no room for the number of control %d" % (n + 1))
    return placed


def layout_picture(folder):
    skin = preview.Skin(folder)
    window = preview.player_window(skin).scaled(LO_SCALE)
    controls = placements(folder / "skin.ini")
    for key, kind, rect in controls:
        preview.outline(window, rect, LO_SCALE, KIND_COLOUR[kind])
    below = 14  # room for the tags under the window, before the key
    W = window.w + 2 * LO_PAD
    key_y = LO_PAD + window.h + below + 10
    H = key_y + FACE_ROWS + LO_PAD
    pic = Picture(W, H, PAGE)
    preview.draw_rect(pic, window, (LO_PAD, LO_PAD, window.w, window.h),
                      (0, 0, window.w, window.h))
    boxes = [(LO_PAD + x * LO_SCALE, LO_PAD + y * LO_SCALE, LO_PAD + (x + w) * LO_SCALE,
              LO_PAD + (y + h) * LO_SCALE) for _, _, (x, y, w, h) in controls]
    sizes = [tag_size(n + 1) for n in range(len(controls))]
    page = (W, LO_PAD + window.h + below - 2)  # tags stay above the key
    tags = place_tags(boxes, [kind for _, kind, _ in controls], sizes, page)
    for n, (tag, (key, kind, rect)) in enumerate(zip(tags, controls)):
        tx, ty, tx1, ty1 = tag
        pic.fill(tx, ty, tx1 - tx, ty1 - ty, KIND_COLOUR[kind])
        draw_text(pic, tx + TAG_PAD, ty + 1 - FACE_CAP, str(n + 1), TAG_INK)
    x, y = LO_PAD, key_y
    for kind, colour, name in KINDS:
        pic.fill(x, y + FACE_CAP, 7, 7, colour)
        x = draw_text(pic, x + 12, y, name, INK) + 20
    return pic, controls


# ----------------------------------------------------------------------------------------
# The worked example of the guide: Dusk, made from Graphite in memory with the guide's steps

DUSK_SCALE = 2
DUSK_GAP = 12
MAGENTA = (255, 0, 255)
ROUND_ZERO = [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."]


def violet(pic):
    """Step 3: the display's greens turned violet, a hue shift of about 170 degrees."""
    for i, (r, g, b) in enumerate(pic.px):
        if (r, g, b) == MAGENTA:
            continue
        h, l, sat = colorsys.rgb_to_hls(r / 255, g / 255, b / 255)
        if sat > 0.08 and 0.15 < h < 0.45:
            pic.px[i] = [round(v * 255) for v in colorsys.hls_to_rgb((h + 0.47) % 1.0, l, sat)]


def round_zero(font):
    """Step 5: the zero (line 2, place 0: x 0, y 20) redrawn without its slash, in its ink."""
    for row, line in enumerate(ROUND_ZERO):
        y = 21 + row
        ink = font.get(0, y)
        for x, c in enumerate(line):
            font.set(x, y, ink if c == "#" else MAGENTA)


def rounded_mask(w, h, radius):
    """Step 6: magenta outside a rectangle with round corners."""
    mask = Picture(w, h, MAGENTA)
    for y in range(h):
        for x in range(w):
            cx, cy = min(max(x, radius), w - 1 - radius), min(max(y, radius), h - 1 - radius)
            if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                mask.set(x, y, (255, 255, 255))
    return mask


def dusk_skin(folder):
    skin = preview.Skin(folder)
    for name in ("main", "playlist"):
        violet(skin.bmp[name])
    places = dict(skin.v.text_boxes)
    places["tbArtist"], places["tbAlbum"] = places["tbAlbum"], places["tbArtist"]  # step 4
    skin.v.text_boxes = [(key, places[key]) for key, _ in skin.v.text_boxes]
    round_zero(skin.bmp["font"])
    skin.mask = rounded_mask(skin.v.main[2], skin.v.main[3], 7)
    return skin


def framed_player(skin):
    """The player window on the desktop colour, with the outline of its mask, if any."""
    player = preview.player_window(skin)
    if skin.mask:
        for y in range(player.h):
            for x in range(player.w):
                if skin.mask.get(x, y) == MAGENTA:
                    player.set(x, y, preview.DESKTOP)
    return player.scaled(DUSK_SCALE)


def dusk_picture(folder):
    before, after = framed_player(preview.Skin(folder)), framed_player(dusk_skin(folder))
    pic = Picture(before.w + 2 * DUSK_GAP, before.h + after.h + 3 * DUSK_GAP, preview.DESKTOP)
    for y, window in ((DUSK_GAP, before), (2 * DUSK_GAP + before.h, after)):
        preview.draw_rect(pic, window, (DUSK_GAP, y, window.w, window.h),
                          (0, 0, window.w, window.h))
    return pic


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    out = Path(argv[1]) if len(argv) == 2 else ROOT / "docs" / "skins"
    try:
        textmap = textmap_picture(GRAPHITE)
        layout, controls = layout_picture(BUILTIN)
        dusk = dusk_picture(GRAPHITE)
    except (skinfile.SkinError, ValueError, OSError) as error:
        sys.stderr.write("make-doc-art: %s\n" % error)
        return 1
    out.mkdir(parents=True, exist_ok=True)
    (out / "textmap.png").write_bytes(textmap.png())
    (out / "layout.png").write_bytes(layout.png())
    (out / "dusk.png").write_bytes(dusk.png())
    for n, (key, kind, rect) in enumerate(controls):
        print("%2d  %-15s %-9s %s" % (n + 1, key, kind, ",".join(map(str, rect))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
