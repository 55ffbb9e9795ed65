"""What a level is made of, so that each level file reads as a description
of its places and challenges: floors over the abyss, walls, pits, a doorway
to the next level, the deadly things, switches, lattices and water.

Conventions of the game that shape everything here:
- Invisible walls block only forward and backward steps; strafing passes
  them. So the world outside the walls is abyss, right behind every wall
  line: strafing through a wall ends in a fall, never in standing outside.
  The abyss volumes are laid out automatically around everything walkable.
- Neither the drawn body nor the camera knows about the visible geometry.
  So what stands behind a wall line is kept out of their way, by the margins
  of margins.py (derived from the game's constants): a low parapet just
  beyond the body's reach, lower than the camera ever comes; anything taller
  beyond the camera's reach, or overhead, above it. margins.check_level()
  proves it for every level, and make_content.py refuses a level that fails.
- Objects are tested only within 5 units of their position, so no object
  reaches further than REACH from it.
"""

import math

from . import margins
from .model import Material, Mesh, Model, num, nums


def _up(value, step=0.01):
    return round(math.ceil(value / step - 1e-9) * step, 6)


def _down(value, step=0.01):
    return round(math.floor(value / step + 1e-9) * step, 6)


# Behind every wall line, from the margins (rounded outward):
PARAPET_OFFSET = _up(margins.PARAPET_OFFSET_MIN + 0.005)   # the parapet's inner face
PARAPET_THICKNESS = 0.3
PARAPET_HEIGHT = _down(margins.LOW_ENOUGH - 0.01)          # its top, below the camera's lowest sweep
ABYSS_OFFSET = PARAPET_OFFSET                              # the abyss starts under the parapet
CORNER_CUT = _up(margins.CORNER_CLEAR + 0.005)             # no parapet this near a reflex corner or free end
ABYSS_NOTCH = _up(margins.ABYSS_CORNER_CLEAR + 0.005)      # no abyss this near a reflex corner
SLIP_CLEAR = _up(margins.BODY_REACH + 0.005)               # no parapet this near a corner slip
SLIP_ABYSS = _up(margins.BOX_REACH + 0.005)                # no abyss this near one
TALL_OFFSET = _up(margins.TALL_OFFSET_MIN + 0.005)         # anything taller, this far behind a line
OVERHEAD = _up(margins.HIGH_ENOUGH + 0.03)                 # or with its bottom this high
assert margins.ABYSS_OFFSET_MIN < ABYSS_OFFSET < margins.ABYSS_OFFSET_MAX
assert PARAPET_THICKNESS >= CORNER_CUT - PARAPET_OFFSET    # the two arms of a notched corner still meet

CLIFF_DEPTH = 3.0        # how far the rock below a floor's edge is drawn down
MARGIN = 4.0             # abyss around everything solid: more than a jump covers
ABYSS_TILE = 6.0         # largest side of one abyss volume
INSET = 0.05             # abyss volumes stop short of an open floor edge
SKY_RADIUS = 62.0
REACH = 4.5
BRICK_SCALE = 1.25       # texture repeats per unit on masonry: brick courses 0.1 high


class Theme:
    """The look of a level: its textures and the colour of its light."""

    def __init__(self, floor, wall, light, sky, sky_texture="himmel.tga", stars=False):
        self.floor = floor              # texture of the paved floor
        self.wall = wall                # texture of parapets and towers
        self.light = light              # (r, g, b) multiplying every material
        self.sky = sky                  # (r, g, b) of the sky
        self.sky_texture = sky_texture  # the sky's texture
        self.stars = stars              # a night: stars and a moon before the sky


def _tint(colour, light, alpha=1):
    return tuple(round(c * t, 3) for c, t in zip(colour, light)) + (alpha,)


def _rect(x0, x1, z0, z1):
    return (min(x0, x1), max(x0, x1), min(z0, z1), max(z0, z1))


def _inside(r, x, z):
    return r[0] < x < r[1] and r[2] < z < r[3]


def _wall_frame(wall):
    """A wall's line in its own terms: (along, lo, hi, line, out) with `along`
    the axis it runs on (0 for x, 1 for z), its extent lo..hi on it, the
    coordinate of its line on the other axis, and `out` the sign of the side
    it blocks (the outside)."""
    x1, z1, x2, z2, axis, sign, _ = wall
    if axis == "z":
        return 0, min(x1, x2), max(x1, x2), z1, sign
    return 1, min(z1, z2), max(z1, z2), x1, sign


def _strip(wall, ends, extend, near, far):
    """The rectangle behind a wall from `near` to `far` beyond its line,
    along its extent, lengthened by extend[kind] at each end of that kind."""
    along, lo, hi, line, out = _wall_frame(wall)
    lo -= extend.get(ends[0], 0.0)
    hi += extend.get(ends[1], 0.0)
    a, b = sorted((line + out * near, line + out * far))
    return (lo, hi, a, b) if along == 0 else (a, b, lo, hi)


class Level:
    def __init__(self, number, title, theme, next_level):
        self.number = number
        self.title = title
        self.theme = theme
        self.next_level = next_level
        self.floors = []      # (rect, kind): where the player walks; kind "paved" or "planks"
        self.holes = []       # rects cut out of the floors
        self.waters = []      # rects of water, also cut out of the floors
        self.walls = []       # (x1, z1, x2, z2, axis, sign, target)
        self.fills = []       # rects of parapet masonry besides the walls' own (gate cheeks)
        self.decor = []       # (rect, kind): floor that is seen but never walked on
        self.blocks = []      # solid boxes of the level model: (lo, hi, kind)
        self.portals = []     # the lit planes of doorways: (four corners, the normal facing the way in)
        self.markings = []    # warning stripes on the floor
        self.entries = []     # object blocks in file order: (list, lines)
        self.links = []       # (switch position, objects, sorted objects)
        self.models = {}      # model files the objects use
        self.lattices = {}    # sorted position: (x, y, z, half width, half height, turn, up)
        self.ambient = None   # the level's ambient bed, a sound name
        self.sounds = []      # (entry, sound name): what the sound file gives an object

    # -- places ------------------------------------------------------------
    def floor(self, x0, x1, z0, z1, kind="paved"):
        """Floor the player walks on. Every wall lies on the edge of the floor,
        with the floor on the side it lets the player walk from."""
        self.floors.append((_rect(x0, x1, z0, z1), kind))

    def pit(self, x0, x1, z0, z1, marked=True):
        """A hole in the floor down to the depths."""
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
        steps toward `outside` ("+x", "-x", "+z" or "-z"), the side without
        floor. Its parapet and the abyss behind it are laid out from all the
        walls together (masonry(), abyss_rects()). Walls run along x or z."""
        sign = 1 if outside[0] == "+" else -1
        axis = outside[1]
        assert (axis == "z") == (z1 == z2) and (axis == "x") == (x1 == x2), "a wall runs across its axis"
        self.walls.append((x1, z1, x2, z2, axis, sign, target))

    def fill(self, x0, x1, z0, z1):
        """Parapet masonry over a patch of the abyss, such as the cheeks of a
        gate; cut back from reflex corners like the walls' own."""
        self.fills.append(_rect(x0, x1, z0, z1))

    def tower(self, x, z, size=0.3, top=2.6):
        """A tall brick column rising from the depths, standing where neither
        body nor camera comes (the margin check proves it)."""
        self.blocks.append(((x - size, -CLIFF_DEPTH - 1, z - size), (x + size, top, z + size), "wall"))
        self.blocks.append(((x - size - 0.04, top, z - size - 0.04), (x + size + 0.04, top + 0.08, z + size + 0.04),
                            "coping"))

    def doorway(self, x1, z1, x2, z2, outside):
        """The exit across the end of a walkway, whose side walls meet its
        ends: the invisible wall that leads to the next level, a threshold
        of light beyond it, and the lit arch it leads to, standing beyond
        the camera's reach."""
        self.wall(x1, z1, x2, z2, outside, target=self.next_level)
        along, a, b, line, out = _wall_frame(self.walls[-1])
        post, depth, height = 0.35, 0.5, 2.4

        def box(u0, u1, d0, d1, y0, y1, kind):
            c0, c1 = sorted((line + out * d0, line + out * d1))
            if along == 0:
                self.blocks.append(((u0, y0, c0), (u1, y1, c1), kind))
            else:
                self.blocks.append(((c0, y0, u0), (c1, y1, u1), kind))

        def ground(u0, u1, d0, d1, kind):
            c0, c1 = sorted((line + out * d0, line + out * d1))
            self.decor.append(((u0, u1, c0, c1) if along == 0 else (c0, c1, u0, u1), kind))

        near = TALL_OFFSET
        ground(a, b, 0, near, "light")
        ground(a - post, b + post, near, near + depth, "paved")
        box(a - post, a, near, near + depth, -CLIFF_DEPTH - 1, height, "frame")
        box(b, b + post, near, near + depth, -CLIFF_DEPTH - 1, height, "frame")
        box(a - post, b + post, near, near + depth, height, height + 0.35, "frame")
        back = line + out * (near + depth - 0.1)
        corners = [(a, 0), (b, 0), (b, height), (a, height)]
        facing = (0.0, 0.0, -out) if along == 0 else (-out, 0.0, 0.0)
        self.portals.append(([(u, y, back) if along == 0 else (back, y, u) for u, y in corners], facing))

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
               static=False, start_frame=0, sound=None):
        """A DeathObject; `turn` is its rotation about y in degrees, `sound`
        the loop it plays while it moves (sounds/NAME.wav; blade without)."""
        self.use(name, model)
        lines = [name, "static=" + ("yes" if static else "no"), "animated=" + ("yes" if animated else "no"),
                 "Startframe=" + num(start_frame)]
        lines += placement(position, (size, size, size), (0, turn, 0)) + ["fps=%d" % fps]
        lines += segments([1, frames], [fps]) if fps else segments([], [])
        entry = self._add("DeathObject", lines)
        if sound:
            self.sounds.append((entry, sound))
        return entry

    def switch(self, x, z):
        """A plate whose top stands 0.12 above the floor; pressed, it sinks by
        0.1 and stays just visible."""
        self.mark(x - 0.45, x + 0.45, z - 0.45, z + 0.45)
        return self._add("SwitchObject", ["-0.1", "2"] + placement((x, 0.06, z), (0.25, 0.06, 0.25))
                         + ["0"] + segments([], []))

    def lattice(self, x, z, across, width, blocks):
        """A grille standing across the way at (x, z), from the floor up into
        the gatehouse overhead: `across` is the axis it spans ("x" or "z"),
        `blocks` the direction it stops ("+x", "-z", ...). One switch raises
        it by its own height, wholly into the gatehouse, above the camera."""
        height = OVERHEAD + 0.1
        up = height
        turn = 0 if across == "x" else 90
        lines = ["%s %d" % (blocks[1], 1 if blocks[0] == "+" else -1), "Up=" + num(up)]
        y = height / 2 - up
        lines += placement((x, y, z), (width / 2, height / 2, 1), (0, turn, 0)) + ["0"] + segments([], [])
        entry = self._add("LatticeObject", lines)
        self.lattices[entry[1]] = (x, y, z, width / 2, height / 2, turn, up)
        return entry

    def gatehouse(self, x, z, across, width, depth=0.5, span=3.6):
        """The housing over a gate that its lattices rise into, on a beam
        between two towers `span` to either side of (x, z)."""
        height = OVERHEAD + 0.1
        top = 2 * height + 0.12  # the lattice raised by its height, and a lid

        def box(u0, u1, d0, d1, y0, y1, kind):
            if across == "x":
                self.blocks.append(((x + u0, y0, z + d0), (x + u1, y1, z + d1), kind))
            else:
                self.blocks.append(((x + d0, y0, z + u0), (x + d1, y1, z + u1), kind))

        w = width / 2 + 0.12
        box(-w, w, -depth / 2, depth / 2, OVERHEAD, top, "frame")
        box(-span, span, -0.2, 0.2, OVERHEAD + 0.15, OVERHEAD + 0.55, "wall")
        for side in (-1, 1):
            box(side * span - 0.3, side * span + 0.3, -0.3, 0.3, -CLIFF_DEPTH - 1, top, "wall")
            box(side * span - 0.34, side * span + 0.34, -0.34, 0.34, top, top + 0.08, "coping")

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

    # -- the walls together --------------------------------------------------
    def wall_ends(self):
        """Per wall, what each of its ends meets (in the order of
        _ends_sorted: lower coordinate first): "concave" (another wall turns
        toward the floor: an inner corner of the walkway), "reflex" (another
        wall turns away: the player can reach the corner point itself),
        "straight" (another wall goes on in line) or "free" (no other wall
        ends there)."""
        return [tuple(kind for kind, _ in ends) for ends in self.corners()]

    def corners(self):
        """Per wall, per end as in wall_ends(): (kind, index of the other wall)."""
        if getattr(self, "_corners", (None, None))[0] == len(self.walls):
            return self._corners[1]
        out = []
        for i, wall in enumerate(self.walls):
            x1, z1, x2, z2, axis, sign, _ = wall
            normal = (sign, 0) if axis == "x" else (0, sign)
            found = []
            for end, other_end in (((x1, z1), (x2, z2)), ((x2, z2), (x1, z1))):
                kind, partner = "free", None
                for j, w in enumerate(self.walls):
                    if j == i:
                        continue
                    for p, q in (((w[0], w[1]), (w[2], w[3])), ((w[2], w[3]), (w[0], w[1]))):
                        if abs(p[0] - end[0]) > 1e-6 or abs(p[1] - end[1]) > 1e-6 or p == q:
                            continue
                        d = (q[0] - p[0], q[1] - p[1])
                        facing = d[0] * normal[0] + d[1] * normal[1]
                        if abs(facing) < 1e-9:
                            back = (other_end[0] - end[0]) * d[0] + (other_end[1] - end[1]) * d[1]
                            if back < 0:
                                kind, partner = "straight", j
                        else:
                            kind, partner = ("concave" if facing < 0 else "reflex"), j
                    lo, hi = sorted(((w[0], w[1]), (w[2], w[3])))
                    if lo < end < hi and (lo[0] == end[0] == hi[0] or lo[1] == end[1] == hi[1]):
                        raise ValueError("level %d: the wall from (%g, %g) to (%g, %g) ends in the middle of "
                                         "another; split that one there" % ((self.number,) + wall[:4]))
                found.append((kind, partner))
            out.append(tuple(_sorted_ends(wall, found)))
        self._corners = (len(self.walls), out)
        return out

    def reflex_corners(self):
        points = set()
        for wall, kinds in zip(self.walls, self.wall_ends()):
            for point, kind in zip(_ends_sorted(wall), kinds):
                if kind == "reflex":
                    points.add(point)
        return sorted(points)

    def masonry(self):
        """(parapet rects, ground rects, keep-out rects): the parapets behind
        the ordinary walls and the fills, the floor drawn under and before
        them, and the squares around reflex corners where no parapet stands."""
        parapets, ground, keepout = [], [], []
        reach = PARAPET_OFFSET + PARAPET_THICKNESS
        # At a concave corner a parapet runs on round the corner; at a reflex
        # one it stops short of the other wall's line as far as it stands
        # behind its own, and the corner's square is left free; at a free end
        # the player can come round, so it stops a corner's clearance short.
        ends_by = {"concave": reach, "reflex": -PARAPET_OFFSET, "free": -CORNER_CUT}
        for wall, ends in zip(self.walls, self.wall_ends()):
            if wall[6]:
                continue
            parapets.append(_strip(wall, ends, ends_by, PARAPET_OFFSET, reach))
            ground.append(_strip(wall, ends, {"concave": reach}, 0, reach))
        for x, z in self.reflex_corners():
            keepout.append((x - CORNER_CUT, x + CORNER_CUT, z - CORNER_CUT, z + CORNER_CUT))
        for r in margins.corner_slips(self):
            keepout.append(_grown(r, SLIP_CLEAR))
        parapets += self.fills
        ground += self.fills
        return parapets, ground, keepout

    # -- output ------------------------------------------------------------
    def bounds(self):
        parapets, ground, _ = self.masonry()
        rects = [r for r, _ in self.floors] + [r for r, _ in self.decor] + ground
        rects += [(lo[0], hi[0], lo[2], hi[2]) for lo, hi, _ in self.blocks]
        return (min(r[0] for r in rects), max(r[1] for r in rects), min(r[2] for r in rects), max(r[3] for r in rects))

    def layout(self, split=2.0):
        """The ground plan cut at every edge of its rectangles: per cell its
        floor kind (None over the abyss), whether a parapet stands on it, and
        whether it is water."""
        parapets, ground, keepout = self.masonry()
        walk = list(self.floors) + [(r, "paved") for r in ground] + list(self.decor)
        rects = [r for r, _ in walk] + self.holes + self.waters + parapets + keepout
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
                if kind is None:
                    for r, k in [(r, "paved") for r in ground] + list(self.decor):
                        if _inside(r, cx, cz):
                            kind = k
                water = any(_inside(r, cx, cz) for r in self.waters)
                if water or any(_inside(r, cx, cz) for r in self.holes):
                    kind = None
                wall = (any(_inside(r, cx, cz) for r in parapets)
                        and not any(_inside(r, cx, cz) for r in keepout))
                cells[i, j] = (kind, wall, water)
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
            Material("Deckstein", _tint((0.5, 0.49, 0.47), t.light), _tint((0.92, 0.9, 0.86), t.light),
                     texture="./texturen/stein.tga"),
            Material("Fels", _tint((0.35, 0.33, 0.32), t.light), _tint((0.7, 0.67, 0.64), t.light),
                     texture="./texturen/fels.tga"),
            Material("Himmel", (0, 0, 0, 1), (0, 0, 0, 1), emissive=t.sky + (1,),
                     texture="./texturen/" + t.sky_texture),
        ]
        names = ("Pflaster", "Planken", "Mauer", "Rahmen", "Licht", "Warnung", "Deckstein", "Fels", "Himmel")
        paved, planks, walls, frames, light, marks, coping, cliff, sky = (Mesh(n, i) for i, n in enumerate(names))
        floor_mesh = {"paved": paved, "planks": planks, "light": light}

        xs, zs, cells = self.layout()
        h = PARAPET_HEIGHT
        for (i, j), (kind, wall, _) in cells.items():
            c = [(xs[i], 0, zs[j]), (xs[i + 1], 0, zs[j]), (xs[i + 1], 0, zs[j + 1]), (xs[i], 0, zs[j + 1])]
            if wall:
                coping.quad([(x, h, z) for x, _, z in c], (0, 1, 0), [(p[0] / 2, p[2] / 2) for p in c])
            elif kind is not None:
                scale = 0.4 if kind == "light" else 0.5
                floor_mesh[kind].quad(c, (0, 1, 0), [(p[0] * scale, p[2] * scale) for p in c])
        # Faces between cells: a parapet's sides, and the rock below an edge.
        for (i, j), (kind, wall, _) in cells.items():
            for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                other = cells.get((i + di, j + dj), (None, False, False))
                if di:
                    x = xs[i + 1] if di > 0 else xs[i]
                    edge = ((x, zs[j]), (x, zs[j + 1]))
                else:
                    z = zs[j + 1] if dj > 0 else zs[j]
                    edge = ((xs[i], z), (xs[i + 1], z))
                normal = (float(di), 0.0, float(dj))
                if wall and not other[1]:
                    _face(walls, edge, 0, h, normal, BRICK_SCALE)
                if (kind is not None or wall) and other[0] is None and not other[1] and not other[2]:
                    _cliff(cliff, edge, normal)
        for lo, hi, kind in self.blocks:
            mesh = {"wall": walls, "coping": coping, "frame": frames, "light": light}[kind]
            scale = {"wall": BRICK_SCALE, "light": 0.4}.get(kind, 1.0)
            mesh.box(lo, hi, faces="+x -x +y -y +z -z" if lo[1] > 0 else "+x -x +y +z -z", uv_scale=scale)
        for corners, facing in self.portals:
            light.quad(corners, facing, [(0.02, 0.02), (0.98, 0.02), (0.98, 0.98), (0.02, 0.98)])
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
        night = Mesh("Sterne", len(m.materials))
        if t.stars:
            # Lit by the bright core of the doorway's light (every material of a level is textured).
            m.materials.append(Material("Sterne", (0, 0, 0, 1), (0, 0, 0, 1), emissive=(1, 1, 0.95, 1),
                                        texture="./texturen/tuer.tga"))
            _stars(night, centre, SKY_RADIUS * 0.9)
        # Drawn last, so that the depth test spares it wherever the level stands.
        m.meshes = [paved, planks, walls, coping, cliff, frames, marks, light, night, sky]
        return m

    def raised_lattices(self):
        """(name, footprint, y0, y1) of every lattice where the switches that
        raise it leave it, all of them pressed."""
        out = []
        for position, (x, y, z, half_w, half_h, turn, up) in sorted(self.lattices.items()):
            raised = sum(to_sorted.count(position) for _, _, to_sorted in self.links)
            centre = y + (raised + 1) * up
            ends = [(x - half_w, z), (x + half_w, z)] if turn == 0 else [(x, z - half_w), (x, z + half_w)]
            out.append(("lattice %d" % position, ends, centre - half_h, centre + half_h))
        return out

    def abyss_rects(self):
        """Abyss over everything that is not floor within MARGIN of the level:
        right behind every wall line (from ABYSS_OFFSET), short of every open
        floor edge (by INSET), and clear of reflex corners (by ABYSS_NOTCH).
        Per square tile of the reach an object may have, the free part is
        cut into as few rectangles as a greedy cover finds."""
        solid = [(r[0] - INSET, r[1] + INSET, r[2] - INSET, r[3] + INSET) for r, _ in self.floors]
        for wall, ends in zip(self.walls, self.wall_ends()):
            solid.append(_strip(wall, ends, {"concave": ABYSS_OFFSET}, 0, ABYSS_OFFSET))
        for x, z in self.reflex_corners():
            solid.append((x - ABYSS_NOTCH, x + ABYSS_NOTCH, z - ABYSS_NOTCH, z + ABYSS_NOTCH))
        for r in margins.corner_slips(self):
            solid.append(_grown(r, SLIP_ABYSS))
        holes = [(r[0] + INSET, r[1] - INSET, r[2] + INSET, r[3] - INSET) for r in self.holes]
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
            lines.append(["AbyssObject", "abgrund.txt", "static=yes"]
                         + placement(((x0 + x1) / 2, 0, (z0 + z1) / 2), (x1 - x0, 1, z1 - z0))
                         + ["0"] + segments([], []))
        return lines

    def name(self):
        """The level's name as the game shows it: its title, capitalised."""
        text = " ".join(w if w in ("of", "the") and k else w[:1].upper() + w[1:]
                        for k, w in enumerate(self.title.split()))
        assert len(text) <= 40 and all(32 <= ord(c) < 127 for c in text)
        return text

    def files(self):
        """{file name: text} of the level's files."""
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
        files = {"level%d.cfg" % n: cfg,
                 "levelformat%d.txt" % n: "\n".join(walls) + "\n",
                 "action%d.txt" % n: "\n\n".join(actions) + ("\n" if actions else ""),
                 "name%d.txt" % n: self.name() + "\n"}
        if self.ambient or self.sounds:
            lines = ["# The sounds of %s (docs/LEVELS.md, section 9): its bed, and the" % self.name(),
                     "# loops of its deadly objects that are no blade."]
            if self.ambient:
                lines.append("ambient %s" % self.ambient)
            for (listed, index), sound in self.sounds:
                lines.append("%s %d %s" % ("o" if listed == "objects" else "t", index, sound))
            files["sound%d.txt" % n] = "\n".join(lines) + "\n"
        return files

    def all_models(self):
        from .props import abyss
        models = dict(self.models)
        models["abgrund.txt"] = abyss()
        models["level%d.txt" % self.number] = self.level_model()
        return models


def _grown(r, by):
    return (r[0] - by, r[1] + by, r[2] - by, r[3] + by)


def _ends_sorted(wall):
    """A wall's two end points, lower coordinate first along its line."""
    x1, z1, x2, z2 = wall[:4]
    return sorted(((x1, z1), (x2, z2)))


def _sorted_ends(wall, kinds):
    """The kinds of a wall's ends (given for its first, then second point)
    in the order of _ends_sorted."""
    x1, z1, x2, z2 = wall[:4]
    return kinds if (x1, z1) <= (x2, z2) else kinds[::-1]


def _stars(mesh, centre, radius, count=260):
    """Stars: small squares facing the centre, scattered over the upper sky
    from integer hashing; and a moon low over the level."""
    from .textures import hash01

    def disc(direction, size, sides=4):
        d = direction
        side = (-d[2], 0.0, d[0])
        length = math.hypot(side[0], side[2])
        side = (side[0] / length, 0.0, side[2] / length)
        up = (d[1] * side[2] - d[2] * side[1], d[2] * side[0] - d[0] * side[2], d[0] * side[1] - d[1] * side[0])
        p = tuple(centre[k] + d[k] * radius for k in range(3))
        ring = []
        for i in range(sides):
            a = 2 * math.pi * (i + 0.5) / sides
            q = tuple(p[k] + (math.cos(a) * side[k] + math.sin(a) * up[k]) * size for k in range(3))
            ring.append(mesh.vertex(q[0], q[1], q[2], 0.5, 0.5, -1))
        inward = tuple(-k for k in d)
        for i in range(1, sides - 1):
            mesh.triangle(ring[0], ring[i], ring[i + 1], inward)

    for k in range(count):
        azimuth = hash01(k, 1, 120) * 2 * math.pi
        elevation = math.asin(0.12 + 0.86 * hash01(k, 2, 121))
        d = (math.cos(elevation) * math.sin(azimuth), math.sin(elevation), math.cos(elevation) * math.cos(azimuth))
        disc(d, 0.1 + 0.12 * hash01(k, 3, 122) ** 3)
    elevation, azimuth = math.radians(22), math.radians(200)
    moon = (math.cos(elevation) * math.sin(azimuth), math.sin(elevation), math.cos(elevation) * math.cos(azimuth))
    disc(moon, 1.4, sides=20)


def _face(mesh, edge, y0, y1, normal, scale):
    """A vertical face on a ground edge, world-anchored: its pattern goes on
    across every joint."""
    (ax, az), (bx, bz) = edge
    c = [(ax, y0, az), (bx, y0, bz), (bx, y1, bz), (ax, y1, az)]
    u = (lambda p: p[2]) if ax == bx else (lambda p: p[0])
    mesh.quad(c, normal, [(u(p) * scale, p[1] * scale) for p in c])


def _cliff(mesh, edge, normal):
    """The rock under a floor's edge, from a pale lip at the floor down into
    darkness (the texture runs from its top row down once)."""
    (ax, az), (bx, bz) = edge
    c = [(ax, -CLIFF_DEPTH, az), (bx, -CLIFF_DEPTH, bz), (bx, 0, bz), (ax, 0, az)]
    u = (lambda p: p[2]) if ax == bx else (lambda p: p[0])
    mesh.quad(c, normal, [(u(p) * 0.5, 0.004 + 0.992 * (1 + p[1] / CLIFF_DEPTH)) for p in c])


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
