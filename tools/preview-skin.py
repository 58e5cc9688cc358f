#!/usr/bin/env python3
"""Shows what a skin folder will look like, without Windows.

usage: preview-skin.py SKIN_DIR OUT.png [--sheets SHEETS.png] [--scale N]

Composes the player window (background, active title bar, every button's normal cell at its
place, the sliders with their thumbs, sample texts in the skin's font) and the playlist
window at two sizes with a few entries, one marked and one selected, painted the way the
program paints them, and writes the picture scaled up (2x by default). With --sheets it
also writes each of the six bitmaps, scaled, with every source rectangle of skin.ini
outlined, to check that the cells line up with the records. A value the program would
refuse, or a source rectangle outside its bitmap, stops it with a message naming the key.
"""
import importlib.util
import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
_spec = importlib.util.spec_from_file_location("builtin_skin", HERE / "make-builtin-skin.py")
skinfile = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(skinfile)

DESKTOP = (37, 111, 149)


class Picture:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def get(self, x, y):
        return tuple(self.px[y * self.w + x])

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = list(c)

    def fill(self, x, y, w, h, c):
        for yy in range(max(0, y), min(self.h, y + h)):
            for xx in range(max(0, x), min(self.w, x + w)):
                self.px[yy * self.w + xx] = list(c)

    def scaled(self, n):
        out = Picture(self.w * n, self.h * n)
        for y in range(out.h):
            for x in range(out.w):
                out.px[y * out.w + x] = self.px[(y // n) * self.w + x // n]
        return out

    def png(self):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                raw += bytes(self.px[y * self.w + x])

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        head = struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def read_bmp(path):
    data = Path(path).read_bytes()
    if data[:2] != b"BM":
        raise ValueError("%s is not a bitmap file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    size, w, h, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    if compression not in (0, 3):
        raise ValueError("%s: compressed bitmaps are not shown" % path)
    top_down = h < 0
    h = abs(h)
    colours = struct.unpack_from("<I", data, 46)[0] if size >= 40 else 0
    palette = []
    if bpp <= 8:
        count = colours or (1 << bpp)
        for i in range(count):
            b, g, r = data[14 + size + 4 * i:14 + size + 4 * i + 3]
            palette.append((r, g, b))
    stride = ((w * bpp + 31) // 32) * 4
    pic = Picture(w, h)
    for row in range(h):
        y = row if top_down else h - 1 - row
        base = offset + row * stride
        for x in range(w):
            if bpp == 24:
                b, g, r = data[base + 3 * x:base + 3 * x + 3]
                c = (r, g, b)
            elif bpp == 32:
                b, g, r = data[base + 4 * x:base + 4 * x + 3]
                c = (r, g, b)
            else:
                bit = x * bpp
                byte = data[base + bit // 8]
                index = (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1)
                c = palette[index]
            pic.set(x, y, c)
    return pic


# ----------------------------------------------------------------------------------------
# The drawing operations of the program's bitmap list, on pictures


def draw_rect(dst, src, d, s, clip=None):
    """Source rectangle s stretched to destination rectangle d (nearest pixel)."""
    dx, dy, dw, dh = d
    sx, sy, sw, sh = s
    if dw <= 0 or dh <= 0 or sw <= 0 or sh <= 0:
        return
    for j in range(dh):
        for i in range(dw):
            x, y = dx + i, dy + j
            if clip and not (clip[0] <= x < clip[2] and clip[1] <= y < clip[3]):
                continue
            px, py = sx + i * sw // dw, sy + j * sh // dh
            if 0 <= px < src.w and 0 <= py < src.h:
                dst.set(x, y, src.get(px, py))


def tile(dst, src, d, s):
    dx, dy, dw, dh = d
    sx, sy, sw, sh = s
    if sw <= 0 or sh <= 0:
        return
    for j in range(max(dh, 0)):
        for i in range(max(dw, 0)):
            px, py = sx + i % sw, sy + j % sh
            if 0 <= px < src.w and 0 <= py < src.h:
                dst.set(dx + i, dy + j, src.get(px, py))


def tile_ltrb(dst, src, d, s):
    tile(dst, src, (d[0], d[1], d[2] - d[0], d[3] - d[1]), (s[0], s[1], s[2] - s[0], s[3] - s[1]))


def cells(strip):
    x, y, w, h = strip
    q = w // 4
    return [(x + k * q, y, q, h) for k in range(4)]


class BitmapFont:
    def __init__(self, picture, text_map, height, transparent):
        self.pic, self.height = picture, height
        self.map = text_map.decode("latin-1")
        self.transparent = transparent

    def find(self, c):
        m = self.map
        if len(m) < 2:
            return None
        width, row, start, at = skinfile.atoi(m[0:2]), 0, 3, 3
        while at < len(m):
            if m[at] == "\n":
                if at + 2 >= len(m):
                    return None
                width = skinfile.atoi(m[at + 1:at + 3])
                row += 1
                at += 4
                start = at
                continue
            if m[at] == c:
                return at - start, row, width
            at += 1
        return None

    def draw(self, dst, text, x, y, w, h):
        """Draws transparently, cut at the destination's right and bottom edges."""
        at = 0
        for c in text:
            glyph = self.find(c)
            if not glyph:
                continue
            col, row, width = glyph
            for j in range(min(self.height, h)):
                for i in range(width):
                    if at + i >= w:
                        break
                    sx, sy = col * width + i, row * self.height + j
                    if sx >= self.pic.w or sy >= self.pic.h:
                        continue
                    c2 = self.pic.get(sx, sy)
                    if c2 != self.transparent:
                        dst.set(x + at + i, y + j, c2)
            at += width
        return at


class Skin:
    def __init__(self, folder):
        folder = Path(folder)
        self.v = skinfile.Skin(folder)
        # A rectangle outside its bitmap would draw garbage in the player: say which.
        skinfile.check_bitmaps(self.v)
        names = ["main", "titlebar", "cbuttons", "scroll", "font", "playlist"]
        self.bmp = {n: read_bmp(folder / (n + ".bmp")) for n in names}
        c = self.v.font_colour
        self.font = BitmapFont(self.bmp["font"], self.v.text_map, self.v.font_height,
                               ((c >> 16) & 255, (c >> 8) & 255, c & 255))
        self.mask = None
        if self.v.use_region and (folder / "region-mask.bmp").exists():
            self.mask = read_bmp(folder / "region-mask.bmp")


def rgb(value):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


# ----------------------------------------------------------------------------------------
# The player window

SAMPLE_TEXTS = {
    "tbPosition": "02:47",
    "tbTrackLength": "04:16",
    "tbArtist": "Nordlicht Ensemble",
    "tbAlbum": "Caf\xe9 M\xe9lodie",
    "tbTrackName": "05. Na\xefve Lumi\xe8re (Live)",
    "tbStatus": "Playing",
}
SLIDER_POSITIONS = {"sbPos": 0.35, "sbLVolume": 0.2, "sbRVolume": 0.2, "sbMVolume": 0.45}


def player_window(skin, active=True):
    v, b = skin.v, skin.bmp
    w, h = v.main[2], v.main[3]
    pic = Picture(w, h)
    draw_rect(pic, b["main"], (0, 0, b["main"].w, b["main"].h), (0, 0, b["main"].w, b["main"].h))
    tx, ty, tw, th = v.titlebar
    draw_rect(pic, b["titlebar"], (tx, ty, tw, th), (0, th if active else 0, tw, th))
    for key, r in v.buttons:
        draw_rect(pic, b["cbuttons"], r[0:4], cells(r[4:8])[0])
    for key, r in v.sliders:
        x, y, sw, sh = r[0:4]
        draw_rect(pic, b["main"], (x, y, sw, sh), (x, y, sw, sh))
        thumb = cells(r[4:8])[0]
        if key == "sbPos":
            length = r[6] // 4
            p = round((sw - length) * SLIDER_POSITIONS[key])
            draw_rect(pic, b["scroll"], (x + p, y, length, sh), thumb)
        else:
            length = r[7]
            p = round((sh - length) * SLIDER_POSITIONS[key])
            draw_rect(pic, b["scroll"], (x, y + p, sw, length), thumb)
    for key, r in v.text_boxes:
        x, y, bw, bh = r
        draw_rect(pic, b["main"], (x, y, bw, bh), (x, y, bw, bh))
        skin.font.draw(pic, SAMPLE_TEXTS[key], x, y, bw, bh)
    return pic


# ----------------------------------------------------------------------------------------
# The playlist window

ENTRIES = ["01. Aurora Overture", "02. Glass Harbour", "03. Clair de Lune",
           "04. Night Train to Lyon", "05. Na\xefve Lumi\xe8re (Live)", "06. Quiet Satellites",
           "07. The Long Way Home", "08. Paper Moons", "09. Deep Field", "10. Coda: Afterglow",
           "11. Hidden Track", "12. Reprise"]
MARKED, SELECTED = 4, 1


def playlist_window(skin, W, H, active):
    v, src = skin.v, skin.bmp["playlist"]
    pic = Picture(W, H, (255, 0, 255))
    top = dict(v.top)
    bottom = dict(v.bottom)
    borders = dict(v.borders)

    def point(piece):
        return (piece[6], piece[7]) if active else (piece[4], piece[5])

    tl, tm, tr, tf = top["topleft"], top["topmiddle"], top["topright"], top["topfill"]
    for piece, x in ((tl, tl[0]), (tr, tr[0] + W - tr[2]), (tm, tm[0] + int((W - tm[2]) / 2))):
        sx, sy = point(piece)
        draw_rect(pic, src, (x, piece[1], piece[2], piece[3]), (sx, sy, piece[2], piece[3]))
    fx, fy = point(tf)
    mid_left = tm[0] + int((W - tm[2]) / 2)
    fill_src = (fx, fy, fx + tf[2], fy + tf[3])
    tile_ltrb(pic, src, (tl[2], 0, mid_left, tm[3]), fill_src)
    tile_ltrb(pic, src, (mid_left + tm[2], 0, tr[0] + W - tr[2], tm[3]), fill_src)
    bl, br, bf = bottom["bottomleft"], bottom["bottomright"], bottom["bottomfill"]
    draw_rect(pic, src, (bl[0], bl[1] + H - bl[3], bl[2], bl[3]), (bl[4], bl[5], bl[2], bl[3]))
    draw_rect(pic, src, (br[0] + W - br[2], br[1] + H - br[3], br[2], br[3]),
              (br[4], br[5], br[2], br[3]))
    tile_ltrb(pic, src, (bl[2], bl[1] + H - bl[3], br[0] + W - br[2], H),
              (bf[4], bf[5], bf[4] + bf[2], bf[5] + bf[3]))
    lb, rb = borders["leftborder"], borders["rightborder"]
    tile_ltrb(pic, src, (0, tl[3], lb[2], bl[1] + H - bl[3]),
              (lb[4], lb[5], lb[4] + lb[2], lb[5] + lb[3]))
    tile_ltrb(pic, src, (W - rb[2], tr[3], W, br[1] + H - br[3]),
              (rb[4], rb[5], rb[4] + rb[2], rb[5] + rb[3]))

    slider_w = v.list_slider[2]
    lx, ly = lb[2], tm[3]
    lw, lh = W - lb[2] - rb[2] - slider_w, H - tm[3] - br[3]
    draw_list(skin, pic, lx, ly, lw, lh)
    sx, sy = W - rb[2] - slider_w, tr[3]
    slider = Picture(slider_w, lh)
    bg = v.list_slider[8:12]
    tile(slider, src, (0, 0, slider_w, lh), bg)
    thumb = cells(v.list_slider[4:8])[0]
    draw_rect(slider, src, (0, 0, slider_w, v.list_slider[7]), thumb)
    draw_rect(pic, slider, (sx, sy, slider_w, lh), (0, 0, slider_w, lh))

    for key, r in v.list_buttons:
        x, y, bw, bh = r[0:4]
        place = (W - x - bw, y, bw, bh) if key == "btClose" else (x, H - y, bw, bh)
        draw_rect(pic, src, place, cells(r[4:8])[0])
    return pic


def draw_list(skin, pic, lx, ly, lw, lh):
    v = skin.v
    bx, by, bw, bh, item = v.list_values
    box = Picture(max(lw, 1), max(lh, 1))
    tile(box, skin.bmp["playlist"], (0, 0, lw, lh), (bx, by, bw, bh))
    box.fill(0, SELECTED * item, lw, item, rgb(v.selection_colour))
    box.fill(0, MARKED * item, lw, item, rgb(v.current_colour))
    focus(box, 0, SELECTED * item, lw, item)
    offset = int((item - skin.font.height) / 2 + 0.5)
    for i, text in enumerate(ENTRIES[:lh // item + 1]):
        skin.font.draw(box, text, 5, i * item + offset, lw, item)
    draw_rect(pic, box, (lx, ly, lw, lh), (0, 0, lw, lh))


def focus(pic, x, y, w, h):
    """The dotted focus rectangle, drawn by inverting every other pixel of the border."""
    border = [(x + i, y) for i in range(w)] + [(x + w - 1, y + j) for j in range(1, h)]
    border += [(x + w - 1 - i, y + h - 1) for i in range(1, w)]
    border += [(x, y + h - 1 - j) for j in range(1, h - 1)]
    for k, (px, py) in enumerate(border):
        if k % 2 == 0 and 0 <= px < pic.w and 0 <= py < pic.h:
            pic.set(px, py, tuple(255 - c for c in pic.get(px, py)))


# ----------------------------------------------------------------------------------------
# Putting it together


def compose(skin):
    player = player_window(skin)
    if skin.mask:
        for y in range(min(player.h, skin.mask.h)):
            for x in range(min(player.w, skin.mask.w)):
                if skin.mask.get(x, y) == (255, 0, 255):
                    player.set(x, y, DESKTOP)
    small = playlist_window(skin, 275, 232, True)
    large = playlist_window(skin, 400, 300, False)
    pad = 8
    W = pad * 3 + max(player.w, small.w) + large.w
    H = pad * 2 + max(player.h + small.h, large.h)
    out = Picture(W, H, DESKTOP)
    draw_rect(out, player, (pad, pad, player.w, player.h), (0, 0, player.w, player.h))
    draw_rect(out, small, (pad, pad + player.h, small.w, small.h), (0, 0, small.w, small.h))
    x2 = pad * 2 + max(player.w, small.w)
    draw_rect(out, large, (x2, pad, large.w, large.h), (0, 0, large.w, large.h))
    return out


def outline(pic, rect, scale, colour):
    x, y, w, h = [v * scale for v in rect]
    for i in range(w):
        pic.set(x + i, y, colour)
        pic.set(x + i, y + h - 1, colour)
    for j in range(h):
        pic.set(x, y + j, colour)
        pic.set(x + w - 1, y + j, colour)


def sheets(skin, scale):
    v, b = skin.v, skin.bmp
    marks = {n: [] for n in b}
    th = v.titlebar[3]
    marks["titlebar"] += [(0, 0, v.titlebar[2], th), (0, th, v.titlebar[2], th)]
    for key, r in v.buttons:
        marks["cbuttons"] += cells(r[4:8])
    for key, r in v.sliders:
        marks["scroll"] += cells(r[4:8])
        marks["main"].append(r[0:4])
    for key, r in v.text_boxes:
        marks["main"].append(r)
    for key, p in v.top:
        marks["playlist"] += [(p[4], p[5], p[2], p[3]), (p[6], p[7], p[2], p[3])]
    for key, p in v.bottom + v.borders:
        marks["playlist"].append((p[4], p[5], p[2], p[3]))
    marks["playlist"] += cells(v.list_slider[4:8]) + [tuple(v.list_slider[8:12])]
    marks["playlist"].append(tuple(v.list_values[0:4]))
    for key, r in v.list_buttons:
        marks["playlist"] += cells(r[4:8])
    rows = skinfile.text_map_rows(v.text_map)
    for r, row in enumerate(rows):
        width = skinfile.atoi(row[:2])
        for c in range(len(row) - 3 - (1 if row.endswith("\r") else 0)):
            marks["font"].append((c * width, r * v.font_height, width, v.font_height))
    order = ["main", "titlebar", "cbuttons", "scroll", "playlist", "font"]
    pad = 12
    size = {n: (b[n].w * scale, b[n].h * scale) for n in order}
    # Main, title bar and scroll.bmp stacked at the left, playlist.bmp beside them; below,
    # cbuttons.bmp and font.bmp side by side.
    place = {"main": (pad, pad)}
    place["titlebar"] = (pad, place["main"][1] + size["main"][1] + pad)
    place["scroll"] = (pad, place["titlebar"][1] + size["titlebar"][1] + pad)
    place["playlist"] = (pad * 2 + max(size[n][0] for n in ("main", "titlebar", "scroll")), pad)
    y3 = max(place["scroll"][1] + size["scroll"][1], pad + size["playlist"][1]) + pad
    place["cbuttons"] = (pad, y3)
    place["font"] = (pad * 2 + size["cbuttons"][0], y3)
    W = max(place[n][0] + size[n][0] for n in order) + pad
    H = max(place[n][1] + size[n][1] for n in order) + pad
    out = Picture(W, H, (60, 60, 60))
    for n in order:
        pic = b[n].scaled(scale)
        for rect in marks[n]:
            outline(pic, rect, scale, (0, 255, 0))
        x, y = place[n]
        draw_rect(out, pic, (x, y, pic.w, pic.h), (0, 0, pic.w, pic.h))
    return out


def main(argv):
    args = argv[1:]
    scale, sheet_path = 2, None
    if "--scale" in args:
        i = args.index("--scale")
        scale = int(args[i + 1])
        del args[i:i + 2]
    if "--sheets" in args:
        i = args.index("--sheets")
        sheet_path = args[i + 1]
        del args[i:i + 2]
    if len(args) != 2:
        sys.stderr.write(__doc__)
        return 2
    try:
        skin = Skin(args[0])
    except (skinfile.SkinError, ValueError, OSError) as error:
        sys.stderr.write("preview-skin: %s\n" % error)
        return 1
    Path(args[1]).write_bytes(compose(skin).scaled(scale).png())
    if sheet_path:
        Path(sheet_path).write_bytes(sheets(skin, 3).png())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
