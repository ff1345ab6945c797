#!/usr/bin/python3
"""Draws Vornel's chart icon and menu picture.

Run with Debian's python3 and python3-pil:  /usr/bin/python3 assets/generate_assets.py
It writes chart.ico (32 x 32, 256 colours, opaque) and menu.gif (51 x 64,
256 colours, interlaced) beside itself, and the desktop icon, the same drawing
as chart.ico in full colour, as hicolor/<N>x<N>/apps/<APP_ID>.png for each of
ICON_SIZES; commit them all.
"""
import os
import struct

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)
LIGHT_YELLOW = (224, 224, 128)
# The application id: the name of the desktop entry and of its icon.
APP_ID = 'io.github.vornel.Vornel'
ICON_SIZES = (16, 32, 48, 256)


def draw_icon(size):
    """Four round holes of different sizes, light yellow on magenta."""
    scale = 8
    big = size * scale
    im = Image.new('RGB', (big, big), MAGENTA)
    d = ImageDraw.Draw(im)
    # centre x, centre y, radius, on a 32-unit grid
    for cx, cy, r in ((11, 11, 8), (24, 9, 5), (22.5, 23, 6.5), (8.5, 25, 3.5)):
        k = big / 32
        d.ellipse(((cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k), fill=LIGHT_YELLOW)
    return im.resize((size, size), Image.LANCZOS)


def write_ico(im, path):
    """A one-image .ico: 8-bit palette bitmap, AND mask all opaque."""
    pal_im = im.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    w, h = pal_im.size
    palette = pal_im.getpalette()[:768]
    palette += [0] * (768 - len(palette))
    row = (w + 3) // 4 * 4
    xor = b''.join(bytes(pal_im.getpixel((x, y)) for x in range(w)) + bytes(row - w)
                   for y in reversed(range(h)))
    mask_row = ((w + 31) // 32) * 4
    and_mask = bytes(mask_row * h)
    colours = b''.join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0))
                       for i in range(256))
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 8, 0, len(xor) + len(and_mask),
                         0, 0, 256, 0)
    image = header + colours + xor + and_mask
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, 1))
        f.write(struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 8, len(image), 6 + 16))
        f.write(image)


def draw_menu_picture():
    """A cartoon woman, winking, making the OK sign beside her face."""
    s = 8
    W, H = 51 * s, 64 * s
    im = Image.new('RGB', (W, H), (238, 244, 250))
    d = ImageDraw.Draw(im)

    def e(x0, y0, x1, y1, **kw):
        d.ellipse((x0 * s, y0 * s, x1 * s, y1 * s), **kw)

    def r(x0, y0, x1, y1, rad, **kw):
        d.rounded_rectangle((x0 * s, y0 * s, x1 * s, y1 * s), radius=rad * s, **kw)

    hair = (92, 52, 30)
    skin = (255, 220, 190)
    skin_line = (196, 130, 100)
    blouse = (236, 92, 120)

    # soft sunburst circle behind her
    e(-4, 2, 46, 52, fill=(255, 244, 200))
    # hair behind the head
    e(5, 6, 35, 40, fill=hair)
    r(5, 20, 35, 44, 6, fill=hair)
    # body: shoulders in a pink blouse with a white collar
    r(4, 44, 36, 70, 10, fill=blouse)
    d.polygon([(15 * s, 44 * s), (20 * s, 50 * s), (25 * s, 44 * s)], fill=(255, 255, 255))
    # neck
    r(16.5, 36, 23.5, 46, 3, fill=skin)
    # face
    e(8, 11, 32, 39, fill=skin, outline=skin_line, width=s // 2)
    # bangs
    d.chord((7 * s, 7 * s, 33 * s, 31 * s), 180, 360, fill=hair)
    d.polygon([(9 * s, 19 * s), (14 * s, 16 * s), (12 * s, 23 * s)], fill=hair)
    d.polygon([(31 * s, 19 * s), (26 * s, 16 * s), (29 * s, 23 * s)], fill=hair)
    # eyes: left open with a highlight, right winking
    e(13, 23, 16.5, 28, fill=(50, 35, 40))
    e(14.2, 23.8, 15.5, 25.2, fill=(255, 255, 255))
    d.arc((22.5 * s, 23.5 * s, 27.5 * s, 28.5 * s), 200, 340, fill=(50, 35, 40), width=s)
    # cheeks
    e(10.5, 28.5, 14.5, 31, fill=(255, 170, 170))
    e(25.5, 28.5, 29.5, 31, fill=(255, 170, 170))
    # smile
    d.chord((16 * s, 29 * s, 24 * s, 35 * s), 0, 180, fill=(200, 60, 70))
    # the hand beside her face: thumb and index finger make a ring, the
    # other three fingers stand up
    for x0 in (39.5, 43.5, 46.8):
        r(x0 - 0.2, 14 + (x0 - 39.5) * 0.6, x0 + 3.6, 29, 1.8,
          fill=skin, outline=skin_line, width=s // 2)
    e(31, 24, 47, 40, fill=skin, outline=skin_line, width=s // 2)
    e(32.5, 20, 41.5, 29, fill=None, outline=skin, width=int(2.6 * s))
    d.arc((32.5 * s, 20 * s, 41.5 * s, 29 * s), 0, 360, fill=skin_line, width=s // 2)
    e(35.2, 22.7, 38.8, 26.3, fill=(255, 244, 200), outline=skin_line, width=s // 2)
    # sleeve of the raised arm
    r(34, 39, 45, 70, 5, fill=blouse)
    # a small sparkle by the ring
    for dx, dy in ((0, -2.2), (0, 2.2), (-2.2, 0), (2.2, 0)):
        d.line(((45 * s, 9 * s), ((45 + dx) * s, (9 + dy) * s)), fill=(240, 180, 40), width=s)

    small = im.resize((51, 64), Image.LANCZOS)
    return small.quantize(colors=256, method=Image.Quantize.MEDIANCUT)


def write_hicolor_icons():
    for size in ICON_SIZES:
        folder = os.path.join(HERE, 'hicolor', f'{size}x{size}', 'apps')
        os.makedirs(folder, exist_ok=True)
        draw_icon(size).save(os.path.join(folder, APP_ID + '.png'), optimize=True)


def main():
    write_ico(draw_icon(32), os.path.join(HERE, 'chart.ico'))
    write_hicolor_icons()
    draw_menu_picture().save(os.path.join(HERE, 'menu.gif'), interlace=True)


if __name__ == '__main__':
    main()
