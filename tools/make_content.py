#!/usr/bin/env python3
"""Writes the game's content into data/: models, levels and textures.

Everything the game loads from ./models, ./levels and ./texturen is produced
here from the readable description below, so the committed data/ is exactly
what this script writes. The output is byte-identical on every run and every
machine: no clock, no random module, textures from integer hashing only, and
numbers rounded before they are printed.

    python3 tools/make_content.py              # writes <repository>/data
    python3 tools/make_content.py --out DIR    # writes DIR instead
    python3 tools/make_content.py --check DIR  # only validates DIR

After writing, the script reads back what it wrote with the same rules the
game's readers use and stops with an error if anything would not load or
would not play (dangling indices, bones out of order, incomplete level
blocks, switch links out of range, objects too large for the 5-unit
collision range, textures the game cannot upload).

data/zarnoth.ini is not written here.
"""

import argparse
import math
import os
import re
import struct
import sys

# ---------------------------------------------------------------------------
# Numbers as they appear in the text files.


def num(value):
    """Shortest fixed-point text of value, at most six decimals, never "-0"."""
    if abs(value) < 5e-7:
        return "0"
    text = ("%.6f" % value).rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def nums(*values):
    return " ".join(num(v) for v in values)


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


# ---------------------------------------------------------------------------
# Models in the ASCII model format.


class Mesh:
    def __init__(self, name, material):
        self.name = name
        self.material = material
        self.vertices = []   # (x, y, z, u, v, bone)
        self.normals = []
        self.triangles = []  # (v0, v1, v2, n0, n1, n2)
        self._vertex_index = {}
        self._normal_index = {}

    def vertex(self, x, y, z, u, v, bone):
        key = (round(x, 6), round(y, 6), round(z, 6), round(u, 6), round(v, 6), bone)
        if key not in self._vertex_index:
            self._vertex_index[key] = len(self.vertices)
            self.vertices.append(key)
        return self._vertex_index[key]

    def normal(self, n):
        key = (round(n[0], 6), round(n[1], 6), round(n[2], 6))
        if key not in self._normal_index:
            self._normal_index[key] = len(self.normals)
            self.normals.append(key)
        return self._normal_index[key]

    def triangle(self, a, b, c, n):
        """Adds a flat triangle facing n; the winding is made counter-clockwise
        as seen from the side n points to, since back faces are culled."""
        pa, pb, pc = (self.vertices[i][:3] for i in (a, b, c))
        facing = dot(cross(sub(pb, pa), sub(pc, pa)), n)
        if abs(facing) < 1e-12:
            raise ValueError("degenerate triangle in mesh %s" % self.name)
        if facing < 0:
            b, c = c, b
        k = self.normal(n)
        self.triangles.append((a, b, c, k, k, k))

    def quad(self, corners, n, uvs, bone=-1):
        """corners in cyclic order; uvs one (u, v) per corner."""
        idx = [self.vertex(p[0], p[1], p[2], t[0], t[1], bone) for p, t in zip(corners, uvs)]
        self.triangle(idx[0], idx[1], idx[2], n)
        self.triangle(idx[0], idx[2], idx[3], n)

    def box(self, lo, hi, bone=-1, inward=False, faces="+x -x +y -y +z -z", uv_scale=1.0):
        """An axis-aligned box; inward boxes show their inside (pits)."""
        (x0, y0, z0), (x1, y1, z1) = lo, hi
        sign = -1 if inward else 1
        for face in faces.split():
            s = 1 if face[0] == "+" else -1
            axis = "xyz".index(face[1])
            n = [0.0, 0.0, 0.0]
            n[axis] = float(s * sign)
            if axis == 0:
                x = x1 if s > 0 else x0
                c = [(x, y0, z0), (x, y0, z1), (x, y1, z1), (x, y1, z0)]
                t = [(z0, y0), (z1, y0), (z1, y1), (z0, y1)]
            elif axis == 1:
                y = y1 if s > 0 else y0
                c = [(x0, y, z0), (x1, y, z0), (x1, y, z1), (x0, y, z1)]
                t = [(x0, z0), (x1, z0), (x1, z1), (x0, z1)]
            else:
                z = z1 if s > 0 else z0
                c = [(x0, y0, z), (x1, y0, z), (x1, y1, z), (x0, y1, z)]
                t = [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
            self.quad(c, tuple(n), [(a * uv_scale, b * uv_scale) for a, b in t], bone)


class Material:
    def __init__(self, name, ambient, diffuse, specular=(0, 0, 0, 1), emissive=(0, 0, 0, 1),
                 shininess=0.0, texture=""):
        self.name = name
        self.ambient = ambient
        self.diffuse = diffuse
        self.specular = specular
        self.emissive = emissive
        self.shininess = shininess
        self.texture = texture


class Bone:
    def __init__(self, name, parent, rest_position, rest_rotation=(0, 0, 0)):
        self.name = name
        self.parent = parent
        self.rest_position = rest_position
        self.rest_rotation = rest_rotation
        self.position_keys = []  # (time, x, y, z)
        self.rotation_keys = []  # (time, rx, ry, rz) in radians


class Model:
    def __init__(self, title, frames, start_frame=1):
        self.title = title
        self.frames = frames
        self.start_frame = start_frame
        self.meshes = []
        self.materials = []
        self.bones = []
        self.bounding = None  # (lo, hi) of the collision-only box

    def bone_index(self, name):
        return [b.name for b in self.bones].index(name)

    def text(self):
        out = ["// %s" % self.title,
               "// Written by tools/make_content.py; edit the generator, not this file.",
               "",
               "Frames: %d" % self.frames,
               "Frame: %d" % self.start_frame,
               ""]
        meshes = list(self.meshes)
        if self.bounding:
            bbox = Mesh("BoundingBox", -1)
            bbox.box(self.bounding[0], self.bounding[1], uv_scale=0.0)  # 8 shared corners
            meshes.append(bbox)
        out.append("Meshes: %d" % len(meshes))
        for m in meshes:
            out.append('"%s" 0 %d' % (m.name, m.material))
            out.append("%d" % len(m.vertices))
            for x, y, z, u, v, bone in m.vertices:
                out.append("0 %s %d" % (nums(x, y, z, u, v), bone))
            out.append("%d" % len(m.normals))
            for n in m.normals:
                out.append(nums(*n))
            out.append("%d" % len(m.triangles))
            for t in m.triangles:
                out.append("0 %d %d %d %d %d %d 1" % t)
        out.append("")
        out.append("Materials: %d" % len(self.materials))
        for mat in self.materials:
            out.append('"%s"' % mat.name)
            out.append(nums(*mat.ambient))
            out.append(nums(*mat.diffuse))
            out.append(nums(*mat.specular))
            out.append(nums(*mat.emissive))
            out.append(num(mat.shininess))
            out.append("1")
            out.append('"%s"' % mat.texture)
            out.append('""')
        out.append("")
        out.append("Bones: %d" % len(self.bones))
        for b in self.bones:
            out.append('"%s"' % b.name)
            out.append('"%s"' % (b.parent or ""))
            out.append("8 %s" % nums(*(tuple(b.rest_position) + tuple(b.rest_rotation))))
            out.append("%d" % len(b.position_keys))
            for k in b.position_keys:
                out.append(nums(*k))
            out.append("%d" % len(b.rotation_keys))
            for k in b.rotation_keys:
                out.append(nums(*k))
        return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------
# The player, Tarnel: about 200 units tall, feet at the origin, facing +z
# (the game turns it by 180 degrees, so it looks away from the camera).

WALK_KEYS = (1, 8, 15, 23, 30)
JUMP_KEYS = (37, 45)
LAND_KEYS = (52, 60)
DEATH_KEYS = (63, 66, 68, 70)
PLAYER_KEY_FRAMES = WALK_KEYS + JUMP_KEYS + LAND_KEYS + DEATH_KEYS

# Rotation about x per bone at each key frame; frames not listed hold 0.
# Positive x rotation swings a limb's lower end backward (toward -z).
PLAYER_ROTATIONS = {
    "hips": {63: -0.5, 66: -1.1, 68: -1.5, 70: -1.5},
    "spine": {37: 0.15, 45: 0.1, 52: 0.3},
    "head": {37: -0.15, 52: -0.2, 66: 0.3, 68: 0.4, 70: 0.4},
    "arm_l": {8: -0.4, 23: 0.4, 37: -2.6, 45: -2.8, 52: -0.6, 63: -1.2, 66: -2.5, 68: -2.7, 70: -2.7},
    "arm_r": {8: 0.4, 23: -0.4, 37: -2.6, 45: -2.8, 52: -0.6, 63: -1.0, 66: -2.3, 68: -2.6, 70: -2.6},
    "leg_l": {8: 0.5, 23: -0.5, 37: -0.6, 45: -0.6, 52: -0.25, 66: -0.2, 68: -0.25, 70: -0.25},
    "leg_r": {8: -0.5, 23: 0.5, 37: -0.6, 45: -0.6, 52: -0.25, 66: 0.1, 68: 0.15, 70: 0.15},
}

HIP_HEIGHT = 100.0


def hip_translation(frame):
    """Position key of the hips: a bob while walking, a crouch on landing,
    and while dying the offset that keeps the feet on the spot while the
    body tips over backward and comes to rest on the ground."""
    if frame in (8, 23):
        return (0.0, -4.0, 0.0)
    if frame == 52:
        return (0.0, -12.0, 0.0)
    a = PLAYER_ROTATIONS["hips"].get(frame, 0.0)
    if frame in DEATH_KEYS and a != 0.0:
        lift = 14.0 * (-a / 1.5)
        return (0.0, -HIP_HEIGHT + HIP_HEIGHT * math.cos(a) + lift, HIP_HEIGHT * math.sin(a))
    return (0.0, 0.0, 0.0)


def make_player():
    m = Model("Tarnel, the player character", frames=70, start_frame=1)
    m.materials = [
        Material("Haut", (0.38, 0.28, 0.22, 1), (0.85, 0.64, 0.5, 1)),
        Material("Hemd", (0.45, 0.45, 0.5, 1), (0.9, 0.9, 0.95, 1), (0.2, 0.2, 0.2, 1), shininess=10,
                 texture="./texturen/stoff.tga"),
        Material("Hose", (0.22, 0.16, 0.1, 1), (0.5, 0.36, 0.22, 1)),
        Material("Stiefel", (0.08, 0.08, 0.08, 1), (0.18, 0.16, 0.14, 1), (0.3, 0.3, 0.3, 1), shininess=30),
        Material("Haar", (0.16, 0.1, 0.05, 1), (0.35, 0.22, 0.1, 1)),
    ]
    bones = [
        Bone("hips", None, (0, HIP_HEIGHT, 0)),
        Bone("spine", "hips", (0, 0, 0)),
        Bone("head", "spine", (0, 60, 0)),
        Bone("arm_l", "spine", (42, 55, 0)),
        Bone("arm_r", "spine", (-42, 55, 0)),
        Bone("leg_l", "hips", (16, 0, 0)),
        Bone("leg_r", "hips", (-16, 0, 0)),
    ]
    for b in bones:
        rot = PLAYER_ROTATIONS[b.name]
        b.rotation_keys = [(f, rot.get(f, 0.0), 0.0, 0.0) for f in PLAYER_KEY_FRAMES]
        if b.name == "hips":
            b.position_keys = [(f,) + hip_translation(f) for f in PLAYER_KEY_FRAMES]
        else:
            b.position_keys = [(1, 0.0, 0.0, 0.0)]
    m.bones = bones
    bi = m.bone_index

    head = Mesh("Kopf", 0)
    head.box((-15, 162, -15), (15, 196, 15), bi("head"), uv_scale=1 / 30)
    head.box((-4, 174, 15), (4, 182, 19), bi("head"), faces="+x -x +y -y +z", uv_scale=1 / 30)
    head.box((-46, 80, -7), (-36, 90, 7), bi("arm_r"), uv_scale=1 / 30)
    head.box((36, 80, -7), (46, 90, 7), bi("arm_l"), uv_scale=1 / 30)

    body = Mesh("Rumpf", 1)
    body.box((-32, 98, -14), (32, 160, 14), bi("spine"), uv_scale=1 / 32)
    body.box((-10, 160, -8), (10, 163, 8), bi("spine"), faces="+x -x +z -z", uv_scale=1 / 32)
    body.box((34, 90, -8), (50, 157, 8), bi("arm_l"), uv_scale=1 / 32)
    body.box((-50, 90, -8), (-34, 157, 8), bi("arm_r"), uv_scale=1 / 32)

    legs = Mesh("Beine", 2)
    legs.box((4, 14, -10), (28, 100, 10), bi("leg_l"), faces="+x -x +y +z -z", uv_scale=1 / 32)
    legs.box((-28, 14, -10), (-4, 100, 10), bi("leg_r"), faces="+x -x +y +z -z", uv_scale=1 / 32)

    boots = Mesh("Stiefel", 3)
    boots.box((3, 0, -11), (29, 14, 16), bi("leg_l"), uv_scale=1 / 32)
    boots.box((-29, 0, -11), (-3, 14, 16), bi("leg_r"), uv_scale=1 / 32)

    hair = Mesh("Haar", 4)
    hair.box((-16, 186, -16), (16, 199, 13), bi("head"), uv_scale=1 / 32)
    hair.box((-16, 166, -16), (16, 186, -12), bi("head"), faces="+x -x -y -z", uv_scale=1 / 32)

    m.meshes = [head, body, legs, boots, hair]
    m.bounding = ((-60, 0, -40), (60, 200, 40))
    return m


# ---------------------------------------------------------------------------
# Level objects. Lengths are world units (the levels place them unscaled),
# except the water basin, whose surface spans 0..1 and is sized by scaling.


def metal_materials():
    return [
        Material("Stahl", (0.45, 0.45, 0.5, 1), (0.8, 0.8, 0.85, 1), (1, 1, 1, 1), shininess=60,
                 texture="./texturen/metall.tga"),
        Material("Pfosten", (0.25, 0.12, 0.1, 1), (0.55, 0.2, 0.15, 1), (0.3, 0.3, 0.3, 1), shininess=20),
    ]


def make_rotor(title, radius, width, low, high, post_height, frames):
    """A post with a bar turning about the vertical axis through the origin,
    one full turn every `frames` frames."""
    m = Model(title, frames=frames, start_frame=1)
    m.materials = metal_materials()
    base = Bone("base", None, (0, 0, 0))
    base.position_keys = [(1, 0, 0, 0)]
    base.rotation_keys = [(1, 0, 0, 0)]
    rotor = Bone("rotor", "base", (0, (low + high) / 2, 0))
    rotor.position_keys = [(1, 0, 0, 0)]
    rotor.rotation_keys = [(1, 0, 0, 0), (frames + 1, 0, 2 * math.pi, 0)]
    m.bones = [base, rotor]

    bar = Mesh("Klinge", 0)
    bar.box((-width / 2, low, -radius), (width / 2, high, radius), 1, uv_scale=1.0)
    bar.box((-0.1, low - 0.02, -0.1), (0.1, high + 0.02, 0.1), 1, uv_scale=1.0)
    post = Mesh("Pfosten", 1)
    post.box((-0.06, 0, -0.06), (0.06, post_height, 0.06), 0, faces="+x -x +y +z -z")
    m.meshes = [bar, post]
    return m


def make_spikes():
    """A plate of steel spikes, 2 x 1 units; deadly and still."""
    m = Model("Spike plate", frames=1)
    m.materials = metal_materials()
    plate = Mesh("Platte", 1)
    plate.box((-1, 0, -0.5), (1, 0.04, 0.5), faces="+x -x +y +z -z")
    spikes = Mesh("Stacheln", 0)
    for i in range(5):
        for j in range(3):
            cx, cz = -0.8 + 0.4 * i, -0.33 + 0.33 * j
            top = (cx, 0.38, cz)
            h = 0.15
            base = [(cx - h, 0.04, cz + h), (cx + h, 0.04, cz + h), (cx + h, 0.04, cz - h), (cx - h, 0.04, cz - h)]
            for k in range(4):
                a, b = base[k], base[(k + 1) % 4]
                n = cross(sub(b, a), sub(top, a))
                length = math.sqrt(dot(n, n))
                n = (n[0] / length, n[1] / length, n[2] / length)
                ia = spikes.vertex(a[0], a[1], a[2], 0, 0, -1)
                ib = spikes.vertex(b[0], b[1], b[2], 1, 0, -1)
                it = spikes.vertex(top[0], top[1], top[2], 0.5, 1, -1)
                spikes.triangle(ia, ib, it, n)
    m.meshes = [plate, spikes]
    return m


def pit_materials():
    return [Material("Grube", (0.06, 0.05, 0.05, 1), (0.2, 0.18, 0.16, 1), texture="./texturen/stein.tga")]


def make_pit(width, depth):
    """A dark shaft under a hole of width x depth in the floor, centred on the
    origin. Its BoundingBox fills the hole from below up to just above the
    floor, so a player walking onto the hole touches it."""
    m = Model("Pit %s x %s" % (num(width), num(depth)), frames=1)
    m.materials = pit_materials()
    shaft = Mesh("Schacht", 0)
    shaft.box((-width / 2, -1.5, -depth / 2), (width / 2, 0, depth / 2), inward=True,
              faces="+x -x +z -z -y", uv_scale=0.5)
    m.meshes = [shaft]
    inset = 0.05
    m.bounding = ((-width / 2 + inset, -0.6, -depth / 2 + inset), (width / 2 - inset, 0.01, depth / 2 - inset))
    return m


def make_basin(scale_x, scale_z):
    """The water basin in the unit square of the water surface (x and z 0..1);
    the level scales it by (scale_x, 1, scale_z). The floor of the basin is the
    last face drawn: the surface takes the last normal, which points up."""
    m = Model("Water basin", frames=1)
    m.materials = [Material("Becken", (0.08, 0.1, 0.14, 1), (0.25, 0.3, 0.4, 1), texture="./texturen/stein.tga")]
    walls = Mesh("Becken", 0)
    walls.box((0, -1, 0), (1, 0, 1), inward=True, faces="+x -x +z -z -y", uv_scale=1.0)
    m.meshes = [walls]
    ix, iz = 0.05 / scale_x, 0.05 / scale_z
    m.bounding = ((ix, -0.6, iz), (1 - ix, 0.01, 1 - iz))
    return m


# ---------------------------------------------------------------------------
# Levels: a rectangular room or corridor, holes in its floor, an exit door in
# its far wall, and the objects in it.

WALL_HEIGHT = 0.7
CELL = 0.5


class Room:
    def __init__(self, x0, x1, z_far, z_near, door, next_level):
        self.x0, self.x1 = x0, x1
        self.z_far, self.z_near = z_far, z_near
        self.door = door            # (x from, x to) on the far wall
        self.next_level = next_level
        self.holes = []             # (x0, x1, z0, z1)


def level_materials(tint):
    """Floor, wall and door; `tint` gives each level its own light."""
    def tinted(colour):
        return tuple(round(c * t, 3) for c, t in zip(colour, tint)) + (1,)
    return [
        Material("Stein", tinted((0.38, 0.37, 0.35)), tinted((0.85, 0.84, 0.8)), texture="./texturen/stein.tga"),
        Material("Mauer", tinted((0.4, 0.36, 0.33)), tinted((0.9, 0.85, 0.8)), texture="./texturen/mauer.tga"),
        Material("Tuer", (0.5, 0.5, 0.5, 1), (0.9, 0.9, 0.9, 1), emissive=(0.35, 0.35, 0.3, 1),
                 texture="./texturen/tuer.tga"),
    ]


def frange(a, b, step):
    n = int(round((b - a) / step))
    return [a + step * i for i in range(n + 1)]


def make_level_model(title, room, tint=(1, 1, 1)):
    m = Model(title, frames=1)
    m.materials = level_materials(tint)
    floor = Mesh("Boden", 0)
    xs = frange(room.x0, room.x1, CELL)
    zs = frange(room.z_far, room.z_near, CELL)
    for i in range(len(xs) - 1):
        for j in range(len(zs) - 1):
            cx, cz = (xs[i] + xs[i + 1]) / 2, (zs[j] + zs[j + 1]) / 2
            if any(h[0] < cx < h[1] and h[2] < cz < h[3] for h in room.holes):
                continue
            c = [(xs[i], 0, zs[j]), (xs[i + 1], 0, zs[j]), (xs[i + 1], 0, zs[j + 1]), (xs[i], 0, zs[j + 1])]
            floor.quad(c, (0, 1, 0), [(p[0] / 2, p[2] / 2) for p in c])

    walls = Mesh("Mauer", 1)
    door = Mesh("Tuer", 2)

    def wall_strip(mesh, a, b, normal):
        length = math.hypot(b[0] - a[0], b[1] - a[1])
        if length == 0:
            return  # a door as wide as the room leaves no wall beside it
        steps = max(1, int(round(length / CELL)))
        for k in range(steps):
            s0, s1 = k / steps, (k + 1) / steps
            p0 = (a[0] + (b[0] - a[0]) * s0, a[1] + (b[1] - a[1]) * s0)
            p1 = (a[0] + (b[0] - a[0]) * s1, a[1] + (b[1] - a[1]) * s1)
            u0, u1 = length * s0 / 2, length * s1 / 2
            c = [(p0[0], 0, p0[1]), (p1[0], 0, p1[1]), (p1[0], WALL_HEIGHT, p1[1]), (p0[0], WALL_HEIGHT, p0[1])]
            if mesh is door:
                uv = [(s0, 0), (s1, 0), (s1, 1), (s0, 1)]
            else:
                uv = [(u0, 0), (u1, 0), (u1, WALL_HEIGHT / 2), (u0, WALL_HEIGHT / 2)]
            mesh.quad(c, normal, uv)

    r = room
    wall_strip(walls, (r.x1, r.z_near), (r.x1, r.z_far), (-1, 0, 0))
    wall_strip(walls, (r.x0, r.z_far), (r.x0, r.z_near), (1, 0, 0))
    wall_strip(walls, (r.x1, r.z_near), (r.x0, r.z_near), (0, 0, -1))
    wall_strip(walls, (r.x0, r.z_far), (r.door[0], r.z_far), (0, 0, 1))
    wall_strip(door, (r.door[0], r.z_far), (r.door[1], r.z_far), (0, 0, 1))
    wall_strip(walls, (r.door[1], r.z_far), (r.x1, r.z_far), (0, 0, 1))
    m.meshes = [floor, walls, door]
    return m


def level_walls(room):
    """The invisible walls along the visible ones: each blocks movement
    toward the outside of the room; the door leads to the next level."""
    r = room
    walls = [
        (r.x1, r.z_near, r.x1, r.z_far, "x", 1, 0),
        (r.x0, r.z_near, r.x0, r.z_far, "x", -1, 0),
        (r.x0, r.z_near, r.x1, r.z_near, "z", 1, 0),
        (r.x0, r.z_far, r.door[0], r.z_far, "z", -1, 0),
        (r.door[0], r.z_far, r.door[1], r.z_far, "z", -1, r.next_level),
        (r.door[1], r.z_far, r.x1, r.z_far, "z", -1, 0),
    ]
    return [w for w in walls if (w[0], w[1]) != (w[2], w[3])]


def placement(position, scale, rotation=(0, 0, 0), pivot=(0, 0, 0)):
    return ["Translation=" + nums(*position),
            "RTranslation=" + nums(*pivot),
            "Rotation=" + nums(*rotation),
            "Scaling=" + nums(*scale)]


def segments(starts, speeds):
    lines = ["%d" % len(starts)] + ["%d" % s for s in starts]
    if starts:
        lines += [num(s) for s in speeds]
    return lines


def level_block(model):
    return ["Level", model, "static=yes"] + placement((0, 0, 0), (1, 1, 1)) + ["0"] + segments([], [])


def abyss_block(keyword, model, position, scale):
    return [keyword, model, "static=yes"] + placement(position, scale) + ["0"] + segments([], [])


def death_block(model, position, scale, fps, frames, animated=True, static=False, start_frame=0):
    lines = ["DeathObject", model, "static=" + ("yes" if static else "no"),
             "animated=" + ("yes" if animated else "no"), "Startframe=" + num(start_frame)]
    lines += placement(position, scale) + ["fps=%d" % fps]
    lines += segments([1, frames], [fps]) if fps else segments([], [])
    return lines


def switch_block(position):
    # A 0.5-unit plate whose top stands 0.12 above the floor; pressed, it
    # sinks by 0.1 and stays just visible.
    return ["SwitchObject", "-0.1", "2"] + placement((position[0], 0.06, position[1]), (0.25, 0.06, 0.25)) \
        + ["0"] + segments([], [])


def lattice_block(axis, sign, up, position, scale):
    return ["LatticeObject", "%s %d" % (axis, sign), "Up=" + num(up)] + placement(position, scale) \
        + ["0"] + segments([], [])


def build_levels():
    """Returns {file name: text} for the levels and {model name: Model}."""
    files, models = {}, {}

    # Level 1: a corridor toward -z. A spinning blade in the middle, a pit on
    # the right, a switch on the left that raises the lattice across the
    # corridor, and the whole far end is the way to level 2.
    room1 = Room(-2, 2, -22, 2, (-2, 2), 2)
    room1.holes.append((0, 2, -8.5, -7))
    models["level1.txt"] = make_level_model("Level 1: the corridor", room1)
    models["grube.txt"] = make_pit(2, 1.5)
    models["klinge.txt"] = make_rotor("Spinning blade", radius=0.85, width=0.1, low=0.12, high=0.24,
                                      post_height=0.45, frames=20)
    blocks = [
        level_block("level1.txt"),
        death_block("klinge.txt", (0, 0, -5), (1, 1, 1), fps=20, frames=20),     # objects[0]
        abyss_block("AbyssObject", "grube.txt", (1, 0, -7.75), (1, 1, 1)),        # objects[1]
        switch_block((-1.25, -10)),                                                # objects[2]
        lattice_block("z", -1, 1, (0, 0, -12), (2, 1, 1)),                         # sortedObjects[0]
    ]
    files["level1.cfg"] = blocks
    files["levelformat1.txt"] = level_walls(room1)
    files["action1.txt"] = [("o", 2, [], [0])]

    # Level 2: a room with a water basin in the middle. Beyond it a switch
    # sets a long bar turning in front of the exit door.
    room2 = Room(-4, 4, -16, 2, (-1, 1), 3)
    room2.holes.append((-1.5, 1.5, -7, -4))
    models["level2.txt"] = make_level_model("Level 2: the basin hall", room2, tint=(0.85, 0.95, 1.1))
    models["becken.txt"] = make_basin(3, 3)
    models["balken.txt"] = make_rotor("Turning bar", radius=1.5, width=0.16, low=0.08, high=0.32,
                                      post_height=0.5, frames=40)
    blocks = [
        level_block("level2.txt"),
        abyss_block("WaterAbyssObject", "becken.txt", (-1.5, 0, -7), (3, 1, 3)),  # sortedObjects[0]
        death_block("balken.txt", (0, 0, -12.5), (1, 1, 1), fps=20, frames=40, animated=False),  # objects[0]
        switch_block((0, -9.5)),                                                             # objects[1]
    ]
    files["level2.cfg"] = blocks
    files["levelformat2.txt"] = level_walls(room2)
    files["action2.txt"] = [("o", 1, [0], [])]

    # Level 3: the last hall. Two large blades left and right, out of step,
    # and a spike plate before the door, which leads back to level 1.
    room3 = Room(-4, 4, -17, 2, (-1, 1), 1)
    models["level3.txt"] = make_level_model("Level 3: the blade hall", room3, tint=(1.1, 0.8, 0.7))
    models["stacheln.txt"] = make_spikes()
    blocks = [
        level_block("level3.txt"),
        death_block("klinge.txt", (-2, 0, -5), (1.4, 1.4, 1.4), fps=20, frames=20),                  # objects[0]
        death_block("klinge.txt", (2, 0, -9), (1.4, 1.4, 1.4), fps=25, frames=20, start_frame=10),   # objects[1]
        death_block("stacheln.txt", (0, 0, -13), (1, 1, 1), fps=0, frames=1, animated=False, static=True),
    ]
    files["level3.cfg"] = blocks
    files["levelformat3.txt"] = level_walls(room3)
    files["action3.txt"] = []
    return files, models


def level_file_text(name, content):
    if name.endswith(".cfg"):
        return "\n\n".join("\n".join(b) for b in content) + "\n"
    if name.startswith("levelformat"):
        lines = ["%d" % len(content)]
        for x1, z1, x2, z2, axis, sign, nxt in content:
            lines.append("%s %s %d %d" % (nums(x1, z1, x2, z2), axis, sign, nxt))
        return "\n".join(lines) + "\n"
    blocks = []
    for letter, source, to_objects, to_sorted in content:
        lines = ["%s %d" % (letter, source), "num %d" % len(to_objects)]
        lines += ["%d" % k for k in to_objects]
        lines += ["num %d" % len(to_sorted)] + ["%d" % k for k in to_sorted]
        blocks.append("\n".join(lines))
    return "\n\n".join(blocks) + ("\n" if blocks else "")


# ---------------------------------------------------------------------------
# Textures: 64 x 64 uncompressed 32-bit TGA, made from integer hashing so that
# every run gives the same bytes.

SIZE = 64


def hash01(x, y, seed):
    h = (x * 374761393 + y * 668265263 + seed * 982451653) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 65535.0


def value_noise(x, y, period, seed):
    """Smooth noise that tiles every `period` lattice cells."""
    xi, yi = int(math.floor(x)), int(math.floor(y))
    fx, fy = x - xi, y - yi
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)

    def corner(i, j):
        return hash01((xi + i) % period, (yi + j) % period, seed)
    top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx
    bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx
    return top + (bottom - top) * sy


def fractal(x, y, seed, base_cells=4, octaves=3):
    total, amplitude, weight, cells = 0.0, 1.0, 0.0, base_cells
    for o in range(octaves):
        f = cells / SIZE
        total += amplitude * value_noise(x * f, y * f, cells, seed + o)
        weight += amplitude
        amplitude *= 0.5
        cells *= 2
    return total / weight


def clamp_byte(v):
    return max(0, min(255, int(round(v))))


def tga_bytes(pixel):
    """pixel(x, y) -> (r, g, b, a); rows in file order are texture rows."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, SIZE, SIZE, 32, 8)
    body = bytearray()
    for y in range(SIZE):
        for x in range(SIZE):
            r, g, b, a = (clamp_byte(c) for c in pixel(x, y))
            body += bytes((b, g, r, a))
    return header + bytes(body)


def tex_stone(x, y):
    # Four 32-pixel flagstones (one world unit each on the floor) with grout.
    tile = hash01(x // 32, y // 32, 11) * 24 - 12
    n = fractal(x, y, 20) * 50 - 25
    grey = 128 + tile + n
    if x % 32 in (0, 31) or y % 32 in (0, 31):
        grey = 72 + n * 0.4
    return (grey + 4, grey, grey - 6, 255)


def tex_bricks(x, y):
    row = y // 8
    offset = 8 if row % 2 else 0
    brick = (x + offset) % 64 // 16
    if y % 8 == 7 or (x + offset) % 16 == 15:
        m = 165 + fractal(x, y, 31, 8, 2) * 20
        return (m, m - 4, m - 14, 255)
    tint = hash01(brick, row, 37) * 40 - 20
    n = fractal(x, y, 41, 8, 2) * 36 - 18
    return (150 + tint + n, 68 + tint * 0.5 + n, 48 + n, 255)


def tex_door(x, y):
    # Bright concentric rings on deep blue, framed: the way on.
    if x < 3 or x > 60 or y < 3 or y > 60:
        return (200, 170, 60, 255)
    dx, dy = 2 * x - 63, 2 * y - 63
    ring = (dx * dx + dy * dy) // 160
    glow = 255 - ring * 9
    if ring % 2:
        return (40, 70 + glow // 3, 120 + glow // 2, 255)
    return (90 + glow // 3, 160 + glow // 4, 230, 255)


def tex_water(x, y):
    n = fractal(x, y, 50)
    return (30 + 40 * n, 80 + 60 * n, 160 + 70 * n, 180)


def tex_switch(x, y):
    # Yellow and black hazard stripes inside a steel rim.
    if x < 4 or x > 59 or y < 4 or y > 59:
        g = 150 + fractal(x, y, 60, 8, 2) * 40
        return (g, g, g + 8, 255)
    if (x + y) // 8 % 2:
        return (20, 20, 16, 255)
    return (235, 190, 30, 255)


def tex_metal(x, y):
    # Brushed steel: streaks along x.
    streak = value_noise(x / 16.0, float(y), SIZE, 70) * 0.6 + value_noise(x / 4.0, y / 2.0, 32, 71) * 0.4
    g = 150 + streak * 80
    return (g, g + 2, g + 8, 255)


def tex_cloth(x, y):
    # A coarse two-tone weave.
    warp = (x // 2 + y // 2) % 2
    n = hash01(x, y, 80) * 14
    if warp:
        return (50 + n, 80 + n, 150 + n, 255)
    return (35 + n, 58 + n, 120 + n, 255)


TEXTURES = {
    "stein.tga": tex_stone,
    "mauer.tga": tex_bricks,
    "tuer.tga": tex_door,
    "wasser.tga": tex_water,
    "boden.tga": tex_switch,
    "metall.tga": tex_metal,
    "stoff.tga": tex_cloth,
}


# ---------------------------------------------------------------------------
# Writing.


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("ascii")
    with open(path, "wb") as f:
        f.write(data)


def generate(out):
    files, models = build_levels()
    models["tarnel.txt"] = make_player()
    for name in sorted(models):
        write_file(os.path.join(out, "models", name), models[name].text())
    for name in sorted(files):
        write_file(os.path.join(out, "levels", name), level_file_text(name, files[name]))
    for name in sorted(TEXTURES):
        write_file(os.path.join(out, "texturen", name), tga_bytes(TEXTURES[name]))


# ---------------------------------------------------------------------------
# Checking: reads the written files back with the rules of the game's
# readers and reports everything that would not load or not play.


class CheckError(Exception):
    pass


INT = r"[-+]?\d+"
FLOAT = r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?"


def scan(line, fmt, what):
    """Matches a line from its start, like sscanf with all conversions."""
    pattern = "^" + fmt.replace("%d", "(" + INT + ")").replace("%f", "(" + FLOAT + ")").replace(" ", r"\s*")
    m = re.match(pattern, line)
    if not m:
        raise CheckError("%s: expected \"%s\", found \"%s\"" % (what, fmt, line))
    return [float(g) if "." in g or "e" in g.lower() else int(g) for g in m.groups()]


def quoted(line, what, required=True):
    m = re.match(r'^"([^"]*)"', line)
    if not m or (required and not m.group(1)):
        if required:
            raise CheckError("%s: expected a quoted name, found \"%s\"" % (what, line))
        return ""
    return m.group(1)


class Lines:
    def __init__(self, text, name):
        self.lines = text.split("\n")
        if self.lines and self.lines[-1] == "":
            self.lines.pop()
        self.pos = 0
        self.name = name
        for i, line in enumerate(self.lines):
            if len(line) > 254:
                raise CheckError("%s:%d: line longer than the readers' 255 characters" % (name, i + 1))
            if "\r" in line or "\t" in line:
                raise CheckError("%s:%d: carriage return or tab" % (name, i + 1))

    def next(self, what):
        if self.pos >= len(self.lines):
            raise CheckError("%s: file ends before %s" % (self.name, what))
        self.pos += 1
        return self.lines[self.pos - 1]

    def where(self):
        return "%s:%d" % (self.name, self.pos)

    def done(self):
        return self.pos >= len(self.lines)


def check_texture(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 18:
        raise CheckError("%s: shorter than a TGA header" % path)
    id_len, cmap_type, kind = data[0], data[1], data[2]
    width, height = struct.unpack("<hh", data[12:16])
    depth = data[16]
    if kind != 2 or depth != 32 or cmap_type != 0 or data[6] != 0:
        raise CheckError("%s: not an uncompressed 32-bit true-colour TGA" % path)
    for side in (width, height):
        if side <= 0 or side & (side - 1):
            raise CheckError("%s: side %d is not a power of two" % (path, side))
    if len(data) != 18 + id_len + width * height * 4:
        raise CheckError("%s: pixel block does not match %dx%d" % (path, width, height))


def read_model(path, out):
    """Reads a model file with the rules of the game's model reader and
    returns a summary; raises CheckError on anything the reader would not
    take or the game would draw wrong."""
    with open(path, "rb") as f:
        text = f.read().decode("ascii")
    r = Lines(text, path)
    info = {"frames": None, "meshes": [], "bounding": None, "bones": [], "materials": 0}
    mesh_materials = []
    while not r.done():
        line = r.next("a section")
        if line.startswith("//"):
            continue
        if re.match(r"^Frames:", line):
            info["frames"] = scan(line, "Frames: %d", r.where())[0]
        elif re.match(r"^Frame:", line):
            info["start"] = scan(line, "Frame: %d", r.where())[0]
        elif re.match(r"^Meshes:", line):
            count = scan(line, "Meshes: %d", r.where())[0]
            for i in range(count):
                head = r.next("a mesh header")
                m = re.match(r'^"([^"]+)"\s*(' + INT + r")\s*(" + INT + r")", head)
                if not m:
                    raise CheckError("%s: bad mesh header \"%s\"" % (r.where(), head))
                name, material = m.group(1), int(m.group(3))
                if len(name) > 31:
                    raise CheckError("%s: mesh name longer than 31 characters" % r.where())
                verts = []
                for _ in range(scan(r.next("the vertex count"), "%d", r.where())[0]):
                    v = scan(r.next("a vertex"), "%d %f %f %f %f %f %d", r.where())
                    verts.append((float(v[1]), float(v[2]), float(v[3]), v[6]))
                normals = []
                for _ in range(scan(r.next("the normal count"), "%d", r.where())[0]):
                    normals.append(tuple(float(x) for x in scan(r.next("a normal"), "%f %f %f", r.where())))
                tris = []
                for _ in range(scan(r.next("the triangle count"), "%d", r.where())[0]):
                    t = scan(r.next("a triangle"), "%d %d %d %d %d %d %d %d", r.where())
                    tri = t[1:7]
                    if not all(0 <= k < len(verts) for k in tri[:3]):
                        raise CheckError("%s: vertex index out of range" % r.where())
                    if name != "BoundingBox" and not all(0 <= k < len(normals) for k in tri[3:]):
                        raise CheckError("%s: normal index out of range" % r.where())
                    tris.append(tri)
                if name == "BoundingBox":
                    if i != count - 1:
                        raise CheckError("%s: BoundingBox is not the last mesh" % path)
                    edges = {}
                    for t in tris:
                        for a, b in ((t[0], t[1]), (t[1], t[2]), (t[2], t[0])):
                            key = (min(a, b), max(a, b))
                            edges[key] = edges.get(key, 0) + 1
                    if not tris or any(c != 2 for c in edges.values()):
                        raise CheckError("%s: BoundingBox is not a closed surface" % path)
                    info["bounding"] = [v[:3] for v in verts]
                    continue
                for t in tris:
                    p = [verts[k][:3] for k in t[:3]]
                    if dot(cross(sub(p[1], p[0]), sub(p[2], p[0])), normals[t[3]]) <= 0:
                        raise CheckError("%s: mesh %s has a triangle facing away from its normal" % (path, name))
                info["meshes"].append({"name": name, "verts": verts, "tris": tris})
                mesh_materials.append(material)
        elif re.match(r"^Materials:", line):
            count = scan(line, "Materials: %d", r.where())[0]
            info["materials"] = count
            for _ in range(count):
                name = quoted(r.next("a material name"), r.where())
                if len(name) > 34:
                    raise CheckError("%s: material name longer than 34 characters" % r.where())
                for what in ("ambient", "diffuse", "specular", "emissive"):
                    scan(r.next(what), "%f %f %f %f", r.where())
                scan(r.next("the shininess"), "%f", r.where())
                scan(r.next("the transparency"), "%f", r.where())
                texture = quoted(r.next("the texture file"), r.where(), required=False)
                quoted(r.next("the alpha map"), r.where(), required=False)
                if texture:
                    if len(texture) > 31:
                        raise CheckError("%s: texture path longer than 31 characters" % r.where())
                    check_texture(os.path.join(out, texture.replace("\\", "/")))
        elif re.match(r"^Bones:", line):
            count = scan(line, "Bones: %d", r.where())[0]
            for _ in range(count):
                name = quoted(r.next("a bone name"), r.where())
                parent = quoted(r.next("a parent name"), r.where(), required=False)
                if len(name) > 31 or len(parent) > 31:
                    raise CheckError("%s: bone name longer than 31 characters" % r.where())
                scan(r.next("the rest pose"), "%d %f %f %f %f %f %f", r.where())
                known = [b.lower() for b in info["bones"]]
                if parent and parent.lower() not in known:
                    raise CheckError("%s: parent \"%s\" of bone \"%s\" is not an earlier bone"
                                     % (path, parent, name))
                if name.lower() in known:
                    raise CheckError("%s: bone \"%s\" named twice" % (path, name))
                for kind in ("position", "rotation"):
                    keys = scan(r.next(kind + " key count"), "%d", r.where())[0]
                    if keys < 1:
                        raise CheckError("%s: bone \"%s\" has no %s key" % (path, name, kind))
                    last = None
                    for _ in range(keys):
                        t = scan(r.next("a key"), "%f %f %f %f", r.where())[0]
                        if last is not None and t <= last:
                            raise CheckError("%s: keys of bone \"%s\" not in time order" % (r.where(), name))
                        last = t
                info["bones"].append(name)
    if info["frames"] is None:
        raise CheckError("%s: no \"Frames:\" line" % path)
    for m in mesh_materials:
        if not -1 <= m < info["materials"]:
            raise CheckError("%s: material index %d out of range" % (path, m))
    for mesh in info["meshes"]:
        for v in mesh["verts"]:
            if not -1 <= v[3] < len(info["bones"]):
                raise CheckError("%s: bone index %d out of range" % (path, v[3]))
    return info


def place(point, position, scale, rotation, pivot):
    """Where a model point lands in the level (bones at rest), following
    the game's placement: scale, turn about y then x around the pivot, move."""
    x, y, z = (point[i] * scale[i] - pivot[i] for i in range(3))
    ay, ax = math.radians(rotation[1]), math.radians(rotation[0])
    x, z = x * math.cos(ay) + z * math.sin(ay), -x * math.sin(ay) + z * math.cos(ay)
    y, z = y * math.cos(ax) - z * math.sin(ax), y * math.sin(ax) + z * math.cos(ax)
    return (x + pivot[0] + position[0], y + pivot[1] + position[1], z + pivot[2] + position[2])


def reach(points, obj):
    """Largest ground distance from the object's position to a placed point."""
    best = 0.0
    for p in points:
        q = place(p, obj["position"], obj["scale"], obj["rotation"], obj["pivot"])
        best = max(best, math.hypot(q[0] - obj["position"][0], q[2] - obj["position"][2]))
    return best


# Objects are collision-tested only while the player stands within 5 units
# of their position; anything they reach beyond this can be walked through.
REACH_LIMIT = 5.0 - 0.5


def read_object_file(path, out):
    with open(path, "rb") as f:
        r = Lines(f.read().decode("ascii"), path)
    objects, sorted_objects, level = [], [], None
    keywords = ("WaterAbyssObject", "AbyssObject", "LatticeObject", "SwitchObject", "Level", "DeathObject")
    while not r.done():
        line = r.next("a block")
        if line == "":
            continue
        if line not in keywords:
            raise CheckError("%s: stray line \"%s\" between blocks" % (r.where(), line))
        obj = {"kind": line}
        if line in ("Level", "AbyssObject", "WaterAbyssObject", "DeathObject"):
            word = r.next("the model name").split()
            if not word or len(word[0]) > 39:
                raise CheckError("%s: missing or overlong model name" % r.where())
            obj["model"] = word[0]
            static = r.next("static=")
            if not re.match(r"^static=\S", static):
                raise CheckError("%s: expected static=" % r.where())
            if line == "DeathObject":
                obj["static"] = static.split("=", 1)[1].split()[0] == "yes"
                animated = r.next("animated=")
                if not re.match(r"^animated=\S", animated):
                    raise CheckError("%s: expected animated=" % r.where())
                obj["animated"] = animated.split("=", 1)[1].split()[0] == "yes"
                scan(r.next("Startframe="), "Startframe=%f", r.where())
        elif line == "LatticeObject":
            axis = r.next("the block axis")
            if axis[:1] not in ("x", "z"):
                raise CheckError("%s: lattice axis must be x or z" % r.where())
            sign = scan(axis[1:], " %d", r.where())[0]
            if sign not in (1, -1):
                raise CheckError("%s: lattice sign must be 1 or -1" % r.where())
            scan(r.next("Up="), "Up=%f", r.where())
        elif line == "SwitchObject":
            scan(r.next("the press distance"), "%f", r.where())
            if scan(r.next("the press axis"), "%d", r.where())[0] not in (1, 2, 3):
                raise CheckError("%s: press axis must be 1, 2 or 3" % r.where())
        for key, field in (("Translation", "position"), ("RTranslation", "pivot"),
                           ("Rotation", "rotation"), ("Scaling", "scale")):
            obj[field] = [float(v) for v in scan(r.next(key), key + "=%f %f %f", r.where())]
        fps_format = "fps=%d" if line == "DeathObject" else "%d"
        obj["fps"] = scan(r.next("the frame rate"), fps_format, r.where())[0]
        n = scan(r.next("the segment count"), "%d", r.where())[0]
        for _ in range(max(n, 0)):
            scan(r.next("a segment start"), "%d", r.where())
        for _ in range(max(n - 1, 0)):
            scan(r.next("a segment speed"), "%f", r.where())

        if "model" in obj:
            model_path = os.path.join(out, "models", obj["model"])
            if not os.path.isfile(model_path):
                raise CheckError("%s: model %s does not exist" % (path, obj["model"]))
            obj["info"] = read_model(model_path, out)
        if line == "Level":
            if level is not None:
                raise CheckError("%s: second Level block" % path)
            level = obj
        elif line in ("WaterAbyssObject", "LatticeObject"):
            sorted_objects.append(obj)
        else:
            objects.append(obj)

        if line in ("AbyssObject", "WaterAbyssObject"):
            if obj["info"]["bounding"] is None:
                raise CheckError("%s: %s model %s has no BoundingBox, so it can never be touched"
                                 % (path, line, obj["model"]))
            points = obj["info"]["bounding"]
        elif line == "DeathObject":
            points = [v[:3] for m in obj["info"]["meshes"] for v in m["verts"]]
        elif line in ("LatticeObject", "SwitchObject"):
            points = [(sx, sy, sz) for sx in (-1, 1) for sy in (-1, 1) for sz in (-1, 1)]
        else:
            points = []
        if points and reach(points, obj) > REACH_LIMIT:
            raise CheckError("%s: a %s reaches %.2f units from its position, beyond the collision range"
                             % (path, line, reach(points, obj)))
    if level is None:
        raise CheckError("%s: no Level block" % path)
    return level, objects, sorted_objects


def read_level_format(path):
    with open(path, "rb") as f:
        r = Lines(f.read().decode("ascii"), path)
    count = scan(r.next("the wall count"), "%d", r.where())[0]
    walls = []
    for _ in range(count):
        line = r.next("a wall")
        m = re.match(r"^(%s) +(%s) +(%s) +(%s) +([xz]) +(%s) +(%s)$" % (FLOAT, FLOAT, FLOAT, FLOAT, INT, INT), line)
        if not m:
            raise CheckError("%s: bad wall line \"%s\"" % (r.where(), line))
        x1, z1, x2, z2 = (float(m.group(i)) for i in range(1, 5))
        sign, target = int(m.group(6)), int(m.group(7))
        if sign not in (1, -1) or target > 3 or (x1, z1) == (x2, z2):
            raise CheckError("%s: bad sign, target level or zero length" % r.where())
        walls.append((x1, z1, x2, z2, m.group(5), sign, target))
    if not r.done():
        raise CheckError("%s: lines after the last wall" % path)
    return walls


def read_action_file(path, objects, sorted_objects):
    with open(path, "rb") as f:
        r = Lines(f.read().decode("ascii"), path)
    links = 0
    while not r.done():
        line = r.next("a block")
        if line == "":
            continue
        letter, source = line[:1], scan(line[1:], " %d", r.where())[0]
        sources = objects if letter == "o" else sorted_objects if letter == "t" else None
        if sources is None or not 0 <= source < len(sources):
            raise CheckError("%s: source %s %d does not exist" % (r.where(), letter, source))
        if sources[source]["kind"] != "SwitchObject":
            raise CheckError("%s: source %s %d is no switch, so its links never fire" % (r.where(), letter, source))
        for targets in (objects, sorted_objects):
            for _ in range(scan(r.next("num"), "num %d", r.where())[0]):
                k = scan(r.next("a position"), "%d", r.where())[0]
                if not 0 <= k < len(targets):
                    raise CheckError("%s: position %d outside its list of %d" % (r.where(), k, len(targets)))
                if targets[k]["kind"] not in ("DeathObject", "LatticeObject"):
                    raise CheckError("%s: position %d is a %s, which a switch cannot move"
                                     % (r.where(), k, targets[k]["kind"]))
                links += 1
    return links


def inside(point, walls):
    """True if a ray from the point toward +x crosses the wall outline an odd
    number of times, i.e. the walls enclose it."""
    px, pz = point
    crossings = 0
    for x1, z1, x2, z2, _, _, _ in walls:
        if (z1 > pz) != (z2 > pz):
            x = x1 + (pz - z1) * (x2 - x1) / (z2 - z1)
            if x > px:
                crossings += 1
    return crossings % 2 == 1


def check(out):
    """Validates the content in out; returns a list of one-line summaries."""
    summary = []
    for name in ("wasser.tga", "boden.tga"):
        check_texture(os.path.join(out, "texturen", name))
    player = read_model(os.path.join(out, "models", "tarnel.txt"), out)
    if player["bounding"] is None:
        raise CheckError("tarnel.txt: the player needs a BoundingBox to collide")
    if player["frames"] != 70:
        raise CheckError("tarnel.txt: the player's animation must have 70 frames")
    summary.append("tarnel.txt: %d meshes, %d bones" % (len(player["meshes"]), len(player["bones"])))
    for n in (1, 2, 3):
        level_dir = os.path.join(out, "levels")
        level, objects, sorted_objects = read_object_file(os.path.join(level_dir, "level%d.cfg" % n), out)
        walls = read_level_format(os.path.join(level_dir, "levelformat%d.txt" % n))
        links = read_action_file(os.path.join(level_dir, "action%d.txt" % n), objects, sorted_objects)
        if not any(w[6] >= 1 for w in walls):
            raise CheckError("level %d has no exit" % n)
        if not inside((0.0, 0.0), walls):
            raise CheckError("level %d: the start at the origin is not inside the walls" % n)
        summary.append("level %d: %d objects, %d sorted objects, %d walls, %d links"
                       % (n, len(objects), len(sorted_objects), len(walls), links))
    total = 0
    for root, _, names in os.walk(out):
        for name in names:
            size = os.path.getsize(os.path.join(root, name))
            if size > 1024 * 1024:
                raise CheckError("%s is larger than 1 MB" % name)
            total += size
    if total > 2 * 1024 * 1024:
        raise CheckError("content is larger than 2 MB")
    summary.append("%d bytes in all" % total)
    return summary


def main():
    default_out = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
    parser = argparse.ArgumentParser(description="Writes and checks the game's models, levels and textures.")
    parser.add_argument("--out", default=default_out, help="directory to write (default: the repository's data/)")
    parser.add_argument("--check", metavar="DIR", help="only check the content in DIR")
    parser.add_argument("--quiet", action="store_true", help="print nothing on success")
    args = parser.parse_args()
    out = args.check or args.out
    if not args.check:
        generate(out)
    try:
        summary = check(out)
    except (CheckError, OSError, UnicodeDecodeError) as e:
        print("make_content: check failed: %s" % e, file=sys.stderr)
        return 1
    if not args.quiet:
        for line in summary:
            print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
