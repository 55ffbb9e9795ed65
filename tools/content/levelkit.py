"""What a level is made of, so that each level file reads as a description
of its places and challenges: floors over the abyss, walls, pits, a doorway
to the next level, the deadly things, switches, lattices and water.

Conventions of the game that shape everything here:
- Invisible walls block only forward and backward steps; strafing passes
  them. So the world outside the walls is abyss: strafing through a wall
  ends in a fall, never in standing outside. The abyss volumes are laid out
  automatically around everything solid.
- Visible walls stand behind their invisible lines by the body's half-width,
  as solid blocks, so the body does not sink into them and a camera behind
  one sees stone.
- Objects are tested only within 5 units of their position, so no object
  reaches further than REACH from it.
"""

import math

from .model import Material, Mesh, Model, num, nums

WALL_HEIGHT = 1.3
WALL_THICKNESS = 0.45
BODY_HALF_WIDTH = 0.12   # half the player's collision box across its heading
SLAB_DEPTH = 0.6         # how far floors and walls reach down at an edge
MARGIN = 4.0             # abyss around everything solid: more than a jump covers
ABYSS_TILE = 6.0         # largest side of one abyss volume
INSET = 0.05             # abyss volumes stop short of the floor's edge
SKY_RADIUS = 62.0
REACH = 4.5


class Theme:
    """The look of a level: its textures and the colour of its light."""

    def __init__(self, floor, wall, light, sky):
        self.floor = floor    # texture of the paved floor
        self.wall = wall      # texture of walls and pillars
        self.light = light    # (r, g, b) multiplying every material
        self.sky = sky        # (r, g, b) of the sky


def _tint(colour, light, alpha=1):
    return tuple(round(c * t, 3) for c, t in zip(colour, light)) + (alpha,)


def _rect(x0, x1, z0, z1):
    return (min(x0, x1), max(x0, x1), min(z0, z1), max(z0, z1))


def _inside(r, x, z):
    return r[0] < x < r[1] and r[2] < z < r[3]


class Level:
    def __init__(self, number, title, theme, next_level):
        self.number = number
        self.title = title
        self.theme = theme
        self.next_level = next_level
        self.floors = []      # (rect, kind) with kind "paved" or "planks"
        self.holes = []       # rects cut out of the floors
        self.waters = []      # rects of water, also cut out of the floors
        self.walls = []       # (x1, z1, x2, z2, axis, sign, target)
        self.blocks = []      # solid boxes of the level model: (lo, hi, kind)
        self.markings = []    # warning stripes on the floor
        self.entries = []     # object blocks in file order: (list, lines)
        self.links = []       # (switch position, objects, sorted objects)
        self.models = {}      # model files the objects use

    # -- places ------------------------------------------------------------
    def floor(self, x0, x1, z0, z1, kind="paved"):
        self.floors.append((_rect(x0, x1, z0, z1), kind))

    def pit(self, x0, x1, z0, z1, marked=True):
        """A hole in the floor down to the sky below."""
        r = _rect(x0, x1, z0, z1)
        self.holes.append(r)
        if marked:
            self._rim(r)

    def _rim(self, r, width=0.2):
        x0, x1, z0, z1 = r
        self.markings += [(x0 - width, x1 + width, z0 - width, z0), (x0 - width, x1 + width, z1, z1 + width),
                          (x0 - width, x0, z0, z1), (x1, x1 + width, z0, z1)]

    def mark(self, x0, x1, z0, z1):
        """Warning stripes on the floor before a danger."""
        self.markings.append(_rect(x0, x1, z0, z1))

    def wall(self, x1, z1, x2, z2, outside, target=0):
        """An invisible wall on the line from (x1, z1) to (x2, z2), blocking
        steps toward `outside` ("+x", "-x", "+z" or "-z"), and its visible block
        beyond it. Walls run along x or z."""
        sign = 1 if outside[0] == "+" else -1
        axis = outside[1]
        self.walls.append((x1, z1, x2, z2, axis, sign, target))
        if target:
            return
        near, far = BODY_HALF_WIDTH, BODY_HALF_WIDTH + WALL_THICKNESS
        if axis == "x":
            xs = sorted((x1 + sign * near, x1 + sign * far))
            lo, hi = (xs[0], -SLAB_DEPTH, min(z1, z2)), (xs[1], WALL_HEIGHT, max(z1, z2))
        else:
            zs = sorted((z1 + sign * near, z1 + sign * far))
            lo, hi = (min(x1, x2), -SLAB_DEPTH, zs[0]), (max(x1, x2), WALL_HEIGHT, zs[1])
        self.blocks.append((lo, hi, "wall"))
        # The floor runs on under the wall, so that no sky shows between them.
        if axis == "x":
            self.floors.append((_rect(x1, x1 + sign * far, z1, z2), "paved"))
        else:
            self.floors.append((_rect(x1, x2, z1, z1 + sign * far), "paved"))
        for end in ((x1, z1), (x2, z2)):
            self.pillar(end[0] + (sign * (near + WALL_THICKNESS / 2) if axis == "x" else 0),
                        end[1] + (sign * (near + WALL_THICKNESS / 2) if axis == "z" else 0))

    def pillar(self, x, z, size=0.32, height=WALL_HEIGHT + 0.15):
        self.blocks.append(((x - size, -SLAB_DEPTH, z - size), (x + size, height, z + size), "pillar"))

    def corridor_walls(self, points, width, sides="lr"):
        """Walls both sides of a path through the given points (axis-aligned
        legs), `width` apart; l and r say which sides get a wall."""
        h = width / 2
        for (ax, az), (bx, bz) in zip(points, points[1:]):
            if ax == bx:
                lo, hi = sorted((az, bz))
                if "l" in sides:
                    self.wall(ax - h, lo, ax - h, hi, "-x")
                if "r" in sides:
                    self.wall(ax + h, lo, ax + h, hi, "+x")
            else:
                lo, hi = sorted((ax, bx))
                if "l" in sides:
                    self.wall(lo, az - h, hi, az - h, "-z")
                if "r" in sides:
                    self.wall(lo, az + h, hi, az + h, "+z")

    def doorway(self, x1, z1, x2, z2, outside):
        """The exit: a lit opening in a stone frame. The invisible wall across
        the opening leads to the next level."""
        self.wall(x1, z1, x2, z2, outside, target=self.next_level)
        sign = 1 if outside[0] == "+" else -1
        axis = outside[1]
        post, depth = 0.22, 0.5
        if axis == "z":
            zs = sorted((z1 + sign * 0.05, z1 + sign * (0.05 + depth)))
            a, b = sorted((x1, x2))
            self.blocks.append(((a - post, -SLAB_DEPTH, zs[0]), (a, 1.6, zs[1]), "frame"))
            self.blocks.append(((b, -SLAB_DEPTH, zs[0]), (b + post, 1.6, zs[1]), "frame"))
            self.blocks.append(((a - post, 1.6, zs[0]), (b + post, 1.9, zs[1]), "frame"))
            zp = z1 + sign * (0.05 + depth)
            self.blocks.append(((a, -SLAB_DEPTH, min(zp, zp + sign * 0.1)), (b, 1.6, max(zp, zp + sign * 0.1)),
                                "light"))
            self.floors.append(((a - post, b + post, zs[0] - 0.1, zs[1] + 0.1), "paved"))
        else:
            xs = sorted((x1 + sign * 0.05, x1 + sign * (0.05 + depth)))
            a, b = sorted((z1, z2))
            self.blocks.append(((xs[0], -SLAB_DEPTH, a - post), (xs[1], 1.6, a), "frame"))
            self.blocks.append(((xs[0], -SLAB_DEPTH, b), (xs[1], 1.6, b + post), "frame"))
            self.blocks.append(((xs[0], 1.6, a - post), (xs[1], 1.9, b + post), "frame"))
            xp = x1 + sign * (0.05 + depth)
            self.blocks.append(((min(xp, xp + sign * 0.1), -SLAB_DEPTH, a), (max(xp, xp + sign * 0.1), 1.6, b),
                                "light"))
            self.floors.append(((xs[0] - 0.1, xs[1] + 0.1, a - post, b + post), "paved"))

    # -- things ------------------------------------------------------------
    def _add(self, kind, lines):
        listed = "sorted" if kind in ("WaterAbyssObject", "LatticeObject") else "objects"
        index = sum(1 for k, _ in self.entries if k == listed)
        self.entries.append((listed, [kind] + lines))
        return (listed, index)

    def use(self, name, model):
        assert len(name) <= 39 and " " not in name
        self.models[name] = model
        return name

    def deadly(self, name, model, position, turn=0, size=1.0, fps=0, frames=1, animated=True,
               static=False, start_frame=0):
        """A DeathObject; `turn` is its rotation about y in degrees."""
        self.use(name, model)
        lines = [name, "static=" + ("yes" if static else "no"), "animated=" + ("yes" if animated else "no"),
                 "Startframe=" + num(start_frame)]
        lines += placement(position, (size, size, size), (0, turn, 0)) + ["fps=%d" % fps]
        lines += segments([1, frames], [fps]) if fps else segments([], [])
        return self._add("DeathObject", lines)

    def switch(self, x, z):
        """A plate whose top stands 0.12 above the floor; pressed, it sinks by
        0.1 and stays just visible."""
        self.mark(x - 0.45, x + 0.45, z - 0.45, z + 0.45)
        return self._add("SwitchObject", ["-0.1", "2"] + placement((x, 0.06, z), (0.25, 0.06, 0.25))
                         + ["0"] + segments([], []))

    def lattice(self, x, z, across, width, height, rises, blocks):
        """A grille standing across the way at (x, z): `across` is the axis it
        spans ("x" or "z"), `blocks` the direction it stops ("+x", "-z", ...).
        It rises by height / rises at each activation, so `rises` links open it."""
        half_h = height / 2
        up = height / rises
        turn = 0 if across == "x" else 90
        lines = ["%s %d" % (blocks[1], 1 if blocks[0] == "+" else -1), "Up=" + num(up)]
        lines += placement((x, half_h - up, z), (width / 2, half_h, 1), (0, turn, 0)) + ["0"] + segments([], [])
        return self._add("LatticeObject", lines)

    def water(self, x0, x1, z0, z1):
        """Water over the abyss: a basin under an animated surface."""
        r = _rect(x0, x1, z0, z1)
        self.waters.append(r)
        self._rim(r, 0.15)
        w, d = r[1] - r[0], r[3] - r[2]
        from .props import basin
        name = self.use("becken_%s_%s.txt" % (num(w).replace(".", "_"), num(d).replace(".", "_")), basin(w, d))
        return self._add("WaterAbyssObject", [name, "static=yes"] + placement((r[0], 0, r[2]), (w, 1, d))
                         + ["0"] + segments([], []))

    def link(self, switch, *targets):
        assert switch[0] == "objects"
        self.links.append((switch[1], [t[1] for t in targets if t[0] == "objects"],
                           [t[1] for t in targets if t[0] == "sorted"]))

    # -- output ------------------------------------------------------------
    def bounds(self):
        rects = [r for r, _ in self.floors] + [(lo[0], hi[0], lo[2], hi[2]) for lo, hi, _ in self.blocks]
        return (min(r[0] for r in rects), max(r[1] for r in rects), min(r[2] for r in rects), max(r[3] for r in rects))

    def solid_cells(self, split=2.0):
        """The level cut at every edge of its rectangles: per cell whether it
        is floor (and of which kind) or solid block."""
        rects = [r for r, _ in self.floors] + self.holes + self.waters
        rects += [(lo[0], hi[0], lo[2], hi[2]) for lo, hi, _ in self.blocks]
        b = self.bounds()
        xs = sorted({v for r in rects for v in r[:2]} | {b[0] - MARGIN, b[1] + MARGIN})
        zs = sorted({v for r in rects for v in r[2:]} | {b[2] - MARGIN, b[3] + MARGIN})
        if split:
            xs, zs = _split(xs, split), _split(zs, split)
        cells = {}
        for i in range(len(xs) - 1):
            for j in range(len(zs) - 1):
                cx, cz = (xs[i] + xs[i + 1]) / 2, (zs[j] + zs[j + 1]) / 2
                kind = None
                for r, k in self.floors:
                    if _inside(r, cx, cz):
                        kind = k
                if any(_inside(r, cx, cz) for r in self.holes + self.waters):
                    kind = None
                block = any(_inside((lo[0], hi[0], lo[2], hi[2]), cx, cz) for lo, hi, _ in self.blocks)
                cells[i, j] = (kind, block)
        return xs, zs, cells

    def level_model(self):
        t = self.theme
        m = Model("Level %d: %s" % (self.number, self.title), frames=1)
        m.materials = [
            Material("Pflaster", _tint((0.42, 0.4, 0.38), t.light), _tint((0.8, 0.78, 0.74), t.light),
                     texture="./texturen/" + t.floor),
            Material("Planken", _tint((0.45, 0.4, 0.35), t.light), _tint((0.8, 0.75, 0.68), t.light),
                     texture="./texturen/planken.tga"),
            Material("Mauer", _tint((0.42, 0.4, 0.38), t.light), _tint((0.75, 0.72, 0.68), t.light),
                     texture="./texturen/" + t.wall),
            Material("Rahmen", _tint((0.4, 0.38, 0.36), t.light), _tint((0.8, 0.78, 0.75), t.light),
                     (0.6, 0.6, 0.6, 1), shininess=40, texture="./texturen/metall.tga"),
            Material("Licht", (0, 0, 0, 1), (0, 0, 0, 1), emissive=(1, 1, 1, 1), texture="./texturen/tuer.tga"),
            Material("Warnung", _tint((0.5, 0.48, 0.44), t.light), _tint((0.7, 0.68, 0.64), t.light),
                     texture="./texturen/warnung.tga"),
            Material("Himmel", (0, 0, 0, 1), (0, 0, 0, 1), emissive=t.sky + (1,), texture="./texturen/himmel.tga"),
        ]
        paved, planks, walls, frames, light, marks, sky = (Mesh(n, i) for i, n in enumerate(
            ("Pflaster", "Planken", "Mauer", "Rahmen", "Licht", "Warnung", "Himmel")))
        floor_mesh = {"paved": paved, "planks": planks}

        xs, zs, cells = self.solid_cells()
        for (i, j), (kind, block) in cells.items():
            if kind is None or block:
                continue
            c = [(xs[i], 0, zs[j]), (xs[i + 1], 0, zs[j]), (xs[i + 1], 0, zs[j + 1]), (xs[i], 0, zs[j + 1])]
            floor_mesh[kind].quad(c, (0, 1, 0), [(p[0] / 2, p[2] / 2) for p in c])
        # Cliff faces where a floor ends at the abyss.
        for (i, j), (kind, block) in cells.items():
            if kind is None:
                continue
            for di, dj, face in ((1, 0, "+x"), (-1, 0, "-x"), (0, 1, "+z"), (0, -1, "-z")):
                other = cells.get((i + di, j + dj), (None, False))
                if other[0] is None and not other[1]:
                    mesh = floor_mesh[kind]
                    mesh.box((xs[i], -SLAB_DEPTH, zs[j]), (xs[i + 1], 0, zs[j + 1]), faces=face, uv_scale=0.5)
        for lo, hi, kind in self.blocks:
            mesh = {"wall": walls, "pillar": walls, "frame": frames, "light": light}[kind]
            mesh.box(lo, hi, faces="+x -x +y +z -z", uv_scale=1.0 if kind != "light" else 0.6)
        for x0, x1, z0, z1 in self.markings:
            c = [(x0, 0.004, z0), (x1, 0.004, z0), (x1, 0.004, z1), (x0, 0.004, z1)]
            marks.quad(c, (0, 1, 0), [(p[0], p[2]) for p in c])
        b = self.bounds()
        centre = ((b[0] + b[1]) / 2, 0, (b[2] + b[3]) / 2)
        assert math.hypot(b[1] - b[0], b[3] - b[2]) / 2 + SKY_RADIUS < 96, "the sky would reach the far plane"
        sky.ellipsoid(centre, (SKY_RADIUS, SKY_RADIUS, SKY_RADIUS), -1, sides=16, rings=8)
        for k, tri in enumerate(sky.triangles):  # seen from inside
            sky.triangles[k] = (tri[0], tri[2], tri[1], tri[3], tri[5], tri[4])
        sky.normals = [(-x, -y, -z) for x, y, z in sky.normals]
        # Drawn last, so that the depth test spares it wherever the level stands.
        m.meshes = [paved, planks, walls, frames, marks, light, sky]
        return m

    def abyss_rects(self):
        """Abyss over everything that is neither floor nor block, within
        MARGIN of the level: per square tile of the reach an object may have,
        the free part cut into as few rectangles as a greedy cover finds."""
        # Blocks stand on floor or beside it; abyss under one can only be
        # reached by strafing through a wall, where a fall is what is wanted.
        solid = [r for r, _ in self.floors]
        holes = self.holes
        b = self.bounds()
        x0, z0 = b[0] - MARGIN, b[2] - MARGIN
        rects = []
        tx = x0
        while tx < b[1] + MARGIN:
            tz = z0
            while tz < b[3] + MARGIN:
                rects += _free_cover((tx, tx + ABYSS_TILE, tz, tz + ABYSS_TILE), solid, holes, self.waters)
                tz += ABYSS_TILE
            tx += ABYSS_TILE
        return rects

    def abyss_blocks(self):
        lines = []
        for x0, x1, z0, z1 in self.abyss_rects():
            x0, x1, z0, z1 = x0 + INSET, x1 - INSET, z0 + INSET, z1 - INSET
            lines.append(["AbyssObject", "abgrund.txt", "static=yes"]
                         + placement(((x0 + x1) / 2, 0, (z0 + z1) / 2), (x1 - x0, 1, z1 - z0))
                         + ["0"] + segments([], []))
        return lines

    def files(self):
        """{file name: text} of the level's three files."""
        n = self.number
        blocks = [["Level", "level%d.txt" % n, "static=yes"] + placement((0, 0, 0), (1, 1, 1)) + ["0"]
                  + segments([], [])]
        blocks += [lines for _, lines in self.entries]
        blocks += self.abyss_blocks()
        cfg = "\n\n".join("\n".join(b) for b in blocks) + "\n"
        walls = ["%d" % len(self.walls)] + ["%s %s %d %d" % (nums(x1, z1, x2, z2), axis, sign, target)
                                            for x1, z1, x2, z2, axis, sign, target in self.walls]
        actions = []
        for source, to_objects, to_sorted in self.links:
            lines = ["o %d" % source, "num %d" % len(to_objects)] + ["%d" % k for k in to_objects]
            lines += ["num %d" % len(to_sorted)] + ["%d" % k for k in to_sorted]
            actions.append("\n".join(lines))
        return {"level%d.cfg" % n: cfg,
                "levelformat%d.txt" % n: "\n".join(walls) + "\n",
                "action%d.txt" % n: "\n\n".join(actions) + ("\n" if actions else "")}

    def all_models(self):
        from .props import abyss
        models = dict(self.models)
        models["abgrund.txt"] = abyss()
        models["level%d.txt" % self.number] = self.level_model()
        return models


def _free_cover(tile, solid, holes, waters):
    """Rectangles covering the part of `tile` outside every solid rectangle
    (holes count as free, water as neither: it has its own volume)."""
    def clip(rs):
        return [r for r in rs if r[0] < tile[1] and r[1] > tile[0] and r[2] < tile[3] and r[3] > tile[2]]
    solid, holes, waters = clip(solid), clip(holes), clip(waters)
    rs = solid + holes + waters
    xs = sorted({tile[0], tile[1]} | {min(max(v, tile[0]), tile[1]) for r in rs for v in r[:2]})
    zs = sorted({tile[2], tile[3]} | {min(max(v, tile[2]), tile[3]) for r in rs for v in r[2:]})
    free = set()
    for i in range(len(xs) - 1):
        for j in range(len(zs) - 1):
            cx, cz = (xs[i] + xs[i + 1]) / 2, (zs[j] + zs[j + 1]) / 2
            if any(_inside(r, cx, cz) for r in waters):
                continue
            if any(_inside(r, cx, cz) for r in holes) or not any(_inside(r, cx, cz) for r in solid):
                free.add((i, j))
    out = []
    while free:
        best = None
        for (i, j) in sorted(free):
            for order in (0, 1):
                i2, j2 = i + 1, j + 1
                if order == 0:
                    while (i2, j) in free:
                        i2 += 1
                    while all((k, j2) in free for k in range(i, i2)):
                        j2 += 1
                else:
                    while (i, j2) in free:
                        j2 += 1
                    while all((i2, k) in free for k in range(j, j2)):
                        i2 += 1
                area = (xs[i2] - xs[i]) * (zs[j2] - zs[j])
                if best is None or area > best[0] + 1e-9:
                    best = (area, i, i2, j, j2)
        _, i, i2, j, j2 = best
        for a in range(i, i2):
            for c in range(j, j2):
                free.discard((a, c))
        out.append((xs[i], xs[i2], zs[j], zs[j2]))
    return out


def _split(values, step):
    """Adds cut lines so that no cell is longer than `step` (lighting is per
    vertex, and long cells light poorly)."""
    out = [values[0]]
    for v in values[1:]:
        start = out[-1]
        gap = v - start
        pieces = max(1, int(math.ceil(gap / step - 1e-9)))
        out += [round(start + gap * k / pieces, 6) for k in range(1, pieces)]
        out.append(v)
    return out


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
