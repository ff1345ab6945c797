#!/usr/bin/python3
"""The luminance contrast of texts in a screenshot.

Usage: contrast.py SHOT.ppm NAME X Y WIDTH HEIGHT [NAME X Y WIDTH HEIGHT ...]
       contrast.py SHOT.ppm --band X Y

For each named rectangle (in the screenshot's pixels) prints the ground (its
commonest colour), its relative luminance and the contrast of the pixel
furthest from it, the text, to the ground. With --band, prints the top and
height of the run of rows around row Y whose pixel in column X is the colour
of the pixel at (X, Y): a selected line's band.
"""
import collections
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, i = [], 0
    while len(fields) < 4:
        while data[i:i + 1].isspace():
            i += 1
        if data[i:i + 1] == b"#":
            i = data.index(b"\n", i)
            continue
        j = i
        while not data[j:j + 1].isspace():
            j += 1
        fields.append(data[i:j])
        i = j
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[i + 1:]
    return width, height, lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])


def luminance(colour):
    def linear(v):
        s = v / 255
        return s / 12.92 if s <= 0.04045 else ((s + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(v) for v in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def main(argv):
    width, height, pixel = read_ppm(argv[1])
    if argv[2] == "--band":
        x, y = int(argv[3]), int(argv[4])
        top, bottom = y, y
        while top > 0 and pixel(x, top - 1) == pixel(x, y):
            top -= 1
        while bottom + 1 < height and pixel(x, bottom + 1) == pixel(x, y):
            bottom += 1
        print(top, bottom - top + 1)
        return
    args = argv[2:]
    for k in range(0, len(args), 5):
        name = args[k]
        x0, y0, w, h = (int(v) for v in args[k + 1:k + 5])
        counts = collections.Counter(
            pixel(x, y) for y in range(max(0, y0), min(height, y0 + h))
            for x in range(max(0, x0), min(width, x0 + w)))
        if not counts:
            sys.exit(f"{name}: the rectangle lies outside the screenshot")
        ground = counts.most_common(1)[0][0]
        text = max(counts, key=lambda c: contrast(c, ground))
        print(f"{name}\t{luminance(ground):.3f}\t{contrast(text, ground):.2f}")


if __name__ == "__main__":
    main(sys.argv)
