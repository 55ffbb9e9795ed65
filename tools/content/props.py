"""The level objects that are not part of a level's own model: deadly
things, the abyss volumes and the water basins. Lengths are world units."""

import math

from .model import Bone, Material, Mesh, Model, cross, dot, num, still_bone, sub, unit


def metal_materials():
    return [
        Material("Stahl", (0.45, 0.45, 0.5, 1), (0.8, 0.8, 0.85, 1), (1, 1, 1, 1), shininess=60,
                 texture="./texturen/metall.tga"),
        Material("Warnfarbe", (0.5, 0.45, 0.3, 1), (0.9, 0.85, 0.7, 1), (0.3, 0.3, 0.3, 1), shininess=20,
                 texture="./texturen/warnung.tga"),
    ]


def rotor(title, radius, width, low, high, post_height, frames):
    """A striped post with a steel bar turning about the vertical axis through
    the origin, one full turn every `frames` frames."""
    m = Model(title, frames=frames, start_frame=1)
    m.materials = metal_materials()
    turn = Bone("rotor", "base", (0, (low + high) / 2, 0))
    turn.position_keys = [(1, 0, 0, 0)]
    turn.rotation_keys = [(1, 0, 0, 0), (frames + 1, 0, 2 * math.pi, 0)]
    m.bones = [still_bone(), turn]
    bar = Mesh("Klinge", 0)
    bar.box((-width / 2, low, -radius), (width / 2, high, radius), 1, uv_scale=2.0)
    bar.box((-0.1, low - 0.02, -0.1), (0.1, high + 0.02, 0.1), 1, uv_scale=2.0)
    post = Mesh("Pfosten", 1)
    post.box((-0.07, 0, -0.07), (0.07, post_height, 0.07), 0, faces="+x -x +y +z -z", uv_scale=2.0)
    m.meshes = [bar, post]
    return m


def blade():
    """The turning blade every level uses: a bar 2.6 units long, a turn
    every 30 frames; each level sets its pace by its frame rate."""
    return rotor("Turning blade", radius=1.3, width=0.1, low=0.1, high=0.26, post_height=0.5, frames=30)


def ram(title, width, height, depth, travel, frames):
    """A heavy block that slides along x from -travel to +travel and back,
    once every `frames` frames: a moving wall of death across a corridor."""
    m = Model(title, frames=frames, start_frame=1)
    m.materials = metal_materials()
    slide = Bone("schlitten", "base", (0, 0, 0))
    half = frames // 2 + 1
    slide.position_keys = [(1, -travel, 0, 0), (half, travel, 0, 0), (frames + 1, -travel, 0, 0)]
    slide.rotation_keys = [(1, 0, 0, 0)]
    m.bones = [still_bone(), slide]
    block = Mesh("Block", 0)
    block.box((-width / 2, 0.02, -depth / 2), (width / 2, height, depth / 2), 1, faces="+x -x +y +z -z",
              uv_scale=1.5)
    band = Mesh("Band", 1)
    band.box((-width / 2 - 0.01, height * 0.55, -depth / 2 - 0.01), (width / 2 + 0.01, height * 0.8, depth / 2 + 0.01),
             1, faces="+x -x +z -z", uv_scale=2.0)
    m.meshes = [block, band]
    return m


def spikes(columns, rows):
    """A plate of steel spikes, 0.4 units per spike; deadly and still."""
    m = Model("Spike plate %dx%d" % (columns, rows), frames=1)
    m.materials = metal_materials()
    w, d = columns * 0.2, rows * 0.2
    plate = Mesh("Platte", 1)
    plate.box((-w, 0, -d), (w, 0.04, d), faces="+x -x +y +z -z", uv_scale=1.0)
    points = Mesh("Stacheln", 0)
    for i in range(columns):
        for j in range(rows):
            cx, cz = -w + 0.2 + 0.4 * i, -d + 0.2 + 0.4 * j
            top = (cx, 0.38, cz)
            h = 0.15
            base = [(cx - h, 0.04, cz + h), (cx + h, 0.04, cz + h), (cx + h, 0.04, cz - h), (cx - h, 0.04, cz - h)]
            for k in range(4):
                a, b = base[k], base[(k + 1) % 4]
                n = unit(cross(sub(b, a), sub(top, a)))
                ia = points.vertex(a[0], a[1], a[2], 0, 0, -1)
                ib = points.vertex(b[0], b[1], b[2], 1, 0, -1)
                it = points.vertex(top[0], top[1], top[2], 0.5, 1, -1)
                points.triangle(ia, ib, it, n)
    m.meshes = [plate, points]
    return m


def abyss():
    """The volume under open sky: a unit square, centred, filled from below
    up to just above the floor, so that a player who steps over an edge
    touches it. Nothing to draw: the sky below shows through."""
    m = Model("Abyss volume", frames=1)
    m.bounding = ((-0.5, -0.6, -0.5), (0.5, 0.01, 0.5))
    return m


def basin(size_x, size_z):
    """A water basin in the unit square of the water surface (x and z 0..1);
    the level scales it by (size_x, 1, size_z). The floor of the basin is the
    last face drawn: the surface takes the last normal, which points up."""
    m = Model("Water basin %s x %s" % (num(size_x), num(size_z)), frames=1)
    m.materials = [Material("Becken", (0.1, 0.12, 0.16, 1), (0.3, 0.35, 0.45, 1), texture="./texturen/mauer.tga")]
    walls = Mesh("Becken", 0)
    walls.box((0, -1, 0), (1, 0, 1), inward=True, faces="+x -x +z -z -y", uv_scale=1.0)
    m.meshes = [walls]
    ix, iz = 0.05 / size_x, 0.05 / size_z
    m.bounding = ((ix, -0.6, iz), (1 - ix, 0.01, 1 - iz))
    return m
