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
    ... --checker PATH                          # the zarnoth-check to run

After writing, the script runs zarnoth-check (built with the game) on what it
wrote and stops with its findings if it reports any error or warning: the
game's own readers are the only judge of the formats.

data/zarnoth.ini is not written here.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
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
# Checking: the game's own readers, through zarnoth-check, judge what was
# written. The generator has no rules of its own about the formats.

# Content the game loads at every level change stays small.
FILE_LIMIT = 1024 * 1024
TOTAL_LIMIT = 2 * 1024 * 1024


class CheckError(Exception):
    pass


def find_checker(given):
    """The zarnoth-check to run: --checker, $ZARNOTH_CHECK, a build of this
    repository, or the one on PATH."""
    if given:
        return given
    if os.environ.get("ZARNOTH_CHECK"):
        return os.environ["ZARNOTH_CHECK"]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    for build in ("build-release", "build"):
        candidate = os.path.join(root, build, "zarnoth-check")
        if os.access(candidate, os.X_OK):
            return candidate
    found = shutil.which("zarnoth-check")
    if found:
        return found
    raise CheckError("zarnoth-check not found: build it (cmake --build build-release --target zarnoth-check) "
                     "or name it with --checker")


def check(out, checker):
    """Runs zarnoth-check on out; every error and warning fails the check.
    Returns a list of one-line summaries."""
    result = subprocess.run([checker, out], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        raise CheckError("zarnoth-check found problems (exit status %d):\n%s"
                         % (result.returncode, result.stdout.rstrip("\n")))
    total = 0
    for root, _, names in os.walk(out):
        for name in names:
            size = os.path.getsize(os.path.join(root, name))
            if size > FILE_LIMIT:
                raise CheckError("%s is larger than 1 MB" % name)
            total += size
    if total > TOTAL_LIMIT:
        raise CheckError("content is larger than 2 MB")
    return ["zarnoth-check: clean", "%d bytes in all" % total]


def main():
    default_out = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
    parser = argparse.ArgumentParser(description="Writes and checks the game's models, levels and textures.")
    parser.add_argument("--out", default=default_out, help="directory to write (default: the repository's data/)")
    parser.add_argument("--check", metavar="DIR", help="only check the content in DIR")
    parser.add_argument("--checker", metavar="PATH", help="the zarnoth-check to run (default: $ZARNOTH_CHECK, "
                        "build-release/ or build/ of this repository, or PATH)")
    parser.add_argument("--quiet", action="store_true", help="print nothing on success")
    args = parser.parse_args()
    out = args.check or args.out
    if not args.check:
        generate(out)
    try:
        summary = check(out, find_checker(args.checker))
    except (CheckError, OSError) as e:
        print("make_content: check failed: %s" % e, file=sys.stderr)
        return 1
    if not args.quiet:
        for line in summary:
            print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
