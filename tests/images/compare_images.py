#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Redraws the pictures with resources/draw_images.py into OUTDIR and compares
them with the committed files: the same file names, and in every file the
same images with the same sizes, colour depths, palette sizes and pixels.

    compare_images.py OUTDIR [COMMITTED_DIR]   (default: resources/images)

Prints one line per difference and exits 1 if there is any."""

import io
import os
import shutil
import struct
import subprocess
import sys

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')


def bmp_images(data):
    """[(description, pixels)] of a BMP file: its one image."""
    width, height, _, bits, _, _, _, _, colours = struct.unpack_from('<iiHHIIiiI', data, 18)
    pixels = Image.open(io.BytesIO(data)).convert('RGB').tobytes()
    return [('%dx%d, %d bits, %d colours' % (width, height, bits, colours), pixels)]


def ico_images(data):
    """[(description, pixels)] of an ICO file, one per image in its directory:
    a PNG image by its decoded RGBA pixels, a DIB by its header, XOR and AND data."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if (reserved, kind) != (0, 1):
        return [('not an icon file', b'')]
    images = []
    for n in range(count):
        width, height, _, _, _, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * n)
        image = data[offset:offset + size]
        if image.startswith(b'\x89PNG'):
            png = Image.open(io.BytesIO(image))
            what, pixels = 'PNG %dx%d %s' % (png.width, png.height, png.mode), png.convert('RGBA').tobytes()
        else:
            dib_w, dib_h, _, dib_bits = struct.unpack_from('<iiHH', image, 4)
            what, pixels = 'DIB %dx%d/2, %d bits' % (dib_w, dib_h, dib_bits), image[40:]
        images.append(('%dx%d, %d bits, %s' % (width or 256, height or 256, bits, what), pixels))
    return images


def compare(drawn_dir, committed_dir):
    differences = []
    drawn, committed = set(os.listdir(drawn_dir)), set(os.listdir(committed_dir))
    for name in sorted(drawn ^ committed):
        differences.append('%s: only %s' % (name, 'drawn' if name in drawn else 'committed'))
    for name in sorted(drawn & committed):
        read = bmp_images if name.endswith('.bmp') else ico_images
        with open(os.path.join(drawn_dir, name), 'rb') as a, open(os.path.join(committed_dir, name), 'rb') as b:
            new, old = read(a.read()), read(b.read())
        if len(new) != len(old):
            differences.append('%s: %d images drawn, %d committed' % (name, len(new), len(old)))
        for n, ((new_what, new_pixels), (old_what, old_pixels)) in enumerate(zip(new, old)):
            if new_what != old_what:
                differences.append('%s image %d: drawn %s, committed %s' % (name, n, new_what, old_what))
            elif new_pixels != old_pixels:
                changed = sum(x != y for x, y in zip(new_pixels, old_pixels))
                differences.append('%s image %d (%s): %d of %d bytes of pixels differ'
                                   % (name, n, new_what, changed, len(new_pixels)))
        if not differences or not differences[-1].startswith(name):
            print('same  %s: %s' % (name, '; '.join(what for what, _ in new)))
    return differences


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit('usage: compare_images.py OUTDIR [COMMITTED_DIR]')
    committed = argv[2] if len(argv) == 3 else os.path.join(ROOT, 'resources', 'images')
    shutil.rmtree(argv[1], ignore_errors=True)  # no file left from an earlier run
    subprocess.run([sys.executable, os.path.join(ROOT, 'resources', 'draw_images.py'), argv[1]],
                   check=True, stdout=subprocess.DEVNULL)
    differences = compare(argv[1], committed)
    for line in differences:
        print('DIFF  ' + line)
    print('%d files compared, %d differences' % (len(os.listdir(committed)), len(differences)))
    return 1 if differences else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
