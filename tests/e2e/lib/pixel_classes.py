#!/usr/bin/env python3
"""Counts the pixels of a PNG (8-bit RGB or RGBA, as Qt writes it) in colour
classes, each given as NAME=R,G,B: a pixel belongs to a class when it is the
class colour darkened or lightened a little (the hill shading multiplies the
map), within a small distance. Prints NAME COUNT lines. --box counts only
the pixels of a rectangle (left, top, right, bottom; right and bottom
excluded).
  pixel_classes.py FILE.png [--box L,T,R,B] NAME=R,G,B...
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                sys.exit(f"{path}: not 8-bit RGB(A) without interlace")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    step = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * step
    rows, prev, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return [[(r[i], r[i + 1], r[i + 2]) for i in range(0, stride, step)] for r in rows]


def main():
    rows = read_png(sys.argv[1])
    args = sys.argv[2:]
    left, top, right, bottom = 0, 0, len(rows[0]), len(rows)
    if args[:1] == ["--box"]:
        left, top, right, bottom = (int(v) for v in args[1].split(","))
        args = args[2:]
    pixels = [p for row in rows[top:bottom] for p in row[left:right]]
    classes = []
    for arg in args:
        name, rgb = arg.split("=")
        classes.append((name, tuple(int(v) for v in rgb.split(","))))
    counts = {name: 0 for name, _ in classes}
    for pixel, n in _histogram(pixels).items():
        for name, ref in classes:
            k = sum(p * r for p, r in zip(pixel, ref)) / sum(r * r for r in ref)
            if 0.6 <= k <= 1.05 and sum((p - k * r) ** 2 for p, r in zip(pixel, ref)) <= 100:
                counts[name] += n
                break
    for name, _ in classes:
        print(name, counts[name])


def _histogram(pixels):
    seen = {}
    for p in pixels:
        seen[p] = seen.get(p, 0) + 1
    return seen


if __name__ == "__main__":
    main()
