#!/usr/bin/env python3
"""Draws the main frame's toolbar images and the toolbars' cursors.

Each toolbar image is 16 x 16 pixels of the standard 16-colour palette,
composed of small pixel-art pieces below; a toolbar's strip holds its images
side by side (one per command, in the toolbar's order) on light grey, the
colour the toolbars treat as transparent. The large strips are the small
ones at twice the size. Writes 4-bit BMP files and 32 x 32 monochrome cursor
files; run it again after changing a picture:

    tools/draw-toolbar-images.py
"""
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The standard 16 colours (red, green, blue); index 7 is the background.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Letters of the pictures: '.' leaves the pixel as it is.
INK = {
    "k": 0, "m": 1, "n": 2, "o": 3, "d": 4, "u": 5, "t": 6, "_": 7,
    "g": 8, "r": 9, "G": 10, "y": 11, "b": 12, "p": 13, "c": 14, "w": 15,
}
BACKGROUND = 7

PAGE = """
kkkkkkkk...
kwwwwwwkk..
kwwwwwwkwk.
kwwwwwwkkkk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kwwwwwwwwwk
kkkkkkkkkkk
"""

PAGE_LINES = """
kkkkkkkk...
kwwwwwwkk..
kwggggwkwk.
kwwwwwwkkkk
kwgggggggwk
kwwwwwwwwwk
kwgggggggwk
kwwwwwwwwwk
kwgggggggwk
kwwwwwwwwwk
kwgggggwwwk
kwwwwwwwwwk
kkkkkkkkkkk
"""

FOLDER = """
.kkkk...........
kyyyyk..........
kywwyykkkkkkk...
kwyyyyyyyyyyk...
kyyyyyyyyyyyk...
kyyykkkkkkkkkkkk
kyykoooooooooook
kykoooooooooook.
kykooooooooook..
kkoooooooooook..
kkkkkkkkkkkkk...
"""

DISK = """
kkkkkkkkkkkkk
kdkwwwwwwwkdk
kdkwwwwwwwkdk
kdkwwwwwwwkdk
kdkwwwwwwwkdk
kddkkkkkkkddk
kdddddddddddk
kddgggggggddk
kddgkkgggggdk
kddgkkgggggdk
kddgkkgggggdk
kkkkkkkkkkkkk
"""

DATABASE = """
..kkkkk..
.kwwwwwk.
kwwwwwwwk
kkwwwwwkk
kbkkkkkbk
kbbbbbbbk
kbwbbbbbk
kbwbbbbbk
kbbbbbbbk
.kbbbbbk.
..kkkkk..
"""

PENCIL = """
.....kk
....kyyk
...kyyk.
..kyyk..
.kyyk...
kwwk....
kkk.....
"""

SCISSORS = """
...k.....k...
...k.....k...
...kk...kk...
....k...k....
....kk.kk....
.....kkk.....
......k......
.....kkk.....
...rrr.rrr...
..r..r.r..r..
..r..r.r..r..
..r..r.r..r..
...rr...rr...
"""

CLIPBOARD_BODY = """
...kkkkkk...
.okgggggko..
kookkkkkkook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kooooooooook
kkkkkkkkkkkk
"""

# A length of pipe with its flanged ends: a component.
PIPE = """
kkk.......kkk
kck.......kck
kckkkkkkkkkck
kcbbbbbbbbbck
kcwwwwwwwwwck
kcbbbbbbbbbck
kcddddddddddk
kckkkkkkkkkck
kck.......kck
kkk.......kkk
"""

# Three stacked parts: an assembly.
ASSEMBLY = """
....kkkkkk....
....kGGGGk....
....knnnnk....
..kkkkkkkkkk..
..kccccccccck.
..kttttttttk..
kkkkkkkkkkkkkk
kyyyyyyyyyyyyk
kooooooooooook
kkkkkkkkkkkkkk
"""

# A sprinkler nozzle with its spray.
NOZZLE = """
c...c...c...
.c..c..c....
..c.c.c.....
............
...kkkkk....
...kgwgk....
..kkgggkk...
..kgggggk...
.kkkkkkkkk..
.kggwgggk...
.kgggggggk..
.kkkkkkkkk..
"""

PLUS = """
.kkk.
.kGk.
kkGkk
kGGGk
kkGkk
.kGk.
.kkk.
"""

MINUS = """
kkkkk
krrrk
kkkkk
"""

CROSS = """
rr...rr
rrr.rrr
.rrrrr.
..rrr..
.rrrrr.
rrr.rrr
rr...rr
"""

CHECK = """
.......nn
......nnn
.....nnn.
nn..nnn..
nnnnnn...
.nnnn....
..nn.....
"""

ARROW_RIGHT = """
...k...
...kk..
kkkkGk.
kGGGGGk
kkkkGk.
...kk..
...k...
"""

ARROW_LEFT = """
...k...
..kk...
.kGkkkk
kGGGGGk
.kGkkkk
..kk...
...k...
"""

ARROW_DOWN = """
..kkk..
..kGk..
..kGk..
kkkGkkk
.kGGGk.
..kGk..
...k...
"""

ARROW_UP = """
...k...
..kGk..
.kGGGk.
kkkGkkk
..kGk..
..kGk..
..kkk..
"""

MAGNIFIER = """
...kkkk....
..kwcwck...
.kwcwcwck..
.kcwcwcwk..
.kwcwcwck..
.kcwcwcwk..
..kcwcwk...
...kkkkk...
.......kkk.
........kkk
.........kk
"""

QUESTION = """
....kkkkkk....
..kkddddddkk..
.kddddddddddk.
.kdddwwwwdddk.
kdddwwddwwdddk
kdddddddwwdddk
kddddddwwddddk
kdddddwwdddddk
kdddddwwdddddk
.kddddddddddk.
.kdddddwwdddk.
..kkddddddkk..
....kkkkkk....
"""

TEXTBOX = """
kkkkkkkkkkkkkk
kwwwwwwwwwwwwk
kwkkwwkwwwwwwk
kwwwkwkkkwwwwk
kwkkkwkwwkwwwk
kwkwkwkwwkwwwk
kwkkkwkkkwwwwk
kwwwwwwwwwwwwk
kkkkkkkkkkkkkk
"""

# Run a query: a lightning flash.
LIGHTNING = """
......kkkk
.....kyyk.
....kyyk..
...kyyk...
..kyyykkk.
.kyyyyyyk.
.kkkkyyk..
....kyk...
...kyk....
...kk.....
..kk......
..k.......
"""

# Reload: two arrows round a circle.
RELOAD = """
....kkkkk.....
..kknnnnnkk.k.
.knnkkkkknnkk.
.knk.....knnk.
knk.....knnnk.
knk......kkkk.
kk............
............kk
.kkkk......knk
.knnnk.....knk
.knnk.....knk.
.kknnkkkkknnk.
.k.kknnnnnkk..
.....kkkkk....
"""

SQL = """
.kkk.kkk..k...
k....k..k.k...
.kk..k..k.k...
...k.k.kk.k...
kkk...kkk.kkkk
"""


def sprite(text):
    rows = [r for r in text.strip("\n").split("\n")]
    width = max(len(r) for r in rows)
    return [r.ljust(width, ".") for r in rows]


def blank():
    return [[BACKGROUND] * 16 for _ in range(16)]


def put(image, piece, x, y):
    for dy, row in enumerate(sprite(piece)):
        for dx, ch in enumerate(row):
            if ch == ".":
                continue
            px, py = x + dx, y + dy
            if 0 <= px < 16 and 0 <= py < 16:
                image[py][px] = INK[ch]
    return image


def compose(*pieces):
    image = blank()
    for piece, x, y in pieces:
        put(image, piece, x, y)
    return image


# The pictures of the commands, by command id.
PICTURES = {
    # File
    57600: compose((PAGE, 3, 1)),                                     # New
    57601: compose((FOLDER, 0, 3)),                                   # Open
    57611: compose((DISK, 0, 0), (PENCIL, 8, 8)),                     # Save Copy As
    32793: compose((DATABASE, 0, 0), (DATABASE, 7, 5), (ARROW_RIGHT, 7, 0)),  # Merge databases
    57635: compose((SCISSORS, 1, 1)),                                 # Cut
    57634: compose((PAGE_LINES, 0, 0), (PAGE_LINES, 5, 3)),           # Copy
    57637: compose((CLIPBOARD_BODY, 1, 2), (PAGE_LINES, 5, 3)),       # Paste
    32784: compose((PIPE, 0, 0), (PAGE_LINES, 5, 3)),                 # Copy Component
    32791: compose((CLIPBOARD_BODY, 0, 2), (PIPE, 3, 6)),             # Paste Component
    57664: compose((QUESTION, 1, 1)),                                 # About
    # Find
    57636: compose((MAGNIFIER, 2, 2)),                                # Find
    32786: compose((MAGNIFIER, 5, 0), (ARROW_LEFT, 0, 9)),            # Find previous
    32785: compose((MAGNIFIER, 0, 0), (ARROW_RIGHT, 9, 9)),           # Find next
    32795: compose((TEXTBOX, 0, 3), (MAGNIFIER, 5, 5)),               # the find box
    # Component
    32771: compose((PIPE, 0, 0), (PLUS, 10, 9)),                      # Add item
    32787: compose((PIPE, 0, 0), (PENCIL, 8, 8)),                     # Edit item
    32781: compose((PIPE, 0, 0), (CROSS, 9, 9)),                      # Delete item
    32778: compose((ASSEMBLY, 0, 1), (PLUS, 11, 9)),                  # New assembly
    32783: compose((ASSEMBLY, 0, 0), (PENCIL, 8, 8)),                 # Edit assembly
    32773: compose((ASSEMBLY, 0, 6), (ARROW_DOWN, 5, 0)),             # Add to assembly
    32804: compose((ASSEMBLY, 0, 6), (ARROW_UP, 9, 0)),               # Remove from assembly
    32796: compose((ASSEMBLY, 0, 4), (CHECK, 7, 0)),                  # Finish assembly
    32789: compose((NOZZLE, 0, 1), (PENCIL, 8, 8)),                   # Edit nozzles
    32772: compose((NOZZLE, 0, 1), (PLUS, 11, 9)),                    # Add nozzle
    32805: compose((NOZZLE, 0, 1), (MINUS, 11, 12)),                  # Remove nozzle
    # Query
    32801: compose((SQL, 0, 10), (LIGHTNING, 5, 0)),                  # Execute query
    32803: compose((DISK, 0, 0), (SQL, 2, 11)),                       # Save query
    32800: compose((PAGE_LINES, 0, 0), (CROSS, 8, 8)),                # Delete query
    32802: compose((RELOAD, 1, 1)),                                   # Reload queries
}

# The toolbars' image resources: (small id, large id, commands in order).
TOOLBARS = [
    ("File", 265, 264, [57600, 57601, 57611, 32793, 57635, 57634, 57637, 32784, 32791, 57664]),
    ("Find", 267, 266, [57636, 32786, 32785, 32795]),
    ("Component", 263, 262, [32771, 32787, 32781, 32778, 32783, 32773, 32804, 32796, 32789, 32772, 32805]),
    ("Query", 269, 268, [32801, 32803, 32800, 32802]),
]


def write_bmp(path, pixels, width, height):
    """A bottom-up 4-bit BMP of palette indexes pixels[y][x]."""
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(0, width, 2):
            hi = pixels[y][x]
            lo = pixels[y][x + 1] if x + 1 < width else 0
            row.append((hi << 4) | lo)
        row.extend(b"\0" * (stride - len(row)))
        rows.append(bytes(row))
    data = b"".join(rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    offset = 14 + len(header) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + header + palette + data)


def strip(ids, scale):
    size = 16 * scale
    width = size * len(ids)
    pixels = [[BACKGROUND] * width for _ in range(size)]
    for n, cmd in enumerate(ids):
        picture = PICTURES[cmd]
        for y in range(size):
            for x in range(size):
                pixels[y][n * size + x] = picture[y // scale][x // scale]
    return pixels, width, size


CURSOR_SIZE_WE = """
................................
................................
................................
................................
................................
................................
................................
................................
..............kk.kk.............
..............kw.wk.............
.............kwk.kwk............
...........kkkwk.kwkkk..........
..........kwwkwk.kwkwwk.........
.........kwwwkwk.kwkwwwk........
........kwwwwwwk.kwwwwwwk.......
.........kwwwkwk.kwkwwwk........
..........kwwkwk.kwkwwk.........
...........kkkwk.kwkkk..........
.............kwk.kwk............
..............kw.wk.............
..............kk.kk.............
"""

CURSOR_COPY = """
k...............................
kk..............................
kwk.............................
kwwk............................
kwwwk...........................
kwwwwk..........................
kwwwwwk.........................
kwwwwwwk........................
kwwwwwwwk.......................
kwwwwwwwwk......................
kwwwwwkkkkk.....................
kwwkwwk.........................
kwk.kwwk........................
kk..kwwk........................
k....kwwk.......................
.....kwwk.......................
......kk....kkkkkkkkkk..........
............kwwwwwwwwk..........
............kwwwkkwwwk..........
............kwwwkkwwwk..........
............kwkkkkkkwk..........
............kwkkkkkkwk..........
............kwwwkkwwwk..........
............kwwwkkwwwk..........
............kwwwwwwwwk..........
............kkkkkkkkkk..........
"""


def write_cursor(path, picture, hotspot):
    """A 32 x 32 monochrome cursor: 'k' black, 'w' white, '.' clear."""
    rows = sprite(picture)
    rows = [r.ljust(32, ".") for r in rows] + ["." * 32] * (32 - len(rows))
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):
        xor_bits = and_bits = 0
        for x in range(32):
            ch = rows[y][x]
            bit = 1 << (31 - x)
            if ch == ".":
                and_bits |= bit
            elif ch == "w":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 256, 0, 0, 2, 2)
    colours = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + colours + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def main():
    for piece in [v for k, v in globals().items() if k.isupper() and isinstance(v, str) and "\n" in v]:
        sprite(piece)
    res = os.path.join(ROOT, "app", "res")
    for name, small, large, ids in TOOLBARS:
        for scale, rid, suffix in ((1, small, ""), (2, large, "Large")):
            pixels, width, height = strip(ids, scale)
            write_bmp(os.path.join(res, "ToolBar%s%s.bmp" % (name, suffix)), pixels, width, height)
    write_cursor(os.path.join(ROOT, "toolbars", "buttons", "res", "SizeWE.cur"), CURSOR_SIZE_WE, (16, 14))
    os.makedirs(os.path.join(ROOT, "toolbars", "bar", "res"), exist_ok=True)
    write_cursor(os.path.join(ROOT, "toolbars", "bar", "res", "DragCopy.cur"), CURSOR_COPY, (0, 0))


if __name__ == "__main__":
    main()
