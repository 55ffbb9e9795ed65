#!/usr/bin/env python3
"""Draws the game's icon: Tarnel seen from behind by the chase camera, in the
corridor of level 1 with its spinning blade, its pit, the lattice and the exit,
textured with the game's own textures from data/texturen. A small ray caster,
Python 3 standard library only; writes dist/icons/zarnoth-<size>.png.

    python3 tools/make_icon.py [--out DIR]
"""
import argparse
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZES = (256, 128, 64, 48, 32)
SUPERSAMPLE = 3
CORNER = 0.11  # corner radius of the rounded square, as a share of the side


# --------------------------------------------------------------------------
# Textures and PNG


def read_tga(path):
    """Uncompressed 32-bit TGA (the game's kind) to rows of (r, g, b) floats."""
    with open(path, "rb") as f:
        data = f.read()
    width, height = struct.unpack_from("<hh", data, 12)
    if data[2] != 2 or data[16] != 32 or width <= 0 or height <= 0:
        raise SystemExit(f"{path}: not an uncompressed 32-bit TGA")
    start = 18 + data[0]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            b, g, r = data[start + 4 * (y * width + x): start + 4 * (y * width + x) + 3]
            row.append((r / 255, g / 255, b / 255))
        rows.append(row)
    return rows


def sample(texture, u, v):
    rows = texture
    h = len(rows)
    w = len(rows[0])
    return rows[int(v * h) % h][int(u * w) % w]


def write_png(path, size, pixels):
    """pixels: size * size (r, g, b, a) tuples of 0..255."""
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            raw.extend(pixels[y * size + x])

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# --------------------------------------------------------------------------
# The scene: world units, y up, the corridor runs toward -z from the start.


class Box:
    """A box turned by `yaw` radians about the vertical line through its centre."""

    def __init__(self, lo, hi, colour, texture=None, uv_scale=1.0, yaw=0.0):
        self.centre = tuple((a + b) / 2 for a, b in zip(lo, hi))
        self.half = tuple((b - a) / 2 for a, b in zip(lo, hi))
        self.colour = colour
        self.texture = texture
        self.uv_scale = uv_scale
        self.cos = math.cos(yaw)
        self.sin = math.sin(yaw)

    def hit(self, origin, direction):
        """(distance, normal, texture u, v) of the nearest hit, or None."""
        c, s = self.cos, self.sin
        ox, oy, oz = (origin[i] - self.centre[i] for i in range(3))
        o = (c * ox - s * oz, oy, s * ox + c * oz)
        d = (c * direction[0] - s * direction[2], direction[1], s * direction[0] + c * direction[2])
        near, far, axis = -1e30, 1e30, 0
        for i in range(3):
            if abs(d[i]) < 1e-12:
                if abs(o[i]) > self.half[i]:
                    return None
                continue
            t1 = (-self.half[i] - o[i]) / d[i]
            t2 = (self.half[i] - o[i]) / d[i]
            if t1 > t2:
                t1, t2 = t2, t1
            if t1 > near:
                near, axis = t1, i
            far = min(far, t2)
            if near > far or far < 0:
                return None
        if near < 0:
            return None
        local = [o[i] + d[i] * near for i in range(3)]
        n = [0.0, 0.0, 0.0]
        n[axis] = -1.0 if d[axis] > 0 else 1.0
        normal = (c * n[0] + s * n[2], n[1], -s * n[0] + c * n[2])
        a, b = [i for i in range(3) if i != axis]
        return near, normal, local[a] * self.uv_scale, local[b] * self.uv_scale


def scene(tex):
    skin, hair = (0.85, 0.64, 0.5), (0.35, 0.22, 0.1)
    shirt, trousers, boots = (0.9, 0.9, 0.95), (0.5, 0.36, 0.22), (0.18, 0.16, 0.14)
    steel, post = (0.8, 0.8, 0.85), (0.55, 0.2, 0.15)
    s = 0.01  # the player's model is in hundredths of a unit
    boxes = [
        # Tarnel from behind, mid-stride: the model's boxes at its scale.
        Box((-15 * s, 162 * s, -15 * s), (15 * s, 196 * s, 15 * s), skin),
        Box((-16 * s, 186 * s, -16 * s), (16 * s, 199 * s, 13 * s), hair),
        Box((-16 * s, 166 * s, 12 * s), (16 * s, 186 * s, 16 * s), hair),
        Box((-32 * s, 98 * s, -14 * s), (32 * s, 160 * s, 14 * s), shirt, tex["stoff"], 3),
        Box((34 * s, 90 * s, -14 * s), (50 * s, 157 * s, 2 * s), shirt, tex["stoff"], 3),
        Box((-50 * s, 90 * s, -2 * s), (-34 * s, 157 * s, 14 * s), shirt, tex["stoff"], 3),
        Box((36 * s, 78 * s, -16 * s), (48 * s, 90 * s, -2 * s), skin),
        Box((-48 * s, 78 * s, 2 * s), (-36 * s, 90 * s, 16 * s), skin),
        Box((4 * s, 14 * s, 2 * s), (28 * s, 100 * s, 22 * s), trousers),
        Box((-28 * s, 14 * s, -20 * s), (-4 * s, 100 * s, 0 * s), trousers),
        Box((3 * s, 0, -1 * s), (29 * s, 14 * s, 26 * s), boots),
        Box((-29 * s, 0, -23 * s), (-3 * s, 14 * s, 4 * s), boots),
        # The spinning blade 5 units ahead: a post and a bar caught mid-turn.
        Box((-0.08, 0, -5.08), (0.08, 0.85, -4.92), post),
        Box((-1.9, 0.62, -5.07), (1.9, 0.78, -4.93), steel, tex["metall"], 1.5, yaw=0.25),
        # The lattice across the corridor at 12, half raised.
        *[Box((x - 0.05, 0.9, -12.05), (x + 0.05, 3.0, -11.95), steel, tex["metall"], 2)
          for x in (-1.6, -1.0, -0.4, 0.2, 0.8, 1.4)],
        Box((-2, 0.85, -12.06), (2, 0.97, -11.94), steel, tex["metall"], 2),
    ]
    return boxes


CORRIDOR_HALF_WIDTH = 2.0
CORRIDOR_HEIGHT = 3.2
CORRIDOR_END = -22.0
PIT = (0.0, 2.0, -8.5, -7.0)  # x from, x to, z from, z to


def trace(origin, direction, boxes, tex):
    """Colour of one ray, lit by a lamp near the camera and fading into the dark."""
    best = None
    for box in boxes:
        hit = box.hit(origin, direction)
        if hit and (best is None or hit[0] < best[0][0]):
            best = (hit, box)
    ox, oy, oz = origin
    dx, dy, dz = direction

    def closer(t):
        return t > 0 and (best is None or t < best[0][0])

    surface = None
    if dy < 0:  # floor; the pit is a hole in it
        t = -oy / dy
        x, z = ox + dx * t, oz + dz * t
        if closer(t) and abs(x) <= CORRIDOR_HALF_WIDTH and z >= CORRIDOR_END:
            if PIT[0] <= x <= PIT[1] and PIT[2] <= z <= PIT[3]:
                surface = (t, (0.0, 1.0, 0.0), (0.02, 0.02, 0.03))
            else:
                surface = (t, (0.0, 1.0, 0.0), sample(tex["stein"], x / 2, z / 2))
    for side in (-1, 1):  # the walls
        if dx * side > 0:
            t = (side * CORRIDOR_HALF_WIDTH - ox) / dx
            y, z = oy + dy * t, oz + dz * t
            if closer(t) and 0 <= y <= CORRIDOR_HEIGHT and z >= CORRIDOR_END and (not surface or t < surface[0]):
                surface = (t, (-side, 0.0, 0.0), sample(tex["mauer"], z / 2, y / 2))
    if dz < 0:  # the far wall with the exit door in its middle
        t = (CORRIDOR_END - oz) / dz
        x, y = ox + dx * t, oy + dy * t
        if closer(t) and abs(x) <= CORRIDOR_HALF_WIDTH and 0 <= y <= CORRIDOR_HEIGHT and (not surface or t < surface[0]):
            if abs(x) < 0.8 and y < 2.2:
                surface = (t, (0.0, 0.0, 1.0), sample(tex["tuer"], (x + 0.8) / 1.6, y / 2.2))
            else:
                surface = (t, (0.0, 0.0, 1.0), sample(tex["mauer"], x / 2, y / 2))

    if surface:
        t, normal, colour = surface
    elif best:
        (t, normal, u, v), box = best
        colour = box.colour
        if box.texture:
            tc = sample(box.texture, u, v)
            colour = tuple(a * b for a, b in zip(colour, tc))
    else:
        return (0.03, 0.03, 0.06)  # above the walls: the dark

    light = (0.35, 0.8, 0.5)
    norm = math.sqrt(sum(c * c for c in light))
    diffuse = max(0.0, sum(n * l / norm for n, l in zip(normal, light)))
    fade = math.exp(-t / 14.0)
    shade = (0.35 + 0.75 * diffuse) * fade
    return tuple(min(1.0, c * shade) for c in colour)


def render(side, tex):
    """side x side rays, supersampled: rows of (r, g, b) floats."""
    boxes = scene(tex)
    eye = (0.0, 2.2, 2.1)
    pitch = math.radians(-14)
    focal = 1.25
    image = []
    for py in range(side):
        row = []
        for px in range(side):
            sx = (px + 0.5) / side * 2 - 1
            sy = 1 - (py + 0.5) / side * 2
            d = (sx, sy, -focal)
            d = (d[0], d[1] * math.cos(pitch) - d[2] * math.sin(pitch), d[1] * math.sin(pitch) + d[2] * math.cos(pitch))
            n = math.sqrt(sum(c * c for c in d))
            row.append(trace(eye, tuple(c / n for c in d), boxes, tex))
        image.append(row)
    return image


def inside_rounded_square(x, y, size):
    """Coverage of the pixel centre (x, y) by the icon's rounded square."""
    r = CORNER * size
    cx = min(max(x, r), size - r)
    cy = min(max(y, r), size - r)
    distance = math.hypot(x - cx, y - cy)
    return min(1.0, max(0.0, r - distance + 0.5))


def downsample(image, size):
    """Averages the supersampled image into size x size RGBA pixels in the rounded square."""
    side = len(image)
    pixels = []
    for y in range(size):
        y0, y1 = y * side // size, (y + 1) * side // size
        for x in range(size):
            x0, x1 = x * side // size, (x + 1) * side // size
            total = [0.0, 0.0, 0.0]
            for row in image[y0:y1]:
                for c in row[x0:x1]:
                    total[0] += c[0]
                    total[1] += c[1]
                    total[2] += c[2]
            count = (y1 - y0) * (x1 - x0)
            alpha = inside_rounded_square(x + 0.5, y + 0.5, size)
            # A thin dark rim keeps the square apart from light backgrounds.
            rim = 1.0 - inside_rounded_square_inset(x + 0.5, y + 0.5, size)
            rgb = [int(255 * (c / count) * (1 - 0.7 * rim) + 0.5) for c in total]
            pixels.append((rgb[0], rgb[1], rgb[2], int(255 * alpha + 0.5)))
    return pixels


def inside_rounded_square_inset(x, y, size):
    inset = max(1.0, size / 64)
    return inside_rounded_square(x - inset, y - inset, size - 2 * inset) if inset <= x <= size - inset and inset <= y <= size - inset else 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "dist", "icons"))
    args = parser.parse_args()
    tex = {name: read_tga(os.path.join(ROOT, "data", "texturen", name + ".tga"))
           for name in ("stein", "mauer", "metall", "stoff", "tuer")}
    image = render(SIZES[0] * SUPERSAMPLE, tex)
    os.makedirs(args.out, exist_ok=True)
    for size in SIZES:
        path = os.path.join(args.out, f"zarnoth-{size}.png")
        write_png(path, size, downsample(image, size))
        print(path)


if __name__ == "__main__":
    main()
