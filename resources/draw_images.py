#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the pictures of translit.dll and translit-host.exe with Pillow:
python3 resources/draw_images.py [OUTDIR] (default: resources/images).

The pictures are geometry.  Pillow fills the shapes into masks at several
samples per pixel, composites colours through them, filters the result down,
reduces the banner to 216 colours with dithering and encodes BMP, DIB and PNG;
this script only lays out the ICO directory and the icons' AND masks."""

import io
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw

# ---- Colours (components in 0..1) and paint functions of (x, y) ------------

def rgb(hexcode, alpha=1.0):
    return tuple(int(hexcode[k:k + 2], 16) / 255.0 for k in (1, 3, 5)) + (alpha,)

def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))

def clamp01(v):
    return min(1.0, max(0.0, v))

def to8(colour):
    return tuple(int(round(clamp01(v) * 255.0)) for v in colour)

def linear_gradient(p0, c0, p1, c1):
    """c0 at point p0 to c1 at point p1, flat beyond."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    def paint(x, y):
        return mix(c0, c1, clamp01(((x - p0[0]) * dx + (y - p0[1]) * dy) / (dx * dx + dy * dy)))
    return paint

# ---- Canvas and masks -------------------------------------------------------

class Canvas:
    """`size` pixels at `ss` x `ss` samples each; `units` span the width if given."""
    def __init__(self, size, ss, units=None):
        self.size, self.k = size, ss * (size[0] / units if units else 1.0)  # k: samples per unit
        self.im = Image.new('RGBA', (size[0] * ss, size[1] * ss))
    def mask(self):
        return Mask(self)
    def paint(self, mask, paint):
        """Composites a colour or a paint function over the canvas through `mask`."""
        box = mask.im.getbbox()
        if box is None:
            return
        layer = Image.new('RGBA', self.im.size, None if callable(paint) else to8(paint))
        if callable(paint):
            part = Image.new('RGBA', (box[2] - box[0], box[3] - box[1]))
            part.putdata([to8(paint((i + 0.5) / self.k, (j + 0.5) / self.k))
                          for j in range(box[1], box[3]) for i in range(box[0], box[2])])
            layer.paste(part, box[:2])
        layer.putalpha(ImageChops.multiply(layer.getchannel('A'), mask.im))
        self.im.alpha_composite(layer)
    def image(self):
        """The picture at its final size (Pillow filters RGBA premultiplied)."""
        return self.im.resize(self.size, Image.Resampling.BOX)

class Mask:
    """Coverage of the canvas's samples by shapes in units, united."""
    def __init__(self, canvas, im=None):
        self.c, self.im = canvas, im if im is not None else Image.new('L', canvas.im.size)
        self.draw = ImageDraw.Draw(self.im)
    def poly(self, pts):
        self.draw.polygon([(x * self.c.k - 0.5, y * self.c.k - 0.5) for x, y in pts], fill=255)
        return self
    def box(self, x0, y0, x1, y1):
        """Pillow's inclusive box of the samples inside (x0, y0)-(x1, y1)."""
        return [round(v * self.c.k) - d for v, d in ((x0, 0), (y0, 0), (x1, 1), (y1, 1))]
    def rect(self, x0, y0, x1, y1):
        box = self.box(x0, y0, x1, y1)
        if box[2] >= box[0] and box[3] >= box[1]:
            self.draw.rectangle(box, fill=255)
        return self
    def ellipse(self, cx, cy, rx, ry):
        self.draw.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=255)
        return self
    def round_rect(self, x0, y0, x1, y1, r):
        self.draw.rounded_rectangle(self.box(x0, y0, x1, y1), round(r * self.c.k), fill=255)
        return self
    def stroke(self, pts, width, caps='round'):
        """A polyline of the given width, round joins, round or butt caps."""
        h = width / 2.0
        for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
            d = math.hypot(xb - xa, yb - ya) or 1.0
            nx, ny = -(yb - ya) / d * h, (xb - xa) / d * h
            self.poly([(xa + nx, ya + ny), (xb + nx, yb + ny), (xb - nx, yb - ny), (xa - nx, ya - ny)])
        for x, y in pts[1:-1] if caps == 'butt' else pts:
            self.ellipse(x, y, h, h)
        return self
    def art(self, rows, x0, y0):
        """Pixel art: every character other than '.' is one filled pixel."""
        for j, row in enumerate(rows):
            for i in (i for i, ch in enumerate(row) if ch != '.'):
                self.rect(x0 + i, y0 + j, x0 + i + 1, y0 + j + 1)
        return self
    def __and__(self, other):
        return Mask(self.c, ImageChops.darker(self.im, other.im))

def bezier(p0, p1, p2, p3, steps):
    return [tuple((1 - t)**3 * a + 3 * (1 - t)**2 * t * b + 3 * (1 - t) * t * t * c + t**3 * d
                  for a, b, c, d in zip(p0, p1, p2, p3)) for t in (n / steps for n in range(steps + 1))]

def arrow_head(tip, direction, length, half_width):
    """A triangle with its tip at `tip`, pointing along `direction`."""
    d = math.hypot(*direction)
    ux, uy = direction[0] / d, direction[1] / d
    bx, by = tip[0] - ux * length, tip[1] - uy * length
    return [tip, (bx - uy * half_width, by + ux * half_width), (bx + uy * half_width, by - ux * half_width)]

def offset_path(pts, dist):
    """Shifts a polyline sideways (to the left of its direction)."""
    def shift(x, y, a, b):
        d = math.hypot(b[0] - a[0], b[1] - a[1]) or 1.0
        return (x + (b[1] - a[1]) / d * dist, y - (b[0] - a[0]) / d * dist)
    return [shift(x, y, pts[max(0, n - 1)], pts[min(len(pts) - 1, n + 1)]) for n, (x, y) in enumerate(pts)]

# ---- The pictures -----------------------------------------------------------

BLUE = rgb('#5b9cf0'), rgb('#1f5bc4'), rgb('#163f8c')  # top, bottom, edge
GREEN = rgb('#63c35a'), rgb('#26902f'), rgb('#1a6221')
ORANGE = rgb('#ffb347'), rgb('#f07a10'), rgb('#a84e00')
RED = rgb('#f26a5a'), rgb('#cc2418'), rgb('#8a130b')
WHITE, WOOD, WOOD_END = rgb('#ffffff'), rgb('#d09a5c'), rgb('#e8c088')
YA_5x7 = ['.XXXX', 'X...X', 'X...X', '.XXXX', '..X.X', '.X..X', 'X...X']
R_5x7 = ['XXXX.', 'X...X', 'X...X', 'XXXX.', 'X.X..', 'X..X.', 'X...X']
YA_4x5 = ['.XXX', 'X..X', '.XXX', '.X.X', 'X..X']
R_4x5 = ['XXX.', 'X..X', 'XXX.', 'X.X.', 'X..X']

def gradient(colours, y0, y1):
    """The top colour at y0 to the bottom one at y1."""
    return linear_gradient((0, y0), colours[0], (0, y1), colours[1])

def glyph_r(m, x0, y0, w, h, s, mirror=False):
    """A capital R in the box (x0, y0, w, h), stroke s; mirrored it is Я."""
    hb = round(h * 0.56)  # the bowl's height; rb: the outer radius of its curve
    rb, lx, k = hb / 2.0, w * 0.38, s * 1.25  # lx, k: where the leg starts, its width
    arc = [math.radians(-90 + 180.0 * n / 32) for n in range(33)]
    bowl = [(w - rb + r * math.cos(a), rb + r * math.sin(a)) for r, angles in ((rb, arc), (rb - s, arc[::-1]))
            for a in angles]
    for p in ([(0, 0), (s, 0), (s, h), (0, h)], [(0, 0), (w - rb, 0), (w - rb, s), (0, s)],
              [(0, hb - s), (w - rb, hb - s), (w - rb, hb), (0, hb)], bowl,
              [(lx, hb - s * 0.5), (lx + k, hb - s * 0.5), (w, h), (w - k, h)]):
        m.poly([(x0 + (w - x if mirror else x), y0 + y) for x, y in p])
    return m

def tile(c, x0, y0, x1, y1, r, colours):
    """A rounded tile with a darker rim and a vertical gradient."""
    c.paint(c.mask().round_rect(x0, y0, x1, y1, r), colours[2])
    c.paint(c.mask().round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0.5, r - 1)), gradient(colours, y0 + 1, y1 - 1))

def draw_action():
    """16 px: a blue tile with Я, a green tile with R, an arrow between."""
    c = Canvas((16, 16), 16)
    tile(c, 0, 0, 9, 9, 1.5, BLUE)
    c.paint(c.mask().art(YA_5x7, 2, 1), WHITE)
    tile(c, 7, 7, 16, 16, 1.5, GREEN)
    c.paint(c.mask().art(R_5x7, 9, 8), WHITE)
    c.paint(c.mask().art(['XXX...', 'XXXXX.', '...XX.', '..XXXX', '...XX.'], 10, 1), gradient(ORANGE, 1, 6))
    c.paint(c.mask().rect(13, 1, 14, 2), mix(ORANGE[0], (1, 1, 1, 0), 0.55))
    return c.image()

def draw_button0():
    """16 px: a small text window whose line reads Я › R."""
    c = Canvas((16, 16), 16)
    c.paint(c.mask().round_rect(0, 1, 16, 15, 1.0), rgb('#4a5f80'))
    c.paint(c.mask().rect(1, 2, 15, 4), gradient((rgb('#6aa2ec'), rgb('#2a63c8')), 2, 4))
    c.paint(c.mask().rect(1, 4, 15, 14), gradient((WHITE, rgb('#eef2f7')), 4, 14))
    c.paint(c.mask().art(YA_4x5, 2, 5), BLUE[1])
    c.paint(c.mask().art(['X.', '.X', 'X.'], 7, 6), ORANGE[1])
    c.paint(c.mask().art(R_4x5, 10, 5), GREEN[2])
    c.paint(c.mask().rect(2, 11, 14, 12), rgb('#a9b3c2'))
    c.paint(c.mask().rect(2, 12, 14, 13), rgb('#dde2ea'))
    return c.image()

def fat_arrow(c, path, tip, direction, width, colours, y0, y1):
    """A thick arrow along `path` ending in a head at `tip`."""
    head_len, head_w, d = width * 1.8, width * 1.35, math.hypot(*direction)
    out = c.mask().stroke(path, width + 1.4, caps='butt')
    c.paint(out.poly(arrow_head(tip, direction, head_len + 1.6, head_w + 1.2)), colours[2])
    inner_tip = (tip[0] - direction[0] / d * 1.1, tip[1] - direction[1] / d * 1.1)
    body = c.mask().stroke(path, width, caps='butt').poly(arrow_head(inner_tip, direction, head_len, head_w))
    c.paint(body, gradient(colours, y0, y1))
    c.paint(c.mask().stroke(offset_path(path[2:-2], width * 0.22), width * 0.22), (1, 1, 1, 0.35))

def draw_main_icon(size):
    """32 units: two letter tiles with soft shadows, a curved arrow between."""
    c = Canvas((size, size), max(4, 256 // size), units=32)
    for x0, colours, mirror in ((1, BLUE, True), (13, GREEN, False)):
        for k, a in ((2.0, 0.06), (1.2, 0.08), (0.5, 0.10)):  # the shadow
            c.paint(c.mask().round_rect(x0 - k + 1, x0 - k + 1.5, x0 + 18 + k + 1, x0 + 18 + k + 1.5, 3 + k),
                    (0, 0, 0, a))
        tile(c, x0, x0, x0 + 18, x0 + 18, 3, colours)
        c.paint(glyph_r(c.mask(), x0 + 4, x0 + 3, 10, 12, 2, mirror), WHITE)
    path = bezier((19.0, 5.5), (23.8, 4.0), (26.6, 6.0), (26.5, 9.8), 40)
    fat_arrow(c, path, (26.5, 15.4), (0, 1), 2.8, ORANGE, 3, 16)
    return c.image()

def draw_ok():
    """16 px: a green check mark."""
    c = Canvas((16, 16), 16)
    path = [(2.6, 8.6), (6.2, 12.0), (13.4, 3.6)]
    c.paint(c.mask().stroke(path, 4.0), GREEN[2])
    c.paint(c.mask().stroke(path, 2.3), gradient(GREEN, 3, 13))
    return c.image()

def draw_cancel():
    """16 px: a red cross."""
    c = Canvas((16, 16), 16)
    a, b = 3.8, 12.2
    for width, paint in ((4.2, RED[2]), (2.5, gradient(RED, 3, 13))):
        c.paint(c.mask().stroke([(a, a), (b, b)], width).stroke([(b, a), (a, b)], width), paint)
    return c.image()

def draw_info():
    """16 px: a blue round badge with a white question mark."""
    c = Canvas((16, 16), 16)
    c.paint(c.mask().ellipse(8, 8, 7.6, 7.6), BLUE[2])
    c.paint(c.mask().ellipse(8, 8, 6.6, 6.6), gradient(BLUE, 1.5, 14.5))
    c.paint(c.mask().ellipse(8, 4.6, 4.6, 2.8) & c.mask().ellipse(8, 8, 6.2, 6.2), (1, 1, 1, 0.18))
    hook = [(8 + 2.3 * math.cos(a), 5.4 + 2.3 * math.sin(a))
            for a in (math.radians(200 + 205.0 * n / 24) for n in range(25))] + [(8.0, 8.4), (8.0, 9.8)]
    q = c.mask().stroke(hook, 2.0, caps='butt').ellipse(*hook[0], 1.0, 1.0)
    c.paint(q.round_rect(7, 11, 9, 13, 0.4), WHITE)
    return c.image()

def wood_noise(x, y):
    """Deterministic smooth value noise in 0..1."""
    def h(ix, iy):
        n = (ix * 374761393 + iy * 668265263) & 0xffffffff
        n = ((n ^ (n >> 13)) * 1274126177) & 0xffffffff
        return ((n ^ (n >> 16)) & 0xffff) / 65535.0
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = ((v - i) ** 2 * (3 - 2 * (v - i)) for v, i in ((x, ix), (y, iy)))
    a, b = (h(ix, j) + (h(ix + 1, j) - h(ix, j)) * fx for j in (iy, iy + 1))
    return a + (b - a) * fy

def wood(base, shade, seed):
    """Boards running horizontally."""
    light = tuple(clamp01(v * 1.06 * shade) for v in base[:3]) + (1.0,)
    dark = tuple(v * 0.78 * shade for v in base[:3]) + (1.0,)
    def paint(x, y):
        g = 0.5 + 0.5 * math.sin((y * 2.3 + wood_noise(x * 0.12 + seed, y * 1.7 + seed * 3.1) * 3.0 + seed) * 2.2)
        return mix(light, dark, 0.25 + 0.5 * g * g)
    return paint

def crate(c, x0, y0, w, h, dx, dy, seed):
    """An open crate, front face (x0, y0, w, h), depth (dx, dy) up and right;
    returns a function that draws the front walls after what goes inside."""
    x1, y1, dark = x0 + w, y0 + h, (0.3, 0.17, 0.07)
    for k, a in ((3.0, 0.05), (1.8, 0.07), (0.8, 0.09)):  # the shadow on the ground
        c.paint(c.mask().poly([(x0 - k + 1, y1 - 1), (x1 + k + 1, y1 - 1), (x1 + dx + k + 1, y1 - dy + k * 0.3),
                               (x1 + dx + k + 2, y1 + k * 0.6), (x0 + k * 0.5, y1 + k * 0.9)]),
                (0.25, 0.2, 0.15, a))
    # inside: the back wall and floor seen through the opening, the walls' top edges
    c.paint(c.mask().poly([(x0, y0), (x1, y0), (x1 + dx, y0 - dy), (x0 + dx, y0 - dy)]),
            gradient((rgb('#9a6a3a'), rgb('#3e2714')), y0 - dy, y0))
    c.paint(c.mask().poly([(x0, y0), (x0 + dx, y0 - dy), (x0 + dx, y0 - dy + 5), (x0 + 1.4, y0)]),
            (0.15, 0.08, 0.02, 0.35))
    back = [(x0, y0 - 0.4), (x0 + dx, y0 - dy - 0.4), (x1 + dx, y0 - dy - 0.4)]
    c.paint(c.mask().stroke(back, 1.2), WOOD_END)
    c.paint(c.mask().stroke(offset_path(back, 0.6), 0.6), (0.28, 0.16, 0.06, 0.8))
    def front():
        c.paint(c.mask().poly([(x1, y0), (x1 + dx, y0 - dy), (x1 + dx, y1 - dy), (x1, y1)]),
                wood(WOOD, 0.72, seed + 7.0))
        seam, side_seam = c.mask(), c.mask()
        for yy in (y0 + h / 3.0, y0 + h * 2 / 3.0):
            side_seam.poly([(x1, yy - 0.35), (x1 + dx, yy - dy - 0.35), (x1 + dx, yy - dy + 0.35), (x1, yy + 0.35)])
            seam.rect(x0, yy - 0.35, x1, yy + 0.35)
        c.paint(side_seam, (0.25, 0.14, 0.06, 0.55))
        # the front face: three boards between two upright battens, and a brace
        c.paint(c.mask().rect(x0, y0, x1, y1), wood(WOOD, 1.0, seed))
        c.paint(seam, dark + (0.7,))
        bw = 3.2
        for bx, edge in ((x0, x0 + bw - 0.5), (x1 - bw, x1 - bw)):
            c.paint(c.mask().rect(bx, y0, bx + bw, y1), wood(rgb('#c48a4c'), 0.95, seed + bx))
            c.paint(c.mask().rect(edge, y0, edge + 0.5, y1), dark + (0.45,))
        between, line = c.mask().rect(x0 + bw, y0, x1 - bw, y1), [(x0 + bw, y1 - 1.8), (x1 - bw, y0 + 1.8)]
        c.paint(c.mask().stroke(line, 2.6, caps='butt') & between, dark + (0.5,))
        c.paint(c.mask().stroke(line, 1.8, caps='butt') & between, wood(rgb('#c89050'), 0.98, seed + 3.3))
        # the end grain on top of the front and side walls, and the outline
        rim = c.mask().rect(x0, y0 - 0.9, x1, y0 + 0.3)
        c.paint(rim.poly([(x1, y0 + 0.3), (x1 + dx, y0 - dy + 0.3), (x1 + dx, y0 - dy - 0.9), (x1, y0 - 0.9)]),
                WOOD_END)
        outline = c.mask().stroke([(x0, y1), (x0, y0 - 0.4), (x1, y0 - 0.4)], 0.6)
        outline.stroke([(x1, y1), (x1, y0 - 0.4), (x1 + dx, y0 - dy - 0.4), (x1 + dx, y1 - dy), (x1, y1), (x0, y1)], 0.6)
        c.paint(outline, (0.28, 0.16, 0.06, 0.8))
    return front

def draw_banner():
    """100 x 50: white fading to grey, two open crates; an orange arrow leaves
    the left one to the left, a green one the right one to the upper right."""
    c = Canvas((100, 50), 8)
    def background(x, y):
        t = clamp01((x - 12.0) / 88.0)
        v = 1.0 - (1.0 - 0xe3 / 255.0) * t * t * (3.0 - 2.0 * t)
        return (v, v, v, 1.0)
    c.paint(c.mask().rect(0, 0, 100, 50), background)
    left_front, right_front = crate(c, 24, 29, 24, 16, 7, 5, 1.3), crate(c, 60, 29, 24, 16, 7, 5, 5.9)
    path = bezier((37.5, 30.0), (37.0, 12.0), (20.0, 7.0), (11.0, 16.5), 48)
    fat_arrow(c, path, (6.5, 24.5), (-0.55, 1.0), 3.6, ORANGE, 6, 28)
    left_front()
    path = bezier((73.0, 30.0), (72.5, 19.0), (80.0, 12.0), (88.5, 9.0), 48)
    fat_arrow(c, path, (96.0, 5.8), (1.0, -0.45), 3.6, GREEN, 3, 30)
    right_front()
    return c.image()

# ---- Colour reduction and files ---------------------------------------------

# The toolbar and action bitmaps are drawn on the classic button face; their
# bottom-left pixel is always this colour, so a host that keys transparency
# on that pixel sees only the picture.
FACE = (0xd4, 0xd0, 0xc8)

def encode(im, fmt):
    im.save(buf := io.BytesIO(), fmt)
    return buf.getvalue()

def flatten(im, background):
    return Image.alpha_composite(Image.new('RGBA', im.size, background + (255,)), im).convert('RGB')

def exact_bmp(im):
    """8 bits per pixel, the palette exactly the colours of the 16 x 16 picture."""
    flat = flatten(im, FACE)
    colours = sorted(colour for _, colour in flat.getcolors(256))
    out = Image.new('P', flat.size)
    out.putdata([colours.index(colour) for colour in flat.getdata()])
    out.putpalette([v for colour in colours for v in colour])
    return encode(out, 'BMP')

def banner_bmp(im):
    """216 colours: white and 215 by median cut, Floyd-Steinberg dithering."""
    flat = flatten(im, (255, 255, 255))
    palette = [255, 255, 255] + flat.quantize(215, method=Image.Quantize.MEDIANCUT).getpalette()[:215 * 3]
    holder = Image.new('P', (1, 1))
    holder.putpalette(palette)
    out = flat.quantize(palette=holder, dither=Image.Dither.FLOYDSTEINBERG)
    out.putpalette(palette)  # the file's palette: exactly these entries
    assert len(palette) == 216 * 3 and max(out.getdata()) < 216, 'not 216 colours'
    return encode(out, 'BMP')

def ico(frames):
    """An icon file of (RGBA image, bits per pixel) frames: 256-pixel images
    as PNG, smaller ones as a DIB of twice the height followed by the 1-bit
    AND mask (rows bottom-up, padded to 32 bits, 1 where transparent)."""
    entries, blobs, offset = [], [], 6 + 16 * len(frames)
    for im, bits in frames:
        w, h = im.size
        clear = im.getchannel('A').point(lambda a: 0 if a else 255)
        if w >= 256:
            data = encode(im, 'PNG')
        else:
            clean = Image.composite(Image.new('RGBA', im.size), im, clear)
            dib = encode(clean if bits == 32 else clean.convert('RGB'), 'DIB')
            mask = clear.convert('1', dither=Image.Dither.NONE).tobytes('raw', ('1', (w + 31) // 32 * 4, -1))
            data = dib[:8] + struct.pack('<i', 2 * h) + dib[12:] + mask
        entries.append(struct.pack('<BBBBHHII', w & 255, h & 255, 0, 0, 1, bits, len(data), offset))
        blobs.append(data)
        offset += len(data)
    return struct.pack('<HHH', 0, 1, len(frames)) + b''.join(entries + blobs)

def ico24(im):
    """24 bits: pixels at least half covered are opaque, on the button face."""
    flat = flatten(im, FACE).convert('RGBA')
    flat.putalpha(im.getchannel('A').point(lambda a: 255 if a >= 128 else 0))
    return ico([(flat, 24)])

def build():
    """The files by name; MAINICON's 16 px image is the crisp pixel-art ACTION."""
    action, button0 = draw_action(), draw_button0()
    return {
        'ACTION.bmp': exact_bmp(action), 'BUTTON0.bmp': exact_bmp(button0),
        'ACTION.ico': ico24(action), 'BUTTON0.ico': ico24(button0),
        'MAINICON.ico': ico([(action, 32)] + [(draw_main_icon(size), 32) for size in (24, 32, 48, 256)]),
        'OPTBG.bmp': banner_bmp(draw_banner()),
        'BTNOK.ico': ico([(draw_ok(), 32)]),
        'BTNCANCEL.ico': ico([(draw_cancel(), 32)]),
        'BTNINFO.ico': ico([(draw_info(), 32)]),
    }

def main(argv):
    if len(argv) > 2 or any(a.startswith('-') for a in argv[1:]):
        sys.exit('usage: draw_images.py [OUTDIR]')
    outdir = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), 'images')
    os.makedirs(outdir, exist_ok=True)
    for name, data in build().items():
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)
        print('wrote %s (%d bytes)' % (name, len(data)))

if __name__ == '__main__':
    main(sys.argv)
