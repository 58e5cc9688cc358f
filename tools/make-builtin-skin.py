#!/usr/bin/env python3
"""Turns the built-in skin's folder (skin.ini, font.ini and the six bitmaps) into resources.

usage: make-builtin-skin.py SKIN_DIR OUT_DIR

Reads the two description files the way the program reads any skin folder and writes the
RCDATA records 900.bin .. 910.bin (little-endian 32-bit integers) and builtin-skin.rc, which
names them and the bitmaps by absolute path. Any missing key, short value, bad colour or
source rectangle outside its bitmap stops the build with a message naming the key.
"""
import re
import struct
import sys
from pathlib import Path

BITMAPS = [  # resource id, file; the resource order is the bitmap slot order
    (950, "main.bmp"),
    (951, "titlebar.bmp"),
    (952, "cbuttons.bmp"),
    (953, "scroll.bmp"),
    (954, "font.bmp"),
    (955, "playlist.bmp"),
]
PLAYER_BUTTONS = ["btPrev", "btPlay", "btPause", "btStop", "btNext", "btEject", "btShowPlaylist",
                  "btShowOptions", "btLockVolume", "btMuteVolume", "btMinimize", "btClose"]
PLAYER_SLIDERS = ["sbPos", "sbLVolume", "sbRVolume", "sbMVolume"]
TEXT_BOXES = ["tbPosition", "tbTrackLength", "tbArtist", "tbAlbum", "tbTrackName", "tbStatus"]
TOP_PIECES = ["topleft", "topmiddle", "topright", "topfill"]
BOTTOM_PIECES = ["bottomleft", "bottomright", "bottomfill"]
BORDERS = ["leftborder", "rightborder"]
PLAYLIST_BUTTONS = ["btAdd", "btDelete", "btEdit", "btSongup", "btSongdown", "btClose"]
TEXT_MAP_LIMIT = 255  # the font keeps at most this many characters of its map


class SkinError(Exception):
    pass


# ----------------------------------------------------------------------------------------
# Reading the description files as the private-profile functions and the loader do


def read_profile(path):
    """{section: {key: value}}, names lower-cased; the first of duplicate names counts."""
    try:
        text = Path(path).read_bytes().decode("latin-1")
    except OSError as error:
        raise SkinError("can't read %s: %s" % (path, error.strerror))
    sections, current = {}, None
    for line in re.split(r"\r\n|\n|\r", text):
        stripped = line.strip()
        if stripped.startswith("["):
            end = stripped.find("]")
            name = (stripped[1:end] if end > 0 else stripped[1:]).strip().lower()
            current = sections.setdefault(name, {})
        elif current is not None and "=" in line and not stripped.startswith(";"):
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
                value = value[1:-1]
            current.setdefault(key.strip().lower(), value)
    return sections


def atoi(field):
    m = re.match(r"[ \t\n\v\f\r]*([+-]?\d+)", field)
    if not m:
        return 0
    value = int(m.group(1))
    return max(-2**31, min(2**31 - 1, value))


def int_list(text):
    """Comma-separated integers; empty fields are skipped, each field is read like atoi."""
    return [atoi(field) for field in text.split(",") if field != ""]


def hex_after_hash(text):
    """The number sscanf "%x" reads after the "#" at the start of text, or None."""
    m = re.match(r"#[ \t\n\v\f\r]*([+-]?)(?:0[xX](?=[0-9a-fA-F]))?([0-9a-fA-F]+)", text)
    if not m:
        return None
    value = int(m.group(2), 16) & 0xFFFFFFFF
    return (-value) & 0xFFFFFFFF if m.group(1) == "-" else value


class Profile:
    def __init__(self, path):
        self.path = path
        self.sections = read_profile(path)

    def text(self, section, key):
        value = self.sections.get(section.lower(), {}).get(key.lower(), "")
        if value == "":
            raise SkinError("%s: [%s] %s= is missing or empty" % (self.path, section, key))
        return value

    def values(self, section, key, count):
        found = int_list(self.text(section, key))
        if len(found) < count:
            raise SkinError("%s: [%s] %s= needs %d values, has %d"
                            % (self.path, section, key, count, len(found)))
        return found[:count]


def playlist_list(profile):
    """lbPlaylist: background x, y, w, h, item height, current-track colour, selection colour."""
    key = "lbPlaylist"
    value = profile.text("playlistwindow", key)
    first = value.find("#")
    if first < 0:
        raise SkinError("%s: [playlistwindow] %s= has no colours" % (profile.path, key))
    comma = value.find(",", first)
    current = hex_after_hash(value[first:comma]) if comma >= 0 else None
    second = value.find("#", comma + 1) if comma >= 0 else -1
    selection = hex_after_hash(value[second:]) if second >= 0 else None
    if current is None or selection is None:
        raise SkinError("%s: [playlistwindow] %s= needs two colours #RRGGBB"
                        % (profile.path, key))
    numbers = int_list(value[:comma])
    if len(numbers) < 5:
        raise SkinError("%s: [playlistwindow] %s= needs 5 values before the colours, has %d"
                        % (profile.path, key, len(numbers)))
    if numbers[2] < 1 or numbers[3] < 1:
        raise SkinError("%s: [playlistwindow] %s= background width and height must be > 0"
                        % (profile.path, key))
    return numbers[:5], current, selection


def playlist_slider(profile):
    values = profile.values("playlistwindow", "sbListBox", 12)
    if values[10] < 1 or values[11] < 1:
        raise SkinError("%s: [playlistwindow] sbListBox= background width and height must be > 0"
                        % profile.path)
    return values


def font_text_map(path):
    """The text at the start of font.ini up to its first empty line, before "[font]"."""
    data = Path(path).read_bytes()
    end = data.find(b"\r\n\r\n")
    if end < 0 or data.find(b"[font]", end) < 0:
        raise SkinError("%s: the text map must end with an empty line (CR LF CR LF) before [font]"
                        % path)
    return data[:end]


def font_values(path):
    profile = Profile(path)
    colour = hex_after_hash(profile.text("font", "bgColor"))
    if colour is None:
        raise SkinError("%s: [font] bgColor= must be #RRGGBB" % path)
    height = int_list(profile.text("font", "height"))
    return colour, (height[0] if height else 0)


class Skin:
    """Every value of a skin folder, checked."""

    def __init__(self, folder):
        folder = Path(folder)
        self.folder = folder
        ini = Profile(folder / "skin.ini")
        main = "mainwindow"
        pl = "playlistwindow"
        self.main = ini.values(main, "main", 4)
        self.titlebar = ini.values(main, "titlebar", 4)
        self.buttons = [(k, ini.values(main, k, 8)) for k in PLAYER_BUTTONS]
        self.sliders = [(k, ini.values(main, k, 8)) for k in PLAYER_SLIDERS]
        self.text_boxes = [(k, ini.values(main, k, 4)) for k in TEXT_BOXES]
        self.top = [(k, ini.values(pl, k, 8)) for k in TOP_PIECES]
        self.bottom = [(k, ini.values(pl, k, 6)) for k in BOTTOM_PIECES]
        self.borders = [(k, ini.values(pl, k, 6)) for k in BORDERS]
        self.list_slider = playlist_slider(ini)
        self.list_values, self.current_colour, self.selection_colour = playlist_list(ini)
        self.list_buttons = [(k, ini.values(pl, k, 8)) for k in PLAYLIST_BUTTONS]
        region = ini.sections.get("region", {}).get("useregion", "")
        self.use_region = atoi(region) != 0 if region else False
        self.info = [ini.sections.get("info", {}).get(str(i), "") for i in range(1, 10)]
        self.font_colour, self.font_height = font_values(folder / "font.ini")
        self.text_map = font_text_map(folder / "font.ini")


# ----------------------------------------------------------------------------------------
# Checks against the bitmaps


def bitmap_size(path):
    try:
        head = Path(path).read_bytes()[:26]
    except OSError as error:
        raise SkinError("can't read %s: %s" % (path, error.strerror))
    if len(head) < 26 or head[:2] != b"BM":
        raise SkinError("%s is not a Windows bitmap file" % path)
    w, h = struct.unpack_from("<ii", head, 18)
    return w, abs(h)


def check_inside(key, rect, size, what):
    x, y, w, h = rect
    if x < 0 or y < 0 or w < 0 or h < 0 or x + w > size[0] or y + h > size[1]:
        raise SkinError("%s: %d,%d,%d,%d lies outside %s (%dx%d)"
                        % (key, x, y, w, h, what, size[0], size[1]))


def text_map_rows(text_map):
    rows, start = [], 0
    text = text_map.decode("latin-1")
    while True:
        end = text.find("\n", start)
        line = text[start:] if end < 0 else text[start:end]
        rows.append(line)
        if end < 0:
            return rows
        start = end + 1


def check_bitmaps(skin):
    sizes = {name: bitmap_size(skin.folder / name) for _, name in BITMAPS}
    main = sizes["main.bmp"]
    if main[0] < skin.main[2] or main[1] < skin.main[3]:
        raise SkinError("main: main.bmp (%dx%d) is smaller than the window %dx%d"
                        % (main + tuple(skin.main[2:4])))
    title = sizes["titlebar.bmp"]
    check_inside("titlebar", (0, 0, skin.titlebar[2], 2 * skin.titlebar[3]), title,
                 "titlebar.bmp (inactive above active)")
    for key, v in skin.buttons:
        check_inside(key, v[4:8], sizes["cbuttons.bmp"], "cbuttons.bmp")
    for key, v in skin.sliders:
        check_inside(key, v[4:8], sizes["scroll.bmp"], "scroll.bmp")
        check_inside(key, v[0:4], main, "main.bmp (the slider's track)")
    for key, v in skin.text_boxes:
        check_inside(key, v, main, "main.bmp (the text box's background)")
    pl = sizes["playlist.bmp"]
    for key, v in skin.top:
        check_inside(key + " inactive", (v[4], v[5], v[2], v[3]), pl, "playlist.bmp")
        check_inside(key + " active", (v[6], v[7], v[2], v[3]), pl, "playlist.bmp")
    for key, v in skin.bottom + skin.borders:
        check_inside(key, (v[4], v[5], v[2], v[3]), pl, "playlist.bmp")
    check_inside("sbListBox thumbs", skin.list_slider[4:8], pl, "playlist.bmp")
    check_inside("sbListBox background", skin.list_slider[8:12], pl, "playlist.bmp")
    check_inside("lbPlaylist background", skin.list_values[0:4], pl, "playlist.bmp")
    for key, v in skin.list_buttons:
        check_inside(key, v[4:8], pl, "playlist.bmp")
    font = sizes["font.bmp"]
    for r, row in enumerate(text_map_rows(skin.text_map)):
        width = atoi(row[:2]) if row[:2].isdigit() else 0
        glyphs = len(row) - 3 - (1 if row.endswith("\r") else 0)
        check_inside("text map row %d" % r, (0, r * skin.font_height, width * glyphs,
                                             skin.font_height), font, "font.bmp")


# ----------------------------------------------------------------------------------------
# The records


def ints(values):
    return struct.pack("<%di" % len(values), *values)


def records(skin):
    """{resource id: bytes} in the layout the program reads."""
    out = {}
    out[900] = ints(skin.main + skin.titlebar)
    out[901] = b"".join(ints(v) for _, v in skin.buttons)
    out[902] = b"".join(ints(v) for _, v in skin.sliders)
    if len(skin.text_map) > TEXT_MAP_LIMIT:
        raise SkinError("font.ini: the text map has %d characters, at most %d fit"
                        % (len(skin.text_map), TEXT_MAP_LIMIT))
    if b"\0" in skin.text_map:
        raise SkinError("font.ini: the text map holds a NUL character")
    out[903] = skin.text_map + b"\0"
    out[904] = b"".join(ints(v) for _, v in skin.text_boxes)
    out[905] = b"".join(ints(v) for _, v in skin.top)
    out[906] = b"".join(ints(v) for _, v in skin.bottom)
    borders = b"".join(ints(v) for _, v in skin.borders)
    # The resource stores 46 bytes; the reader supplies the two zero bytes of the last value.
    if borders[-2:] != b"\0\0":
        raise SkinError("rightborder: the last value must be below 65536 (stored in 16 bits)")
    out[907] = borders[:-2]
    out[908] = ints(skin.list_slider)
    out[909] = ints(skin.list_values + [skin.selection_colour, skin.current_colour])
    out[910] = b"".join(ints(v) for _, v in skin.list_buttons)
    return out


def rle8_row(row):
    """One row of palette indexes in BI_RLE8: runs as (count, index), stretches of three or
    more unlike bytes as absolute runs (padded to a word), then the end of the line."""
    out, i, n = bytearray(), 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        end = i + 1
        while end < n and end - i < 255 and not (end + 1 < n and row[end] == row[end + 1]):
            end += 1
        if end - i >= 3:
            out += bytes((0, end - i)) + bytes(row[i:end]) + (b"\0" if (end - i) % 2 else b"")
        else:
            for c in row[i:end]:
                out += bytes((1, c))
        i = end
    return bytes(out) + b"\0\0"


def rle8_bitmap(data):
    """An 8-bit bottom-up bitmap file compressed as BI_RLE8, which bitmap resources may be;
    other bitmaps as they are."""
    size, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if bits != 8 or compression != 0 or h < 0:
        return data
    offset = struct.unpack_from("<I", data, 10)[0]
    stride = (w + 3) & ~3
    rows = [data[offset + y * stride: offset + y * stride + w] for y in range(h)]
    pixels = b"".join(rle8_row(row) for row in rows)[:-2] + b"\0\1"
    info = bytearray(data[14:offset])
    struct.pack_into("<II", info, 16, 1, len(pixels))  # BI_RLE8, image size
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + bytes(info) + pixels


def resource_script(skin, out_dir, ids):
    lines = ["// Generated by tools/make-builtin-skin.py from res/builtin-skin; do not edit.", ""]
    for rid, name in BITMAPS:
        packed = out_dir / ("%d.bmp" % rid)
        write_if_changed(packed, rle8_bitmap((skin.folder / name).read_bytes()))
        lines.append('%d BITMAP "%s"' % (rid, packed.resolve().as_posix()))
    lines.append("")
    for rid in ids:
        lines.append('%d RCDATA "%s"' % (rid, (out_dir / ("%d.bin" % rid)).resolve().as_posix()))
    return "\n".join(lines) + "\n"


def write_if_changed(path, data):
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make-builtin-skin.py SKIN_DIR OUT_DIR\n")
        return 2
    skin_dir, out_dir = Path(argv[1]), Path(argv[2])
    try:
        skin = Skin(skin_dir)
        if skin.font_height != 11:
            raise SkinError("font.ini: [font] height= must be 11, the program draws the "
                            "built-in font at that height")
        if skin.font_colour != 0:
            raise SkinError("font.ini: [font] bgColor= must be #000000, the program makes the "
                            "built-in font's black transparent")
        check_bitmaps(skin)
        out = records(skin)
    except SkinError as error:
        sys.stderr.write("make-builtin-skin: %s\n" % error)
        return 1
    out_dir.mkdir(parents=True, exist_ok=True)
    for rid, data in out.items():
        write_if_changed(out_dir / ("%d.bin" % rid), data)
    # Always touched, so the build sees it newer than the inputs that made it run.
    (out_dir / "builtin-skin.rc").write_text(resource_script(skin, out_dir, sorted(out)),
                                              encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
