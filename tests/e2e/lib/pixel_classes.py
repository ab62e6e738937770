#!/usr/bin/env python3
"""Counts the pixels of a PNG (8-bit RGB or RGBA, as Qt writes it) in colour
classes NAME=R,G,B: the class colour darkened or lightened a little (the hill
shading multiplies the map), within a small distance. --box counts only a
rectangle (left, top, right, bottom; right and bottom excluded).
  pixel_classes.py FILE.png [--box L,T,R,B] NAME=R,G,B...   prints NAME COUNT lines
"""
import collections
import struct
import sys
import zlib


def read_png(path):
    data, pos, idat = open(path, "rb").read(), 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", data[pos + 8:pos + 18])
            if depth != 8 or colour not in (2, 6) or data[pos + 20]:
                sys.exit(f"{path}: not 8-bit RGB(A) without interlace")
        elif kind == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    step = 3 if colour == 2 else 4
    raw, stride, rows, prev = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):  # the PNG filters: none, sub, up, average, Paeth
            a, b, c = line[i - step] if i >= step else 0, prev[i], prev[i - step] if i >= step else 0
            p = a + b - c
            paeth = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, step)])
        prev = line
    return rows


rows, args = read_png(sys.argv[1]), sys.argv[2:]
left, top, right, bottom = 0, 0, len(rows[0]), len(rows)
if args[:1] == ["--box"]:
    left, top, right, bottom = (int(v) for v in args[1].split(","))
    args = args[2:]
classes = [(a.split("=")[0], tuple(int(v) for v in a.split("=")[1].split(","))) for a in args]
counts = collections.Counter()
for pixel, n in collections.Counter(p for row in rows[top:bottom] for p in row[left:right]).items():
    for name, ref in classes:
        k = sum(p * r for p, r in zip(pixel, ref)) / sum(r * r for r in ref)
        if 0.6 <= k <= 1.05 and sum((p - k * r) ** 2 for p, r in zip(pixel, ref)) <= 100:
            counts[name] += n
            break
for name, _ in classes:
    print(name, counts[name])
