#!/usr/bin/env bash
# Draws the program's artwork into src/res/:
#   program.ico  icon of the program file (camera with an SD card)
#   window.ico   icon of the windows (camera with signal arcs)
#   logo.bmp     360 x 52 banner painted at the top of the main window
# Icons hold 48, 32, 24 and 16 pixel images, 32-bit with alpha; the logo is a
# 24-bit bottom-up BMP. The output is the same byte for byte on every run.
#
# Usage: scripts/make-art.sh [PREVIEW_DIR]
#   PREVIEW_DIR  also write PNG previews there (each image as is, plus an
#                enlarged copy on the dialog grey), for looking at the result.
#
# Needs python3 (standard library only) for the drawing and ImageMagick's
# `convert` with the DejaVu fonts for the lettering of the logo.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/src/res
preview=${1:-}
font_bold=${ART_FONT_BOLD:-/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf}
font_book=${ART_FONT_BOOK:-/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf}

for f in "$font_bold" "$font_book"; do
  [[ -r $f ]] || { echo "make-art: font not found: $f" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "make-art: ImageMagick convert is missing" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Lettering of the logo as 8-bit grey masks (white ink on black). The text
# sits on a fixed baseline so that the drawing below can place it exactly.
letter() { # FILE FONT POINTSIZE BASELINE TEXT
  convert -size 320x40 xc:black -font "$2" -pointsize "$3" -fill white \
    -annotate "+0+$4" "$5" -depth 8 "pgm:$1"
}
letter "$tmp/title.pgm" "$font_bold" 21 26 "3G Trail Camera Setup"
letter "$tmp/lead.pgm" "$font_bold" 21 26 "3G"
letter "$tmp/tagline.pgm" "$font_book" 11 12 "Configuration for cellular trail cameras"

python3 - "$out" "$tmp" "$preview" <<'PYTHON'
import math
import os
import struct
import sys
import zlib

out_dir, tmp_dir, preview_dir = sys.argv[1], sys.argv[2], sys.argv[3]


# ---------------------------------------------------------------- colours

def rgb(hex_text, alpha=1.0):
    v = int(hex_text.lstrip('#'), 16)
    return ((v >> 16 & 255) / 255.0, (v >> 8 & 255) / 255.0, (v & 255) / 255.0, alpha)


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# ---------------------------------------------------------------- shapes
# Every shape is a signed distance function: negative inside, in pixels.
# Painting turns the distance at each pixel centre into coverage, so
# straight edges on whole pixels stay sharp and curves get a one pixel
# soft edge.

def rect(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def arc(cx, cy, r, a0, a1, width):
    """Band along a circular arc with round ends; angles in degrees, 0 is
    right, -90 is up."""
    rad0, rad1 = math.radians(a0), math.radians(a1)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (rad0, rad1)]

    def d(x, y):
        a = math.atan2(y - cy, x - cx)
        if rad0 <= a <= rad1:
            dist = abs(math.hypot(x - cx, y - cy) - r)
        else:
            dist = min(math.hypot(x - ex, y - ey) for ex, ey in ends)
        return dist - width / 2
    return d


def cut_corner(shape, x1, y0, c):
    """Shape with its top right corner cut off at 45 degrees, c pixels deep."""
    k = math.sqrt(0.5)
    return lambda x, y: max(shape(x, y), ((x - (x1 - c)) - (y - y0)) * k)


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def linear(y0, c0, y1, c1):
    return lambda x, y: mix(c0, c1, (y - y0) / (y1 - y0))


def radial(cx, cy, r, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        r, g, b, a = fill
        self.px = [[r * a, g * a, b * a, a] for _ in range(w * h)]  # premultiplied

    def paint(self, shape, colour, sharpness=1.0):
        """Fills the shape; sharpness above 1 narrows the soft edge."""
        for j in range(self.h):
            for i in range(self.w):
                cover = 0.5 - shape(i + 0.5, j + 0.5) * sharpness
                if cover <= 0:
                    continue
                c = colour(i + 0.5, j + 0.5) if callable(colour) else colour
                a = min(cover, 1.0) * c[3]
                p = self.px[j * self.w + i]
                for k in range(3):
                    p[k] = c[k] * a + p[k] * (1 - a)
                p[3] = a + p[3] * (1 - a)

    def erase(self, shape):
        """Makes the area of the shape transparent."""
        for j in range(self.h):
            for i in range(self.w):
                cover = min(max(0.5 - shape(i + 0.5, j + 0.5), 0.0), 1.0)
                if cover > 0:
                    p = self.px[j * self.w + i]
                    for k in range(4):
                        p[k] *= 1 - cover

    def put(self, x, y, colour):
        r, g, b, a = colour
        self.px[y * self.w + x] = [r * a, g * a, b * a, a]

    def mask(self, mask, x0, y0, colour):
        """Paints colour through a grey mask (rows of 0..255) placed at x0, y0."""
        for j, row in enumerate(mask):
            for i, m in enumerate(row):
                x, y = x0 + i, y0 + j
                if m and 0 <= x < self.w and 0 <= y < self.h:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    a = m / 255.0 * c[3]
                    p = self.px[y * self.w + x]
                    for k in range(3):
                        p[k] = c[k] * a + p[k] * (1 - a)
                    p[3] = a + p[3] * (1 - a)

    def rgba8(self):
        """Rows top to bottom of (r, g, b, a) bytes, straight alpha."""
        rows = []
        for j in range(self.h):
            row = []
            for i in range(self.w):
                r, g, b, a = self.px[j * self.w + i]
                if a <= 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(int(round(min(max(v / a, 0.0), 1.0) * 255))
                                     for v in (r, g, b)) + (int(round(a * 255)),))
            rows.append(row)
        return rows


# ---------------------------------------------------------------- the motif

OUTLINE = rgb('#1e240e')
BODY_TOP, BODY_BOTTOM = rgb('#8c9c52'), rgb('#46531f')
BODY_SHINE = rgb('#b4c27a')
PANEL = rgb('#23281a')
BEZEL, BEZEL_RIM = rgb('#15170f'), rgb('#8f9a6c')
GLASS_IN, GLASS_OUT = rgb('#5a8cc0'), rgb('#0b1220')
SHINE = rgb('#ffffff', 0.85)
PIR_FILL, PIR_LINE = rgb('#eef1e6'), rgb('#c2c9b0')
SIGNAL = rgb('#f27a12')
CARD, CARD_EDGE = rgb('#2a3f66'), rgb('#0d1526')
CARD_LABEL, CARD_PIN = rgb('#dfe7f2'), rgb('#e0b23a')


# Stroke width, radii and edge sharpness of the signal arcs, per icon size:
# the smaller the icon, the thinner and crisper the arcs, so that they stay
# three separate strokes.
ARCS = {
    48: (2.2, (6.0, 10.5, 15.0), 1.0),
    32: (1.5, (4.2, 7.4, 10.6), 1.5),
    24: (1.15, (2.8, 5.4, 8.0), 2.0),
}


def camera(size, with_card):
    """The camera motif drawn for one icon size (48, 32 or 24 pixels).
    Positions are laid out on a 48 unit grid and rounded to whole pixels,
    so the main edges of every size fall on pixel boundaries."""
    k = size / 48.0

    def p(v):  # a position, on a pixel boundary
        return round(v * k)

    def l(v):  # a length
        return v * k

    c = Canvas(size, size)
    bx0, by0, bx1, by1 = p(4), p(12), p(34), p(46)
    br = max(l(6), 2.0)
    body = rect(bx0, by0, bx1, by1, br)
    c.paint(body, OUTLINE)
    c.paint(inset(body, 1), linear(by0, BODY_TOP, by1, BODY_BOTTOM))
    # a lighter rim along the top edge for a bit of depth
    c.paint(lambda x, y: max(inset(body, 1)(x, y), -inset(body, 2)(x, y), y - (by0 + br)),
            mix(BODY_TOP, BODY_SHINE, 0.7))

    cx = (bx0 + bx1) / 2
    # infrared window
    if size >= 32:
        c.paint(rect(p(10), p(15.5), p(28), p(19.5), l(1.6)), PANEL)
    # lens
    ly = p(28) + (0.5 if size == 24 else 0)
    c.paint(circle(cx, ly, l(7.5)), BEZEL_RIM)
    c.paint(circle(cx, ly, l(7.5) - 1), BEZEL)
    gr = l(4.8)
    c.paint(circle(cx, ly, gr), radial(cx - gr * 0.35, ly - gr * 0.35, gr * 1.5, GLASS_IN, GLASS_OUT))
    c.paint(circle(cx - gr * 0.38, ly - gr * 0.38, max(l(1.4), 0.9)), SHINE)
    # motion sensor window
    px0, py0, px1, py1 = p(12), p(37), p(27), p(43)
    pir = rect(px0, py0, px1, py1, l(2.6))
    c.paint(pir, OUTLINE)
    c.paint(inset(pir, 1), PIR_FILL)
    if size >= 32:
        for f in (0.34, 0.66):
            x = round(px0 + (px1 - px0) * f)
            c.paint(rect(x, py0 + 2, x + 1, py1 - 2), PIR_LINE)

    if with_card:
        x0, y0, x1, y1, cut = p(28), p(26), p(45), p(47), l(5)
        card = cut_corner(rect(x0, y0, x1, y1, l(1.5)), x1, y0, cut)
        c.erase(inset(card, -1.2))
        c.paint(card, CARD_EDGE)
        c.paint(inset(card, 1), CARD)
        pins = max(2, round(l(4)))
        step = (x1 - x0 - cut - 2) / pins
        for n in range(pins):
            px = x0 + 2 + n * step
            c.paint(rect(round(px), y0 + 2, round(px + step) - 1, y0 + 2 + max(round(l(4)), 2)), CARD_PIN)
        c.paint(rect(x0 + 2, p(36), x1 - 2, y1 - 2), CARD_LABEL)
    else:
        # three signal arcs rising from the top right corner of the body
        width, radii, sharpness = ARCS[size]
        ox, oy = bx1 - l(2), by0 + l(5)
        for r in radii:
            c.paint(arc(ox, oy, r, -80, -10, width), SIGNAL, sharpness)
    return c


# The 16 pixel images are drawn pixel by pixel: at this size every pixel is
# a decision, and an outline scaled down from the large motif turns to mush.
PIXEL_PALETTE = {
    '.': (0, 0, 0, 0),
    'o': OUTLINE,
    'A': rgb('#a3b266'),   # lit top rim of the body
    'B': rgb('#7e8e47'),   # body, upper half
    'C': rgb('#5f6d2c'),   # body, lower half
    'k': rgb('#15170f'),   # lens bezel
    'g': rgb('#3c6a9e'),   # lens glass
    'w': rgb('#dceaf8'),   # glint
    'p': PIR_FILL,
    's': SIGNAL,
    'n': CARD,
    'N': CARD_EDGE,
    'y': CARD_PIN,
    'l': CARD_LABEL,
}

WINDOW_16 = [
    '...........sss..',
    '..............s.',
    '...........ss..s',
    '.............s.s',
    '..........ss.s.s',
    '.ooooooooo.s....',
    'oAAAAAAAAAo.....',
    'oBBBkkkBBBo.....',
    'oBBkwggkBBo.....',
    'oBBkgggkBBo.....',
    'oCCkgggkCCo.....',
    'oCCCkkkCCCo.....',
    'oCCCCCCCCCo.....',
    'oCCpppppCCo.....',
    'oCCCCCCCCCo.....',
    '.ooooooooo......',
]

PROGRAM_16 = [
    '................',
    '................',
    '................',
    '.ooooooooo......',
    'oAAAAAAAAAo.....',
    'oBBkkkkkBBo.....',
    'oBBBBBBBBBo.....',
    'oBBBkkkBBBo.....',
    'oBBkwggkBNNNNN..',
    'oBBkgggkBNynynN.',
    'oCCkgggkCNynynN.',
    'oCCCkkkCCNnnnnN.',
    'oCCCCCCCCNllllN.',
    'oCCpppppCNllllN.',
    'oCCCCCCCCNnnnnN.',
    '.ooooooooNNNNNN.',
]


def pixel_art(rows):
    c = Canvas(16, 16)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            c.put(x, y, PIXEL_PALETTE[ch])
    return c


# ---------------------------------------------------------------- the logo

def read_pgm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maxval
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b'P5' or fields[3] != b'255':
        raise SystemExit('make-art: unexpected PGM from convert')
    w, h = int(fields[1]), int(fields[2])
    pix = data[pos + 1:pos + 1 + w * h]
    return [list(pix[j * w:(j + 1) * w]) for j in range(h)]


def ink_width(mask):
    return max((i + 1 for row in mask for i, m in enumerate(row) if m), default=0)


def logo():
    """The banner of the main window. The window shows only its left 340
    columns on the dialog grey, so the panel fades into that grey towards
    the right and nothing important lies beyond column 330."""
    w, h = 360, 52
    grey, white = rgb('#f0f0f0'), rgb('#ffffff')
    c = Canvas(w, h, grey)
    c.paint(rect(0, 0, w, h), lambda x, y: mix(mix(white, rgb('#f6f7f2'), y / h), grey, (x - 190) / 150))
    # accent rule along the bottom: olive into signal orange, then into the grey
    olive = rgb('#5d6b2c')
    c.paint(rect(0, h - 2, w, h),
            lambda x, y: mix(mix(olive, SIGNAL, (x - 60) / 200), grey, (x - 270) / 70))
    # the camera
    icon = camera(48, False).rgba8()
    c.mask([[px[3] for px in row] for row in icon], 5, 1,
           lambda x, y: tuple(v / 255.0 for v in icon[int(y) - 1][int(x) - 5][:3]) + (1.0,))
    # lettering, with "3G" in the signal colour
    title = read_pgm(os.path.join(tmp_dir, 'title.pgm'))
    lead = ink_width(read_pgm(os.path.join(tmp_dir, 'lead.pgm')))
    tagline = read_pgm(os.path.join(tmp_dir, 'tagline.pgm'))
    tx = 62
    ink = rgb('#34401a')
    c.mask(title, tx, 3, lambda x, y: SIGNAL if x < tx + lead + 1 else ink)
    c.mask(tagline, tx + 1, 32, rgb('#6b7262'))
    return c


# ---------------------------------------------------------------- files

def ico_bytes(images):
    """An .ico file holding the given canvases as 32-bit BGRA bitmaps."""
    head = struct.pack('<HHH', 0, 1, len(images))
    blobs = []
    for c in images:
        rows = c.rgba8()
        xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
        stride = (c.w + 31) // 32 * 4
        and_mask = b''
        for row in reversed(rows):
            bits = bytearray(stride)
            for i, px in enumerate(row):
                if px[3] == 0:
                    bits[i // 8] |= 0x80 >> (i % 8)
            and_mask += bytes(bits)
        info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h * 2, 1, 32, 0,
                           len(xor) + len(and_mask), 0, 0, 0, 0)
        blobs.append(info + xor + and_mask)
    offset = len(head) + 16 * len(images)
    entries = b''
    for c, blob in zip(images, blobs):
        entries += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return head + entries + b''.join(blobs)


def bmp24_bytes(c):
    rows = c.rgba8()
    stride = (c.w * 3 + 3) // 4 * 4
    pixels = b''
    for row in reversed(rows):
        line = b''.join(bytes((b, g, r)) for (r, g, b, a) in row)
        pixels += line + b'\0' * (stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def png_bytes(rows):
    h, w = len(rows), len(rows[0])
    raw = b''.join(b'\0' + b''.join(bytes(px) for px in row) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def on_grey(rows, scale):
    """The image laid on the dialog grey, each pixel blown up to scale x scale."""
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            t = a / 255.0
            px = tuple(int(round(v * t + 240 * (1 - t))) for v in (r, g, b)) + (255,)
            line.extend([px] * scale)
        out.extend([line] * scale)
    return out


def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


window = [camera(48, False), camera(32, False), camera(24, False), pixel_art(WINDOW_16)]
program = [camera(48, True), camera(32, True), camera(24, True), pixel_art(PROGRAM_16)]
banner = logo()

write(os.path.join(out_dir, 'window.ico'), ico_bytes(window))
write(os.path.join(out_dir, 'program.ico'), ico_bytes(program))
write(os.path.join(out_dir, 'logo.bmp'), bmp24_bytes(banner))

if preview_dir:
    os.makedirs(preview_dir, exist_ok=True)
    for name, images in (('window', window), ('program', program)):
        for c in images:
            rows = c.rgba8()
            write(os.path.join(preview_dir, '%s-%d.png' % (name, c.w)), png_bytes(rows))
            write(os.path.join(preview_dir, '%s-%d-big.png' % (name, c.w)),
                  png_bytes(on_grey(rows, 192 // c.w)))
    rows = banner.rgba8()
    write(os.path.join(preview_dir, 'logo.png'), png_bytes(rows))
    write(os.path.join(preview_dir, 'logo-big.png'), png_bytes(on_grey(rows, 2)))
PYTHON
