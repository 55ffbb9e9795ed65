"""Procedural textures: uncompressed 32-bit TGA from integer hashing, so
every run writes the same bytes. Features are several texels wide and
contrasts soft, so that the images also hold up without mip-maps."""

import math
import struct


def hash01(x, y, seed):
    h = (x * 374761393 + y * 668265263 + seed * 982451653) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 65535.0


def value_noise(x, y, period_x, period_y, seed):
    """Smooth noise that tiles every period lattice cells."""
    xi, yi = int(math.floor(x)), int(math.floor(y))
    fx, fy = x - xi, y - yi
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)

    def corner(i, j):
        return hash01((xi + i) % period_x, (yi + j) % period_y, seed)
    top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx
    bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx
    return top + (bottom - top) * sy


def fractal(x, y, size, seed, cells=4, octaves=3, cells_y=None):
    """Noise in 0..1 over a size x size image that tiles in both directions."""
    cells_y = cells_y or cells
    total, amplitude, weight = 0.0, 1.0, 0.0
    for o in range(octaves):
        cx, cy = cells << o, cells_y << o
        total += amplitude * value_noise(x * cx / size, y * cy / size, cx, cy, seed + o)
        weight += amplitude
        amplitude *= 0.5
    return total / weight


def clamp_byte(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def tga_bytes(pixel, size):
    """pixel(x, y) -> (r, g, b, a); rows in file order are texture rows."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, size, size, 32, 8)
    body = bytearray()
    for y in range(size):
        for x in range(size):
            r, g, b, a = (clamp_byte(c) for c in pixel(x, y))
            body += bytes((b, g, r, a))
    return header + bytes(body)


def stone(x, y):
    """Flagstones, two by two per image (one image spans two units of floor),
    with wide worn joints."""
    fx, fy = x % 64, y % 64
    tile = hash01(x // 64, y // 64, 11) * 30 - 15
    n = fractal(x, y, 128, 20, 4, 3) * 44 - 22
    edge = min(fx, fy, 63 - fx, 63 - fy)
    grey = 150 + tile + n
    if edge < 3:
        grey = 86 + n * 0.5
    elif edge < 6:
        grey -= (6 - edge) * 7
    return (grey + 6, grey, grey - 10, 255)


def bricks(x, y):
    """Bricks of 32 x 16 texels in offset rows with pale mortar."""
    row = y // 16
    shift = 16 if row % 2 else 0
    bx = (x + shift) % 128
    n = fractal(x, y, 128, 41, 8, 2) * 30 - 15
    if y % 16 < 3 or bx % 32 < 3:
        m = 170 + n * 0.6
        return (m, m - 6, m - 16, 255)
    tint = hash01(bx // 32, row, 37) * 36 - 18
    return (146 + tint + n, 74 + tint * 0.5 + n, 54 + n, 255)


def planks(x, y):
    """Boards 32 texels wide running along y, with grain and dark gaps."""
    board = x // 32
    fx = x % 32
    shade = hash01(board, 0, 51) * 30 - 15
    grain = math.sin((fx + fractal(x, y, 128, 52, 2, 2, 8) * 14) * 0.55) * 10
    knots = fractal(x, y, 128, 53, 8, 2) * 20 - 10
    base = (150 + shade + grain + knots, 104 + shade * 0.8 + grain * 0.8 + knots, 62 + shade * 0.5 + grain * 0.5)
    if fx < 2 or fx > 29 or (y + board * 45) % 128 < 2:
        base = tuple(c * 0.45 for c in base)
    return base + (255,)


def metal(x, y):
    """Brushed steel with a rivet in each quarter."""
    streak = value_noise(x / 32.0, y / 2.0, 4, 64, 70) * 0.6 + value_noise(x / 8.0, y / 4.0, 16, 32, 71) * 0.4
    g = 132 + streak * 70
    cx, cy = x % 64 - 32, y % 64 - 32
    d = math.hypot(cx, cy)
    if d < 5:
        g = 210 - d * 14
    elif d < 7:
        g = 90
    return (g, g + 3, g + 10, 255)


def cloth(x, y):
    """A coarse weave in deep blue, four texels per thread."""
    warp = (x // 4 + y // 4) % 2
    n = fractal(x, y, 128, 80, 8, 2) * 20
    if warp:
        return (48 + n, 78 + n, 142 + n, 255)
    return (36 + n, 60 + n, 118 + n, 255)


def water(x, y):
    """Rippled water; alpha below 255, so the basin shows through."""
    n = fractal(x, y, 128, 50, 4, 3)
    ripple = math.sin((x + y * 0.5) * 2 * math.pi / 32 + n * 6) * 0.5 + 0.5
    return (30 + 50 * n + 30 * ripple, 90 + 60 * n + 30 * ripple, 150 + 60 * n + 20 * ripple, 170)


def sky(x, y):
    """A sky sphere: row 0 the zenith, the middle row the horizon, below it
    the depths under the levels, which fall to darkness within a few rows,
    so that every drop reads as a fall. Tiles along x."""
    t = y / 255.0
    zenith, horizon, haze = (38, 86, 170), (190, 214, 236), (200, 208, 220)
    if t < 0.5:
        base = mix(zenith, horizon, (t / 0.5) ** 1.6)
        cloud = fractal(x, y, 256, 90, 8, 4, 4)
        cover = max(0.0, cloud - 0.55) * 2.4 * min(1.0, t * 3)
        base = mix(base, (250, 250, 252), min(0.8, cover))
    else:
        base = _depths(x, y, haze, (60, 68, 86))
    return base + (255,)


def _depths(x, y, haze, dusk):
    """The lower half of a sky: haze at the horizon, through dusk, to black."""
    s = (y / 255.0 - 0.5) / 0.5
    wisps = fractal(x, y, 256, 95, 8, 3, 6) - 0.5
    if s < 0.12:
        base = mix(haze, dusk, s / 0.12)
    else:
        base = mix(dusk, (0, 0, 0), min(1.0, (s - 0.12) / 0.25) ** 0.7)
    return tuple(max(0.0, c * (1 + wisps * 0.3 * (1 - min(1.0, s * 3)))) for c in base)


def night(x, y):
    """The night sky of the same sphere: deep blue with a faint milky band,
    and darkness below. The stars and the moon are the level's own geometry,
    sharper than any texel of a sky this size."""
    t = y / 255.0
    if t >= 0.5:
        return _depths(x, y, (40, 50, 84), (10, 12, 24)) + (255,)
    zenith, horizon = (4, 8, 26), (34, 46, 92)
    base = mix(zenith, horizon, (t / 0.5) ** 2.2)
    glow = fractal(x, y, 256, 96, 4, 3, 4)
    band = max(0.0, 1.0 - abs(((x + y * 0.6) % 256) - 128) / 40.0)
    return mix(base, (70, 74, 120), max(0.0, glow - 0.45) * 0.9 * band) + (255,)


def rock(x, y):
    """The rock under a floor's edge, row 0 at the floor: a pale worn lip
    that marks the edge, a dark joint, then rough stone that is black within
    half a unit, so that looking over any edge shows a fall."""
    n = fractal(x, y, 128, 110, 8, 3) * 40 - 20
    if y < 4:
        g = 205 + n * 0.5 - y * 6
        return (g + 4, g, g - 8, 255)
    if y < 6:
        return (30 + n * 0.2, 28 + n * 0.2, 26 + n * 0.2, 255)
    fade = max(0.0, 1.0 - (y - 6) / 18.0) ** 1.5
    strata = math.sin(y * 1.3 + fractal(x, y, 128, 111, 4, 2) * 5) * 10
    g = (80 + n + strata) * fade
    return (g + 4 * fade, g, g - 4 * fade, 255)


def portal(x, y):
    """Light in a doorway: a bright core with rays, for the exits."""
    dx, dy = (x - 63.5) / 64, (y - 63.5) / 64
    d = math.hypot(dx, dy)
    a = math.atan2(dy, dx)
    rays = 0.5 + 0.5 * math.sin(a * 8 + fractal(x, y, 128, 30, 4, 2) * 3)
    glow = max(0.0, 1.0 - d) ** 1.5
    v = 0.35 + 0.65 * glow + 0.15 * rays * glow
    return (255 * min(1.0, v * 1.05), 240 * min(1.0, v), 170 * v + 40, 255)


def switch_plate(x, y):
    """A round push plate on a steel rim; the switch shows it twice across."""
    cx, cy = x % 64 - 31.5, y % 64 - 31.5
    d = math.hypot(cx, cy)
    n = fractal(x, y, 128, 60, 8, 2) * 24
    if d < 20:
        return (60 + n, 190 + n, 90 + n, 255)
    if d < 24:
        return (30, 40, 30, 255)
    return (150 + n, 150 + n, 158 + n, 255)


def hazard(x, y):
    """Yellow and black warning stripes, 16 texels wide, along danger edges."""
    n = fractal(x, y, 128, 61, 8, 2) * 20
    if (x + y) // 16 % 2:
        return (30 + n, 28 + n, 24 + n, 255)
    return (225 + n, 180 + n, 40, 255)


TEXTURES = {
    "stein.tga": (stone, 128),
    "mauer.tga": (bricks, 128),
    "planken.tga": (planks, 128),
    "metall.tga": (metal, 128),
    "stoff.tga": (cloth, 128),
    "wasser.tga": (water, 128),
    "himmel.tga": (sky, 256),
    "nacht.tga": (night, 256),
    "fels.tga": (rock, 128),
    "tuer.tga": (portal, 128),
    "boden.tga": (switch_plate, 128),
    "warnung.tga": (hazard, 128),
}


def texture_files():
    return {name: tga_bytes(f, size) for name, (f, size) in TEXTURES.items()}
