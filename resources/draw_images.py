#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws every picture of translit.dll and writes it as BMP or ICO.

    python3 resources/draw_images.py [OUTDIR]        write the images
    python3 resources/draw_images.py --check [DIR]   re-read and verify them

OUTDIR defaults to resources/images next to this script.

Everything is drawn here from geometry: a small scanline rasteriser fills
polygons into coverage masks at a multiple of the final resolution, paints
them (flat colours or colour functions) into a premultiplied RGBA canvas, and
a box filter brings the canvas down to the final size.  The 8-bit banner gets
its own 216-colour palette and error-diffusion dithering.  Only the Python
standard library is used and the output is byte-for-byte repeatable.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------


def rgb(hexcode, alpha=1.0):
    """'#RRGGBB' -> (r, g, b, a) with components in 0..1."""
    h = hexcode.lstrip('#')
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0,
            int(h[4:6], 16) / 255.0, alpha)


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def linear_gradient(p0, c0, p1, c1):
    """Paint function: c0 at point p0 to c1 at point p1, flat beyond."""
    dx, dy = p1[0] - p0[0], p1[1] - p0[1]
    d2 = dx * dx + dy * dy

    def paint(x, y):
        t = clamp01(((x - p0[0]) * dx + (y - p0[1]) * dy) / d2)
        return mix(c0, c1, t)
    return paint


# ---------------------------------------------------------------------------
# Rasteriser
# ---------------------------------------------------------------------------


class Canvas:
    """Premultiplied RGBA samples at `ss` x `ss` samples per final pixel."""

    def __init__(self, width, height, ss):
        self.width, self.height, self.ss = width, height, ss
        self.sw, self.sh = width * ss, height * ss
        n = self.sw * self.sh
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n

    def mask(self):
        return Mask(self)

    def paint(self, mask, paint):
        """Composites `paint` (a colour or a function of x, y in final pixel
        units) over the canvas wherever `mask` is set."""
        if mask.bbox is None:
            return
        x0, y0, x1, y1 = mask.bbox
        sw, inv = self.sw, 1.0 / self.ss
        bits = mask.bits
        R, G, B, A = self.r, self.g, self.b, self.a
        flat = not callable(paint)
        if flat:
            cr, cg, cb, ca = paint
        for j in range(y0, y1):
            row = j * sw
            y = (j + 0.5) * inv
            i = bits.find(1, row + x0, row + x1)
            while i >= 0:
                if not flat:
                    cr, cg, cb, ca = paint((i - row + 0.5) * inv, y)
                if ca > 0.0:
                    k = 1.0 - ca
                    R[i] = cr * ca + R[i] * k
                    G[i] = cg * ca + G[i] * k
                    B[i] = cb * ca + B[i] * k
                    A[i] = ca + A[i] * k
                i = bits.find(1, i + 1, row + x1)

    def pixels(self):
        """Box-filters the samples down; returns rows of straight (r, g, b, a)
        tuples in 0..1, top row first."""
        ss, sw = self.ss, self.sw
        norm = 1.0 / (ss * ss)
        out = []
        for py in range(self.height):
            line = []
            for px in range(self.width):
                sr = sg = sb = sa = 0.0
                for j in range(py * ss, py * ss + ss):
                    base = j * sw + px * ss
                    sr += sum(self.r[base:base + ss])
                    sg += sum(self.g[base:base + ss])
                    sb += sum(self.b[base:base + ss])
                    sa += sum(self.a[base:base + ss])
                a = sa * norm
                if a <= 1e-9:
                    line.append((0.0, 0.0, 0.0, 0.0))
                else:
                    line.append((clamp01(sr * norm / a), clamp01(sg * norm / a),
                                 clamp01(sb * norm / a), clamp01(a)))
            out.append(line)
        return out


class Mask:
    """One byte per sample: 1 inside the shape.  Shapes added to a mask are
    united, so a shape built from several pieces is painted exactly once."""

    def __init__(self, canvas):
        self.canvas = canvas
        self.bits = bytearray(canvas.sw * canvas.sh)
        self.bbox = None

    def _grow(self, x0, y0, x1, y1):
        if self.bbox is None:
            self.bbox = (x0, y0, x1, y1)
        else:
            b = self.bbox
            self.bbox = (min(b[0], x0), min(b[1], y0),
                         max(b[2], x1), max(b[3], y1))

    # -- primitives (coordinates in final pixels; (0, 0) is the top-left
    #    corner of the top-left pixel) --

    def poly(self, pts):
        """Fills a closed polygon, non-zero winding rule."""
        c = self.canvas
        s = c.ss
        P = [(x * s, y * s) for x, y in pts]
        edges = []
        for k in range(len(P)):
            (xa, ya), (xb, yb) = P[k], P[(k + 1) % len(P)]
            if ya == yb:
                continue
            if ya < yb:
                edges.append((ya, yb, xa, (xb - xa) / (yb - ya), 1))
            else:
                edges.append((yb, ya, xb, (xa - xb) / (ya - yb), -1))
        if not edges:
            return self
        ymin = min(e[0] for e in edges)
        ymax = max(e[1] for e in edges)
        j0 = max(0, int(math.ceil(ymin - 0.5)))
        j1 = min(c.sh, int(math.ceil(ymax - 0.5)))
        bits, sw = self.bits, c.sw
        bx0, bx1 = sw, 0
        for j in range(j0, j1):
            y = j + 0.5
            xs = []
            for e in edges:
                if e[0] <= y < e[1]:
                    xs.append((e[2] + (y - e[0]) * e[3], e[4]))
            if not xs:
                continue
            xs.sort()
            wind = 0
            start = 0.0
            for x, d in xs:
                before = wind
                wind += d
                if before == 0 and wind != 0:
                    start = x
                elif before != 0 and wind == 0:
                    i0 = max(0, int(math.ceil(start - 0.5)))
                    i1 = min(sw, int(math.ceil(x - 0.5)))
                    if i1 > i0:
                        bits[j * sw + i0:j * sw + i1] = b'\x01' * (i1 - i0)
                        bx0, bx1 = min(bx0, i0), max(bx1, i1)
        if bx1 > bx0:
            self._grow(bx0, j0, bx1, j1)
        return self

    def rect(self, x0, y0, x1, y1):
        return self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def ellipse(self, cx, cy, rx, ry, steps=None):
        if steps is None:
            steps = max(24, int(4 * (rx + ry) * self.canvas.ss ** 0.5))
        return self.poly([(cx + rx * math.cos(2 * math.pi * k / steps),
                           cy + ry * math.sin(2 * math.pi * k / steps))
                          for k in range(steps)])

    def circle(self, cx, cy, r):
        return self.ellipse(cx, cy, r, r)

    def round_rect(self, x0, y0, x1, y1, r):
        pts = []
        n = 10
        for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
                           (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
            for k in range(n + 1):
                a = math.radians(a0 + 90.0 * k / n)
                pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        return self.poly(pts)

    def arc_band(self, cx, cy, r_out, r_in, deg0, deg1, steps=40):
        """Part of a ring between two angles (degrees, y pointing down)."""
        outer, inner = [], []
        for k in range(steps + 1):
            a = math.radians(deg0 + (deg1 - deg0) * k / steps)
            outer.append((cx + r_out * math.cos(a), cy + r_out * math.sin(a)))
            inner.append((cx + r_in * math.cos(a), cy + r_in * math.sin(a)))
        return self.poly(outer + inner[::-1])

    def stroke(self, pts, width, caps='round'):
        """A polyline of the given width, round joins, round or butt caps."""
        h = width / 2.0
        for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
            dx, dy = xb - xa, yb - ya
            d = math.hypot(dx, dy)
            if d == 0:
                continue
            nx, ny = -dy / d * h, dx / d * h
            self.poly([(xa + nx, ya + ny), (xb + nx, yb + ny),
                       (xb - nx, yb - ny), (xa - nx, ya - ny)])
        inner = pts[1:-1] if caps == 'butt' else pts
        for x, y in inner:
            self.circle(x, y, h)
        return self

    def art(self, rows, x0, y0, cell=1.0):
        """Pixel art: every non-blank, non-'.' character is one filled cell."""
        for j, row in enumerate(rows):
            i = 0
            while i < len(row):
                if row[i] in '. ':
                    i += 1
                    continue
                k = i
                while k < len(row) and row[k] not in '. ':
                    k += 1
                self.rect(x0 + i * cell, y0 + j * cell,
                          x0 + k * cell, y0 + (j + 1) * cell)
                i = k
        return self

    # -- set operations --

    def _combine(self, other, op):
        n = len(self.bits)
        a = int.from_bytes(self.bits, 'big')
        b = int.from_bytes(other.bits, 'big')
        m = Mask(self.canvas)
        m.bits = bytearray(op(a, b, n).to_bytes(n, 'big'))
        boxes = [bb for bb in (self.bbox, other.bbox) if bb is not None]
        if boxes:
            m.bbox = (min(bb[0] for bb in boxes), min(bb[1] for bb in boxes),
                      max(bb[2] for bb in boxes), max(bb[3] for bb in boxes))
        return m

    def __or__(self, other):
        return self._combine(other, lambda a, b, n: a | b)

    def __and__(self, other):
        return self._combine(other, lambda a, b, n: a & b)

    def __sub__(self, other):
        ones = int.from_bytes(b'\x01' * len(self.bits), 'big')
        return self._combine(other, lambda a, b, n: a & (ones ^ b))


def bezier(p0, p1, p2, p3, steps=32):
    pts = []
    for k in range(steps + 1):
        t = k / steps
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0]
                    + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1]
                    + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def arrow_head(tip, direction, length, half_width):
    """Triangle with its tip at `tip`, pointing along `direction`."""
    dx, dy = direction
    d = math.hypot(dx, dy)
    ux, uy = dx / d, dy / d
    bx, by = tip[0] - ux * length, tip[1] - uy * length
    return [tip, (bx - uy * half_width, by + ux * half_width),
            (bx + uy * half_width, by - ux * half_width)]


def offset_path(pts, dist):
    """Shifts a polyline sideways (to the left of its direction)."""
    out = []
    for k, (x, y) in enumerate(pts):
        a = pts[max(0, k - 1)]
        b = pts[min(len(pts) - 1, k + 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1.0
        out.append((x + dy / d * dist, y - dx / d * dist))
    return out


# ---------------------------------------------------------------------------
# Letter shapes at larger sizes (the 16-pixel pictures use pixel art)
# ---------------------------------------------------------------------------


def glyph_r(m, x0, y0, w, h, s, mirror=False):
    """A sans-serif capital R in the box (x0, y0, w, h) with stroke s;
    mirrored it is the Cyrillic Ya."""
    hb = round(h * 0.56)             # height of the bowl
    rb = hb / 2.0                     # outer radius of the bowl's curve
    parts = []
    parts.append([(0, 0), (s, 0), (s, h), (0, h)])                    # stem
    parts.append([(0, 0), (w - rb, 0), (w - rb, s), (0, s)])          # top
    parts.append([(0, hb - s), (w - rb, hb - s), (w - rb, hb), (0, hb)])
    arc_o, arc_i = [], []
    for k in range(33):
        a = math.radians(-90 + 180.0 * k / 32)
        arc_o.append((w - rb + rb * math.cos(a), rb + rb * math.sin(a)))
        arc_i.append((w - rb + (rb - s) * math.cos(a),
                       rb + (rb - s) * math.sin(a)))
    parts.append(arc_o + arc_i[::-1])                                   # bowl
    lx = w * 0.38                                                       # leg
    k = s * 1.25
    parts.append([(lx, hb - s * 0.5), (lx + k, hb - s * 0.5),
                  (w, h), (w - k, h)])
    for p in parts:
        if mirror:
            p = [(w - x, y) for x, y in p]
        m.poly([(x0 + x, y0 + y) for x, y in p])
    return m


# ---------------------------------------------------------------------------
# The pictures.  Each returns rows of straight RGBA tuples (0..1).
# ---------------------------------------------------------------------------

BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE = rgb('#5b9cf0'), rgb('#1f5bc4'), rgb('#163f8c')
GREEN_TOP, GREEN_BOTTOM, GREEN_EDGE = (rgb('#63c35a'), rgb('#26902f'),
                                       rgb('#1a6221'))
ORANGE_TOP, ORANGE_BOTTOM, ORANGE_EDGE = (rgb('#ffb347'), rgb('#f07a10'),
                                          rgb('#a84e00'))
RED_TOP, RED_BOTTOM, RED_EDGE = rgb('#f26a5a'), rgb('#cc2418'), rgb('#8a130b')
WHITE = rgb('#ffffff')

YA_5x7 = ['.XXXX',
          'X...X',
          'X...X',
          '.XXXX',
          '..X.X',
          '.X..X',
          'X...X']

R_5x7 = ['XXXX.',
         'X...X',
         'X...X',
         'XXXX.',
         'X.X..',
         'X..X.',
         'X...X']

YA_4x5 = ['.XXX',
          'X..X',
          '.XXX',
          '.X.X',
          'X..X']

R_4x5 = ['XXX.',
         'X..X',
         'XXX.',
         'X.X.',
         'X..X']


def tile(c, x0, y0, x1, y1, r, top, bottom, edge):
    """A rounded tile with a darker rim and a vertical gradient."""
    c.paint(c.mask().round_rect(x0, y0, x1, y1, r), edge)
    c.paint(c.mask().round_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0.5, r - 1)),
            linear_gradient((0, y0 + 1), top, (0, y1 - 1), bottom))


def draw_action():
    """16 px: a blue tile with Я, a green tile with R, an arrow between."""
    c = Canvas(16, 16, 16)
    tile(c, 0, 0, 9, 9, 1.5, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE)
    c.paint(c.mask().art(YA_5x7, 2, 1), WHITE)
    tile(c, 7, 7, 16, 16, 1.5, GREEN_TOP, GREEN_BOTTOM, GREEN_EDGE)
    c.paint(c.mask().art(R_5x7, 9, 8), WHITE)
    arrow = ['XXX...',
             'XXXXX.',
             '...XX.',
             '..XXXX',
             '...XX.']
    c.paint(c.mask().art(arrow, 10, 1),
            linear_gradient((0, 1), ORANGE_TOP, (0, 6), ORANGE_BOTTOM))
    c.paint(c.mask().rect(13, 1, 14, 2), mix(ORANGE_TOP, (1, 1, 1, 0), 0.55))
    return c.pixels()


def draw_button0():
    """16 px: a small text window whose line reads Я › R."""
    c = Canvas(16, 16, 16)
    c.paint(c.mask().round_rect(0, 1, 16, 15, 1.0), rgb('#4a5f80'))
    c.paint(c.mask().rect(1, 2, 15, 4),
            linear_gradient((0, 2), rgb('#6aa2ec'), (0, 4), rgb('#2a63c8')))
    c.paint(c.mask().rect(1, 4, 15, 14),
            linear_gradient((0, 4), rgb('#ffffff'), (0, 14), rgb('#eef2f7')))
    c.paint(c.mask().art(YA_4x5, 2, 5), BLUE_BOTTOM)
    c.paint(c.mask().art(['X.', '.X', 'X.'], 7, 6), ORANGE_BOTTOM)
    c.paint(c.mask().art(R_4x5, 10, 5), GREEN_EDGE)
    c.paint(c.mask().rect(2, 11, 14, 12), rgb('#a9b3c2'))
    c.paint(c.mask().rect(2, 12, 14, 13), rgb('#dde2ea'))
    return c.pixels()


def draw_main_icon():
    """32 px: the two letter tiles with a bold curved arrow and soft shadows."""
    c = Canvas(32, 32, 8)

    def shadow(x0, y0, x1, y1, r):
        for k, a in ((2.0, 0.06), (1.2, 0.08), (0.5, 0.10)):
            c.paint(c.mask().round_rect(x0 - k + 1, y0 - k + 1.5,
                                        x1 + k + 1, y1 + k + 1.5, r + k),
                    (0, 0, 0, a))

    shadow(1, 1, 19, 19, 3)
    tile(c, 1, 1, 19, 19, 3, BLUE_TOP, BLUE_BOTTOM, BLUE_EDGE)
    c.paint(glyph_r(c.mask(), 5, 4, 10, 12, 2, mirror=True), WHITE)

    shadow(13, 13, 31, 31, 3)
    tile(c, 13, 13, 31, 31, 3, GREEN_TOP, GREEN_BOTTOM, GREEN_EDGE)
    c.paint(glyph_r(c.mask(), 17, 16, 10, 12, 2), WHITE)

    path = bezier((19.0, 5.5), (23.8, 4.0), (26.6, 6.0), (26.5, 9.8), 40)
    fat_arrow(c, path, (26.5, 15.4), (0, 1), 2.8,
              ORANGE_TOP, ORANGE_BOTTOM, ORANGE_EDGE, ((0, 3), (0, 16)))
    return c.pixels()


def draw_ok():
    """16 px: a green check mark."""
    c = Canvas(16, 16, 16)
    path = [(2.6, 8.6), (6.2, 12.0), (13.4, 3.6)]
    c.paint(c.mask().stroke(path, 4.0), GREEN_EDGE)
    c.paint(c.mask().stroke(path, 2.3),
            linear_gradient((0, 3), GREEN_TOP, (0, 13), GREEN_BOTTOM))
    return c.pixels()


def draw_cancel():
    """16 px: a red cross."""
    c = Canvas(16, 16, 16)
    a, b = 3.8, 12.2
    outer = c.mask().stroke([(a, a), (b, b)], 4.2).stroke([(b, a), (a, b)], 4.2)
    c.paint(outer, RED_EDGE)
    inner = c.mask().stroke([(a, a), (b, b)], 2.5).stroke([(b, a), (a, b)], 2.5)
    c.paint(inner, linear_gradient((0, 3), RED_TOP, (0, 13), RED_BOTTOM))
    return c.pixels()


def draw_info():
    """16 px: a blue round badge with a white question mark."""
    c = Canvas(16, 16, 16)
    c.paint(c.mask().circle(8, 8, 7.6), BLUE_EDGE)
    c.paint(c.mask().circle(8, 8, 6.6),
            linear_gradient((0, 1.5), BLUE_TOP, (0, 14.5), BLUE_BOTTOM))
    c.paint(c.mask().ellipse(8, 4.6, 4.6, 2.8) & c.mask().circle(8, 8, 6.2),
            (1, 1, 1, 0.18))
    hook = []
    for k in range(25):
        a = math.radians(200 + 205.0 * k / 24)
        hook.append((8 + 2.3 * math.cos(a), 5.4 + 2.3 * math.sin(a)))
    hook += [(8.0, 8.4), (8.0, 9.8)]
    q = c.mask().stroke(hook, 2.0, caps='butt')
    q.circle(hook[0][0], hook[0][1], 1.0)
    q.round_rect(7, 11, 9, 13, 0.4)
    c.paint(q, WHITE)
    return c.pixels()


def wood_noise(x, y):
    """Deterministic smooth noise in 0..1 (hash-based value noise)."""
    def h(ix, iy):
        n = (ix * 374761393 + iy * 668265263) & 0xffffffff
        n = ((n ^ (n >> 13)) * 1274126177) & 0xffffffff
        return ((n ^ (n >> 16)) & 0xffff) / 65535.0
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a = h(ix, iy) + (h(ix + 1, iy) - h(ix, iy)) * fx
    b = h(ix, iy + 1) + (h(ix + 1, iy + 1) - h(ix, iy + 1)) * fx
    return a + (b - a) * fy


def wood(base, shade, seed):
    """Paint function for boards running horizontally."""
    light = tuple(clamp01(v * 1.06 * shade) for v in base[:3]) + (1.0,)
    dark = tuple(v * 0.78 * shade for v in base[:3]) + (1.0,)

    def paint(x, y):
        n = wood_noise(x * 0.12 + seed, y * 1.7 + seed * 3.1)
        g = 0.5 + 0.5 * math.sin((y * 2.3 + n * 3.0 + seed) * 2.2)
        return mix(light, dark, 0.25 + 0.5 * g * g)
    return paint


WOOD = rgb('#d09a5c')
WOOD_END = rgb('#e8c088')
SEAM = rgb('#6e4522')


def crate(c, x0, y0, w, h, dx, dy, seed):
    """Draws an open crate whose front face is (x0, y0, w, h); the depth
    goes up and to the right by (dx, dy).  Returns a function that draws the
    front walls, so something can be placed inside first."""
    x1, y1 = x0 + w, y0 + h
    # shadow on the ground
    for k, a in ((3.0, 0.05), (1.8, 0.07), (0.8, 0.09)):
        c.paint(c.mask().poly([(x0 - k + 1, y1 - 1), (x1 + k + 1, y1 - 1),
                               (x1 + dx + k + 1, y1 - dy + k * 0.3),
                               (x1 + dx + k + 2, y1 + k * 0.6),
                               (x0 + k * 0.5, y1 + k * 0.9)]),
                (0.25, 0.2, 0.15, a))
    # inside: back wall and floor seen through the opening
    opening = [(x0, y0), (x1, y0), (x1 + dx, y0 - dy), (x0 + dx, y0 - dy)]
    c.paint(c.mask().poly(opening),
            linear_gradient((0, y0 - dy), rgb('#9a6a3a'), (0, y0), rgb('#3e2714')))
    t = 1.4
    left_inner = [(x0, y0), (x0 + dx, y0 - dy), (x0 + dx, y0 - dy + 5),
                  (x0 + t, y0)]
    c.paint(c.mask().poly(left_inner), (0.15, 0.08, 0.02, 0.35))
    # the top edges of the back and left walls
    back = [(x0, y0 - 0.4), (x0 + dx, y0 - dy - 0.4), (x1 + dx, y0 - dy - 0.4)]
    c.paint(c.mask().stroke(back, 1.2), WOOD_END)
    c.paint(c.mask().stroke(offset_path(back, 0.6), 0.6),
            (0.28, 0.16, 0.06, 0.8))

    def front():
        # right side face
        side = [(x1, y0), (x1 + dx, y0 - dy), (x1 + dx, y1 - dy), (x1, y1)]
        c.paint(c.mask().poly(side), wood(WOOD, 0.72, seed + 7.0))
        sseam = c.mask()
        for k in (1, 2):
            yy = y0 + h * k / 3.0
            sseam.poly([(x1, yy - 0.35), (x1 + dx, yy - dy - 0.35),
                        (x1 + dx, yy - dy + 0.35), (x1, yy + 0.35)])
        c.paint(sseam, (0.25, 0.14, 0.06, 0.55))
        # front face: three boards between two upright battens
        c.paint(c.mask().rect(x0, y0, x1, y1), wood(WOOD, 1.0, seed))
        seam = c.mask()
        for k in (1, 2):
            yy = y0 + h * k / 3.0
            seam.rect(x0, yy - 0.35, x1, yy + 0.35)
        c.paint(seam, (0.3, 0.17, 0.07, 0.7))
        bw = 3.2
        for bx in (x0, x1 - bw):
            c.paint(c.mask().rect(bx, y0, bx + bw, y1),
                    wood(rgb('#c48a4c'), 0.95, seed + bx))
            c.paint(c.mask().rect(bx + bw - 0.5 if bx == x0 else bx,
                                  y0, bx + bw if bx == x0 else bx + 0.5, y1),
                    (0.3, 0.17, 0.07, 0.45))
        # a diagonal brace between the battens
        brace = c.mask().stroke([(x0 + bw, y1 - 1.8), (x1 - bw, y0 + 1.8)], 2.6,
                                caps='butt')
        brace = brace & c.mask().rect(x0 + bw, y0, x1 - bw, y1)
        c.paint(brace, (0.3, 0.17, 0.07, 0.5))
        brace_in = c.mask().stroke([(x0 + bw, y1 - 1.8), (x1 - bw, y0 + 1.8)],
                                   1.8, caps='butt')
        brace_in = brace_in & c.mask().rect(x0 + bw, y0, x1 - bw, y1)
        c.paint(brace_in, wood(rgb('#c89050'), 0.98, seed + 3.3))
        # rims: the end grain on top of the front and side walls
        rim = c.mask().rect(x0, y0 - 0.9, x1, y0 + 0.3)
        rim.poly([(x1, y0 + 0.3), (x1 + dx, y0 - dy + 0.3),
                  (x1 + dx, y0 - dy - 0.9), (x1, y0 - 0.9)])
        c.paint(rim, WOOD_END)
        outline = c.mask()
        outline.stroke([(x0, y1), (x0, y0 - 0.4), (x1, y0 - 0.4)], 0.6)
        outline.stroke([(x1, y1), (x1, y0 - 0.4), (x1 + dx, y0 - dy - 0.4),
                        (x1 + dx, y1 - dy), (x1, y1), (x0, y1)], 0.6)
        c.paint(outline, (0.28, 0.16, 0.06, 0.8))
    return front


def fat_arrow(c, path, tip, direction, width, top, bottom, edge, bounds):
    """A thick arrow along `path` ending in a head at `tip`."""
    head_len, head_w = width * 1.8, width * 1.35
    out = c.mask().stroke(path, width + 1.4, caps='butt')
    out.poly(arrow_head(tip, direction, head_len + 1.6, head_w + 1.2))
    c.paint(out, edge)
    dx, dy = direction
    d = math.hypot(dx, dy)
    inner_tip = (tip[0] - dx / d * 1.1, tip[1] - dy / d * 1.1)
    body = c.mask().stroke(path, width, caps='butt')
    body.poly(arrow_head(inner_tip, direction, head_len, head_w))
    c.paint(body, linear_gradient(bounds[0], top, bounds[1], bottom))
    hl = c.mask().stroke(offset_path(path[2:-2], width * 0.22), width * 0.22,
                         caps='round')
    c.paint(hl, (1, 1, 1, 0.35))


def draw_banner():
    """100 x 50: white fading to light grey, two open crates; an orange arrow
    leaves the left crate towards the left, a green one rises out of the
    right crate towards the upper right."""
    c = Canvas(100, 50, 8)
    grey = 0xe3 / 255.0

    def background(x, y):
        t = smoothstep(12.0, 100.0, x)
        v = 1.0 - (1.0 - grey) * t
        return (v, v, v, 1.0)
    c.paint(c.mask().rect(0, 0, 100, 50), background)

    left_front = crate(c, 24, 29, 24, 16, 7, 5, 1.3)
    right_front = crate(c, 60, 29, 24, 16, 7, 5, 5.9)

    # orange: up out of the left crate, over and down to the left
    path = bezier((37.5, 30.0), (37.0, 12.0), (20.0, 7.0), (11.0, 16.5), 48)
    fat_arrow(c, path, (6.5, 24.5), (-0.55, 1.0), 3.6,
              ORANGE_TOP, ORANGE_BOTTOM, ORANGE_EDGE, ((0, 6), (0, 28)))
    left_front()

    # green: up out of the right crate and away to the upper right
    path = bezier((73.0, 30.0), (72.5, 19.0), (80.0, 12.0), (88.5, 9.0), 48)
    fat_arrow(c, path, (96.0, 5.8), (1.0, -0.45), 3.6,
              GREEN_TOP, GREEN_BOTTOM, GREEN_EDGE, ((0, 3), (0, 30)))
    right_front()
    return c.pixels()


# ---------------------------------------------------------------------------
# Colour reduction
# ---------------------------------------------------------------------------


def to_bytes(v):
    return int(round(clamp01(v) * 255.0))


def flatten(pixels, bg):
    """Composites straight RGBA rows over an opaque colour (bytes 0..255)."""
    out = []
    for row in pixels:
        line = []
        for r, g, b, a in row:
            line.append(tuple(to_bytes(cv * a + bv / 255.0 * (1 - a))
                              for cv, bv in zip((r, g, b), bg)))
        out.append(line)
    return out


def exact_palette(rows):
    """Palette of the exact colours (a 16 x 16 picture has at most 256)."""
    palette, index = [], {}
    out = []
    for row in rows:
        line = []
        for col in row:
            if col not in index:
                index[col] = len(palette)
                palette.append(col)
            line.append(index[col])
        out.append(line)
    if len(palette) > 256:
        raise ValueError('more than 256 colours')
    return palette, out


def median_cut(counts, n):
    """Splits the colour population into at most n boxes; returns their
    weighted means."""
    boxes = [sorted(counts.items())]

    def error(box):
        tot = sum(w for _, w in box)
        if len(box) < 2:
            return 0.0
        e = 0.0
        for ch in range(3):
            m = sum(c[ch] * w for c, w in box) / tot
            e += sum((c[ch] - m) ** 2 * w for c, w in box)
        return e

    errs = [error(boxes[0])]
    while len(boxes) < n:
        k = max(range(len(boxes)), key=lambda i: (errs[i], -i))
        if errs[k] <= 0.0:
            break
        box = boxes[k]
        tot = sum(w for _, w in box)
        spread = []
        for ch in range(3):
            m = sum(c[ch] * w for c, w in box) / tot
            spread.append(sum((c[ch] - m) ** 2 * w for c, w in box))
        ch = max(range(3), key=lambda i: (spread[i], -i))
        box = sorted(box, key=lambda cw: (cw[0][ch], cw[0]))
        acc, cut = 0, 1
        for i, (_, w) in enumerate(box):
            acc += w
            if acc * 2 >= tot:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        a, b = box[:cut], box[cut:]
        boxes[k:k + 1] = [a, b]
        errs[k:k + 1] = [error(a), error(b)]
    means = []
    for box in boxes:
        tot = sum(w for _, w in box)
        means.append(tuple(int(round(sum(c[ch] * w for c, w in box) / tot))
                           for ch in range(3)))
    return means


def nearest(palette, col, cache):
    key = (int(col[0]), int(col[1]), int(col[2]))
    hit = cache.get(key)
    if hit is not None:
        return hit
    r, g, b = col
    best, bi = None, 0
    for i, (pr, pg, pb) in enumerate(palette):
        d = (pr - r) ** 2 * 3 + (pg - g) ** 2 * 4 + (pb - b) ** 2 * 2
        if best is None or d < best:
            best, bi = d, i
    cache[key] = bi
    return bi


def reduce_216(rows):
    """216-colour palette fitted to the picture (pure white always present),
    then serpentine Floyd-Steinberg dithering.  Pixels that are exactly white
    stay white and take no error, so white areas come out clean."""
    white = (255, 255, 255)
    counts = {}
    for row in rows:
        for col in row:
            if col != white:
                counts[col] = counts.get(col, 0) + 1
    pal = [white]
    for col in median_cut(counts, 215):
        if col not in pal:
            pal.append(col)
    # refine with a few rounds of k-means (white stays fixed)
    for _ in range(4):
        cache = {}
        sums = [[0, 0, 0, 0] for _ in pal]
        for col, w in sorted(counts.items()):
            i = nearest(pal, col, cache)
            s = sums[i]
            s[0] += col[0] * w
            s[1] += col[1] * w
            s[2] += col[2] * w
            s[3] += w
        new = [white]
        for i, s in enumerate(sums):
            if i == 0:
                continue
            col = pal[i] if s[3] == 0 else tuple(int(round(s[ch] / s[3]))
                                                  for ch in range(3))
            if col not in new:
                new.append(col)
        pal = new
    # fill up to exactly 216 with colours of the web-safe cube
    for r in range(0, 256, 51):
        for g in range(0, 256, 51):
            for b in range(0, 256, 51):
                if len(pal) >= 216:
                    break
                if (r, g, b) not in pal:
                    pal.append((r, g, b))
    assert len(pal) == 216
    h, w = len(rows), len(rows[0])
    err = [[[0.0, 0.0, 0.0] for _ in range(w + 2)] for _ in range(h + 1)]
    out = [[0] * w for _ in range(h)]
    cache = {}
    for y in range(h):
        xs = range(w) if y % 2 == 0 else range(w - 1, -1, -1)
        step = 1 if y % 2 == 0 else -1
        for x in xs:
            src = rows[y][x]
            if src == white:
                out[y][x] = 0
                continue
            e = err[y][x + 1]
            col = tuple(min(255.0, max(0.0, src[ch] + e[ch])) for ch in range(3))
            i = nearest(pal, col, cache)
            out[y][x] = i
            q = [col[ch] - pal[i][ch] for ch in range(3)]
            for dx, dy, f in ((step, 0, 7), (-step, 1, 3), (0, 1, 5),
                              (step, 1, 1)):
                t = err[y + dy][x + dx + 1]
                for ch in range(3):
                    t[ch] += q[ch] * f / 16.0
    return pal, out


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------


def bmp8(palette, indices, clr_used=None):
    """Uncompressed bottom-up 8-bit BMP with a BITMAPINFOHEADER."""
    h, w = len(indices), len(indices[0])
    stride = (w + 3) & ~3
    if clr_used is None:
        clr_used = len(palette)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    data = b''.join(bytes(row) + b'\0' * (stride - w) for row in reversed(indices))
    off = 14 + 40 + len(pal)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(data),
                       2835, 2835, clr_used, 0)
    head = struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off)
    return head + info + pal + data


def and_mask(opaque):
    """1-bit AND mask rows (bottom-up, 32-bit aligned); 1 = transparent."""
    w = len(opaque[0])
    stride = ((w + 31) // 32) * 4
    out = b''
    for row in reversed(opaque):
        bits = bytearray(stride)
        for x, o in enumerate(row):
            if not o:
                bits[x >> 3] |= 0x80 >> (x & 7)
        out += bytes(bits)
    return out


def ico(width, height, bpp, xor, mask):
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bpp, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', width & 0xff, height & 0xff, 0, 0, 1, bpp,
                        len(image), 6 + 16)
    return head + entry + image


def ico24(pixels, matte=(0xd4, 0xd0, 0xc8), threshold=0.5):
    """24-bit icon: pixels at least half covered are opaque (edges blended
    with a neutral face colour), the rest transparent and black."""
    h, w = len(pixels), len(pixels[0])
    opaque = [[p[3] >= threshold for p in row] for row in pixels]
    flat = flatten(pixels, matte)
    xor = b''
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b = flat[y][x] if opaque[y][x] else (0, 0, 0)
            xor += bytes((b, g, r))
    return ico(w, h, 24, xor, and_mask(opaque))


def ico32(pixels):
    """32-bit icon with straight alpha and a matching AND mask."""
    h, w = len(pixels), len(pixels[0])
    xor = b''
    opaque = []
    for y in range(h):
        line = []
        for r, g, b, a in pixels[y]:
            line.append(to_bytes(a) > 0)
        opaque.append(line)
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = pixels[y][x]
            A = to_bytes(a)
            if A == 0:
                xor += b'\0\0\0\0'
            else:
                xor += bytes((to_bytes(b), to_bytes(g), to_bytes(r), A))
    return ico(w, h, 32, xor, and_mask(opaque))


# The toolbar and action bitmaps are drawn on the classic button face; their
# bottom-left pixel is always this colour, so a host that keys transparency
# on that pixel sees only the picture.
FACE = (0xd4, 0xd0, 0xc8)


def small_bmp(pixels):
    rows = flatten(pixels, FACE)
    return bmp8(*exact_palette(rows))


def build(outdir):
    os.makedirs(outdir, exist_ok=True)
    action = draw_action()
    button0 = draw_button0()
    files = {
        'ACTION.bmp': small_bmp(action),
        'BUTTON0.bmp': small_bmp(button0),
        'ACTION.ico': ico24(action),
        'BUTTON0.ico': ico24(button0),
        'MAINICON.ico': ico32(draw_main_icon()),
        'OPTBG.bmp': bmp8(*reduce_216(flatten(draw_banner(), (255, 255, 255)))),
        'BTNOK.ico': ico32(draw_ok()),
        'BTNCANCEL.ico': ico32(draw_cancel()),
        'BTNINFO.ico': ico32(draw_info()),
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)
        print('wrote %s (%d bytes)' % (os.path.join(outdir, name), len(data)))


# ---------------------------------------------------------------------------
# Self-check: re-reads the files from disk
# ---------------------------------------------------------------------------

# name: (kind, width, height, bits per pixel, colours in the palette or None)
EXPECTED = {
    'ACTION.bmp': ('bmp', 16, 16, 8, None),
    'BUTTON0.bmp': ('bmp', 16, 16, 8, None),
    'OPTBG.bmp': ('bmp', 100, 50, 8, 216),
    'ACTION.ico': ('ico', 16, 16, 24, None),
    'BUTTON0.ico': ('ico', 16, 16, 24, None),
    'MAINICON.ico': ('ico', 32, 32, 32, None),
    'BTNOK.ico': ('ico', 16, 16, 32, None),
    'BTNCANCEL.ico': ('ico', 16, 16, 32, None),
    'BTNINFO.ico': ('ico', 16, 16, 32, None),
}


class Bad(Exception):
    pass


def need(cond, msg):
    if not cond:
        raise Bad(msg)


def check_bmp(data, w, h, bpp, colours):
    need(len(data) >= 54, 'too short for a bitmap')
    magic, size, _, _, off = struct.unpack_from('<2sIHHI', data, 0)
    need(magic == b'BM', 'no BM signature')
    need(size == len(data), 'file size field %d, file is %d' % (size, len(data)))
    (bsize, bw, bh, planes, bits, comp, simg, _, _, used,
     important) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    need(bsize == 40, 'header size %d, not a BITMAPINFOHEADER' % bsize)
    need((bw, bh) == (w, h), 'size %dx%d, expected %dx%d (bottom-up)'
         % (bw, bh, w, h))
    need(planes == 1, 'planes %d' % planes)
    need(bits == bpp, '%d bits per pixel, expected %d' % (bits, bpp))
    need(comp == 0, 'compressed (method %d)' % comp)
    n = used if used else 1 << bits
    need(1 <= n <= 256, 'palette of %d colours' % n)
    if colours is not None:
        need(used == colours, 'palette of %d colours, expected %d'
             % (used, colours))
    need(important <= n, 'biClrImportant %d beyond the palette' % important)
    need(off == 14 + 40 + 4 * n, 'pixel data at %d, expected %d'
         % (off, 14 + 40 + 4 * n))
    stride = (w * bits + 31) // 32 * 4
    need(len(data) - off == stride * h, 'pixel data %d bytes, expected %d'
         % (len(data) - off, stride * h))
    need(simg in (0, stride * h), 'biSizeImage %d' % simg)
    pal = [tuple(data[54 + 4 * i:54 + 4 * i + 3][::-1]) for i in range(n)]
    rows = []
    for y in range(h):                       # y = 0 is the bottom row
        start = off + y * stride
        rows.append(data[start:start + w])
    need(max(max(r) for r in rows) < n, 'pixel refers beyond the palette')
    rows.reverse()
    return pal, rows


def check_ico(data, w, h, bpp):
    need(len(data) >= 22 + 40, 'too short for an icon')
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    need(reserved == 0 and kind == 1, 'not an icon file (%d, %d)'
         % (reserved, kind))
    need(count == 1, '%d images, expected exactly one' % count)
    ew, eh, ncol, res, planes, bits, nbytes, off = struct.unpack_from(
        '<BBBBHHII', data, 6)
    need((ew, eh) == (w & 0xff, h & 0xff), 'directory says %dx%d' % (ew, eh))
    need(bits == bpp, 'directory says %d bits per pixel' % bits)
    need(planes in (0, 1) and ncol == 0 and res == 0, 'odd directory entry')
    need(off == 22 and off + nbytes == len(data),
         'image at %d, %d bytes; file is %d' % (off, nbytes, len(data)))
    need(data[off:off + 8] != b'\x89PNG\r\n\x1a\n', 'PNG-compressed image')
    (bsize, bw, bh, planes, bits, comp, _, _, _, _,
     _) = struct.unpack_from('<IiiHHIIiiII', data, off)
    need(bsize == 40, 'image header size %d' % bsize)
    need((bw, bh) == (w, 2 * h), 'image header says %dx%d' % (bw, bh))
    need(planes == 1 and bits == bpp and comp == 0,
         'image header: planes %d, %d bits, compression %d'
         % (planes, bits, comp))
    xstride = (w * bpp + 31) // 32 * 4
    mstride = (w + 31) // 32 * 4
    xor_at = off + 40
    mask_at = xor_at + xstride * h
    need(mask_at + mstride * h == len(data),
         'XOR and AND data take %d bytes, image has %d'
         % (xstride * h + mstride * h, len(data) - xor_at))
    pixels, transparent = [], []
    for y in range(h - 1, -1, -1):
        row = data[xor_at + y * xstride:xor_at + y * xstride + xstride]
        step = bpp // 8
        pixels.append([tuple(row[x * step:x * step + step]) for x in range(w)])
        m = data[mask_at + y * mstride:mask_at + (y + 1) * mstride]
        transparent.append([bool(m[x >> 3] & (0x80 >> (x & 7)))
                            for x in range(w)])
    flat_t = [t for row in transparent for t in row]
    need(not all(flat_t), 'AND mask hides every pixel')
    need(any(flat_t), 'AND mask hides nothing, the icon would be a square')
    for y in range(h):
        for x in range(w):
            p, t = pixels[y][x], transparent[y][x]
            if bpp == 32:
                need(t == (p[3] == 0), 'pixel (%d, %d): alpha %d but mask %d'
                     % (x, y, p[3], t))
            if t:
                need(not any(p), 'pixel (%d, %d) is transparent but not black'
                     % (x, y))
    if bpp == 32:
        alphas = {p[3] for row in pixels for p in row}
        need(alphas != {0}, 'alpha is 0 everywhere')
        need(alphas != {255}, 'alpha is 255 everywhere')
        need(len(alphas) > 2, 'alpha has no soft edges')
    return pixels, transparent


def check(outdir):
    failures = 0
    for name, (kind, w, h, bpp, colours) in EXPECTED.items():
        path = os.path.join(outdir, name)
        try:
            need(os.path.isfile(path), 'missing')
            with open(path, 'rb') as f:
                data = f.read()
            if kind == 'bmp':
                pal, rows = check_bmp(data, w, h, bpp, colours)
                if name == 'OPTBG.bmp':
                    edge = {pal[rows[y][0]] for y in range(h)}
                    need(edge == {(255, 255, 255)},
                         'left edge is not pure white: %s' % sorted(edge))
                    need(len({i for r in rows for i in r}) > 64,
                         'uses too few colours for a dithered picture')
                else:
                    used = {pal[i] for r in rows for i in r}
                    need(len(used) > 4, 'only %d colours used' % len(used))
                detail = '%dx%d, %d bpp, %d palette entries' % (w, h, bpp,
                                                                len(pal))
            else:
                pixels, transparent = check_ico(data, w, h, bpp)
                n_t = sum(t for row in transparent for t in row)
                detail = '%dx%d, %d bpp, 1 image, %d of %d pixels masked' % (
                    w, h, bpp, n_t, w * h)
            print('ok    %-14s %s' % (name, detail))
        except (Bad, struct.error) as e:
            failures += 1
            print('FAIL  %-14s %s' % (name, e))
    # The host may key transparency of the small bitmaps on their bottom-left
    # pixel: that colour must only occur where the matching icon is clear.
    for base in ('ACTION', 'BUTTON0'):
        try:
            with open(os.path.join(outdir, base + '.bmp'), 'rb') as f:
                pal, rows = check_bmp(f.read(), 16, 16, 8, None)
            with open(os.path.join(outdir, base + '.ico'), 'rb') as f:
                _, transparent = check_ico(f.read(), 16, 16, 24)
            key = pal[rows[15][0]]
            for y in range(16):
                for x in range(16):
                    need(pal[rows[y][x]] != key or transparent[y][x],
                         'key colour %s inside the picture at (%d, %d)'
                         % (key, x, y))
            need(transparent[15][0], 'bottom-left pixel is not background')
            print('ok    %-14s background key %02X%02X%02X only outside the '
                  'picture' % (base + '.bmp', key[0], key[1], key[2]))
        except (Bad, OSError, struct.error) as e:
            failures += 1
            print('FAIL  %-14s %s' % (base + '.bmp', e))
    extra = sorted(set(os.listdir(outdir)) - set(EXPECTED)) if os.path.isdir(
        outdir) else []
    for name in extra:
        print('note  %-14s not one of the drawn images' % name)
    print('%d files checked, %d failed' % (len(EXPECTED), failures))
    return failures == 0


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    args = argv[1:]
    checking = '--check' in args
    args = [a for a in args if a != '--check']
    if len(args) > 1 or any(a.startswith('-') for a in args):
        print('usage: draw_images.py [--check] [DIR]', file=sys.stderr)
        return 2
    outdir = args[0] if args else os.path.join(here, 'images')
    if checking:
        return 0 if check(outdir) else 1
    build(outdir)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
