"""Where the player's body and the camera can be, and how far visible
geometry must stand from there, derived from the game's own constants.

The game blocks the player with invisible wall lines, tested against a
circle of radius PLAYER_RADIUS around the player's ground point P; the
camera looks at P from CAMERA_DISTANCE behind, orbiting the point
CAMERA_HEIGHT above it. Neither the drawn body nor the camera knows about
the level's visible geometry, so the content must keep that geometry out of
their way. Everything here is derived from these constants:

- One step: the movement block is tested before a step, so P gets within
  PLAYER_RADIUS - STEP of a wall line (STEP at the slowest frame rate the
  levels are made for), and one step past the end of a wall or the corner
  where two walls meet at a reflex angle.
- The body's reach: the largest horizontal distance of any vertex of the
  player's model from P over the walk, the jump and the landing, sampled
  between the key frames; its top, with the jump's height added.
- The camera: its eye moves on a sphere around (P, CAMERA_HEIGHT), from one
  turning step below the level view to straight above; everything within
  NEAR_REACH of the eye (the near plane's farthest corner, at the widest
  window) is cut open on screen.

check_level() applies these to a level: every triangle of the level's model,
every raised lattice, every wall's abyss behind it. It returns the problems
in words; make_content.py refuses content that has any.
"""

import math

# -- the game's constants -------------------------------------------------------
PLAYER_RADIUS = 0.2        # the circle the walls test, around P
WALK_SPEED = 4.0           # units per second, forward, backward and strafing
TURN_SPEED = 160.0         # degrees per second, turning and tilting the camera
SLOWEST_FPS = 30.0         # the frame rate the margins hold for (and any faster one)
MODEL_SCALE = 0.002        # the player's model units to world units
CAMERA_DISTANCE = 1.5
CAMERA_HEIGHT = 0.5
FIELD_OF_VIEW = 45.0       # degrees, vertical (gluPerspective)
NEAR_PLANE = 0.1
WIDEST_ASPECT = 2.4        # width / height of the widest window considered (21:9)
JUMP_SPEED = 0.7           # units per second, up and down
JUMP_RISE = 0.4            # seconds of rising
OBJECT_RANGE = 5.0         # objects are tested only this near their position
FLOOR_SKIN = 0.01          # geometry no higher than this is floor: stood on, never entered
POSED_FRAMES = (1.0, 60.0)  # walk 1-30, jump 30-45, landing 45-60 (death is not play)

# -- derived ----------------------------------------------------------------------
STEP = WALK_SPEED / SLOWEST_FPS
CLOSEST = PLAYER_RADIUS - STEP                     # how near a wall line P comes
PITCH_OVERSHOOT = TURN_SPEED / SLOWEST_FPS         # degrees past level and past straight above
EYE_LOWEST = CAMERA_HEIGHT - CAMERA_DISTANCE * math.sin(math.radians(PITCH_OVERSHOOT))
EYE_HIGHEST = CAMERA_HEIGHT + CAMERA_DISTANCE
_half = math.tan(math.radians(FIELD_OF_VIEW / 2))
NEAR_REACH = NEAR_PLANE * math.sqrt(1 + _half * _half * (1 + WIDEST_ASPECT * WIDEST_ASPECT))
LOW_ENOUGH = EYE_LOWEST - NEAR_REACH               # tops below this never meet the camera
HIGH_ENOUGH = EYE_HIGHEST + NEAR_REACH             # bottoms above this never meet the camera
CAMERA_REACH = CAMERA_DISTANCE + NEAR_REACH        # horizontally, from P
JUMP_PEAK = JUMP_SPEED * (JUMP_RISE + 1 / SLOWEST_FPS)  # the rise ends within a frame of its time


def player_box():
    """Half width across the heading, half depth along it, and height of the
    player's collision box in world units, from the character's model."""
    from .character import make_player
    lo, hi = make_player().bounding
    return (max(-lo[0], hi[0]) * MODEL_SCALE, max(-lo[2], hi[2]) * MODEL_SCALE, hi[1] * MODEL_SCALE)


_BOX = player_box()
BOX_NEAR = min(_BOX[0], _BOX[1])                   # the box reaches this far in every direction
BOX_REACH = math.hypot(_BOX[0], _BOX[1])           # and no farther than this


# -- the body's reach, from the model's key frames --------------------------------
def _rotation(angles, translation):
    """A bone matrix as the game builds it: 16 floats, column-major."""
    cx, sx = math.cos(angles[0]), math.sin(angles[0])
    cy, sy = math.cos(angles[1]), math.sin(angles[1])
    cz, sz = math.cos(angles[2]), math.sin(angles[2])
    return [cy * cz, cy * sz, -sy, 0, sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy, 0,
            cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy, 0,
            translation[0], translation[1], translation[2], 1]


def _multiply(a, b):
    out = [0.0] * 16
    for c in range(3):
        for r in range(3):
            out[c * 4 + r] = sum(a[k * 4 + r] * b[c * 4 + k] for k in range(3))
    for r in range(3):
        out[12 + r] = sum(a[k * 4 + r] * b[12 + k] for k in range(3)) + a[12 + r]
    out[15] = 1.0
    return out


def _key(keys, t):
    i = 0
    if len(keys) >= 2:
        while i < len(keys) - 1 and keys[i][0] < t:
            i += 1
    if i >= 1:
        a, b = keys[i - 1], keys[i]
        s = (t - a[0]) / (b[0] - a[0])
        return tuple(a[k] + s * (b[k] - a[k]) for k in (1, 2, 3))
    return tuple(keys[0][1:4])


def body_extent(model, frames=POSED_FRAMES, step=0.25):
    """(largest horizontal distance, highest point) of the model's vertices,
    posed as the game poses them at every `step` of the frames, in world units."""
    bones = model.bones
    index = {b.name: i for i, b in enumerate(bones)}
    rest = []
    for b in bones:
        local = _rotation(b.rest_rotation, b.rest_position)
        rest.append(_multiply(rest[index[b.parent]], local) if b.parent else local)
    points = []
    for mesh in model.meshes:
        for x, y, z, _, _, bone in mesh.vertices:
            m = rest[bone]
            d = (x - m[12], y - m[13], z - m[14])
            points.append((bone, (m[0] * d[0] + m[1] * d[1] + m[2] * d[2], m[4] * d[0] + m[5] * d[1] + m[6] * d[2],
                                  m[8] * d[0] + m[9] * d[1] + m[10] * d[2])))
    reach = top = 0.0
    t = frames[0]
    while t <= frames[1] + 1e-9:
        posed = []
        for b in bones:
            r = _multiply(_rotation(b.rest_rotation, b.rest_position),
                          _rotation(_key(b.rotation_keys, t), _key(b.position_keys, t)))
            posed.append(_multiply(posed[index[b.parent]], r) if b.parent else r)
        for bone, (x, y, z) in points:
            m = posed[bone]
            px, py, pz = (m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
                          m[2] * x + m[6] * y + m[10] * z + m[14])
            reach = max(reach, math.hypot(px, pz))
            top = max(top, py)
        t += step
    return reach * MODEL_SCALE, top * MODEL_SCALE


def _body():
    from .character import make_player
    return body_extent(make_player())


BODY_REACH, _STANDING_TOP = _body()
BODY_TOP = _STANDING_TOP + JUMP_PEAK

# -- what the level kit needs from these ------------------------------------------
PARAPET_OFFSET_MIN = BODY_REACH - CLOSEST          # a wall's masonry behind its line
ABYSS_OFFSET_MIN = BOX_REACH - CLOSEST             # a wall's abyss behind its line
ABYSS_OFFSET_MAX = PLAYER_RADIUS + BOX_NEAR        # a player this far past the line, free of it, must fall
TALL_OFFSET_MIN = CAMERA_REACH - CLOSEST           # anything the camera could meet, behind the line
CORNER_CLEAR = STEP + BODY_REACH                   # masonry from a reflex corner or a free wall end
ABYSS_CORNER_CLEAR = STEP + BOX_REACH              # abyss from a reflex corner


def summary():
    """The margins in words, for the level guide and for a curious author."""
    return "\n".join([
        "one step at %g fps: %.3f; the player's point comes within %.3f of a wall line" % (SLOWEST_FPS, STEP, CLOSEST),
        "the body reaches %.3f from that point and %.3f up (with the jump)" % (BODY_REACH, BODY_TOP),
        "the player's box reaches %.3f to %.3f from it" % (BOX_NEAR, BOX_REACH),
        "the camera's eye: %.3f to %.3f high; its near plane reaches %.3f from it" % (EYE_LOWEST, EYE_HIGHEST,
                                                                                     NEAR_REACH),
        "free of the camera: tops below %.3f, bottoms above %.3f, or %.3f away" % (LOW_ENOUGH, HIGH_ENOUGH,
                                                                                  CAMERA_REACH),
        "behind a wall line: masonry from %.3f, abyss from %.3f to %.3f, tall things from %.3f" % (
            PARAPET_OFFSET_MIN, ABYSS_OFFSET_MIN, ABYSS_OFFSET_MAX, TALL_OFFSET_MIN),
        "around a reflex corner or a free wall end: masonry from %.3f, abyss from %.3f" % (CORNER_CLEAR,
                                                                                           ABYSS_CORNER_CLEAR),
    ])


# -- the clearance one piece of geometry needs ------------------------------------
_needed = {}


def needed_distance(y0, y1):
    """How far horizontally from every place the player's point can be a piece
    of visible geometry spanning heights y0 to y1 must stand, so that neither
    the body nor the camera's near plane enters it."""
    key = (round(y0, 6), round(y1, 6))
    if key in _needed:
        return _needed[key]
    need = BODY_REACH if y1 > FLOOR_SKIN and y0 < BODY_TOP else 0.0
    samples = 2000
    low, high = -PITCH_OVERSHOOT, 90.0 + PITCH_OVERSHOOT
    slack = CAMERA_DISTANCE * math.radians((high - low) / samples)  # the eye's travel between samples
    for k in range(samples + 1):
        pitch = math.radians(low + (high - low) * k / samples)
        ex = CAMERA_DISTANCE * math.cos(pitch)
        ey = CAMERA_HEIGHT + CAMERA_DISTANCE * math.sin(pitch)
        dy = max(0.0, y0 - ey, ey - y1)
        if dy < NEAR_REACH:
            need = max(need, ex + math.sqrt(NEAR_REACH * NEAR_REACH - dy * dy) + slack)
    _needed[key] = need
    return need


# -- plane geometry -------------------------------------------------------------
def _point_segment(p, a, b):
    dx, dz = b[0] - a[0], b[1] - a[1]
    length = dx * dx + dz * dz
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dz) / length))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dz)


def _cross(o, a, b):
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])


def _segments_cross(a, b, c, d):
    d1, d2, d3, d4 = _cross(c, d, a), _cross(c, d, b), _cross(a, b, c), _cross(a, b, d)
    return ((d1 > 0) != (d2 > 0)) and ((d3 > 0) != (d4 > 0)) and d1 * d2 < 0 and d3 * d4 < 0


def _inside_polygon(p, poly):
    """Point in a convex polygon (either winding), edges included."""
    if len(poly) < 3:
        return False
    signs = [_cross(poly[i], poly[(i + 1) % len(poly)], p) for i in range(len(poly))]
    return all(s >= -1e-12 for s in signs) or all(s <= 1e-12 for s in signs)


def polygon_rect_distance(poly, rect):
    """Distance on the ground between a convex polygon (or segment, or point)
    and a rectangle (x0, x1, z0, z1)."""
    x0, x1, z0, z1 = rect
    if any(x0 <= p[0] <= x1 and z0 <= p[1] <= z1 for p in poly):
        return 0.0
    corners = [(x0, z0), (x1, z0), (x1, z1), (x0, z1)]
    if any(_inside_polygon(c, poly) for c in corners):
        return 0.0
    edges = [(poly[i], poly[(i + 1) % len(poly)]) for i in range(len(poly))] if len(poly) > 1 else [(poly[0], poly[0])]
    sides = [(corners[i], corners[(i + 1) % 4]) for i in range(4)]
    best = float("inf")
    for a, b in edges:
        for c, d in sides:
            if _segments_cross(a, b, c, d):
                return 0.0
            best = min(best, _point_segment(a, c, d), _point_segment(b, c, d), _point_segment(c, a, b),
                       _point_segment(d, a, b))
    return best


def rect_distance(a, b):
    dx = max(0.0, a[0] - b[1], b[0] - a[1])
    dz = max(0.0, a[2] - b[3], b[2] - a[3])
    return math.hypot(dx, dz)


def _inside(r, x, z):
    return r[0] < x < r[1] and r[2] < z < r[3]


def _merge_cells(xs, zs, cells):
    """Greedy rectangles covering a set of grid cells (i, j)."""
    free = set(cells)
    out = []
    for (i, j) in sorted(free):
        if (i, j) not in free:
            continue
        i2 = i + 1
        while (i2, j) in free:
            i2 += 1
        j2 = j + 1
        while all((k, j2) in free for k in range(i, i2)):
            j2 += 1
        for a in range(i, i2):
            for c in range(j, j2):
                free.discard((a, c))
        out.append((xs[i], xs[i2], zs[j], zs[j2]))
    return out


# -- the level: where the player's point can be -----------------------------------
def free_ground(level):
    """Rectangles where the player's point can be without touching a wall
    (the walls' test includes the circle's edge): the floor, and the pits and
    the water, which a jump carries the player over; the point reaches at
    most STEP beyond them. (A jump off an open edge also carries the player
    over the abyss for a moment, on the way to a certain death: not counted.)"""
    walk = [r for r, _ in level.floors] + list(level.holes) + list(level.waters)
    gone = []
    slabs = [wall_slab(w) for w in level.walls]
    xs = sorted({v for r in walk + gone + slabs for v in r[:2]})
    zs = sorted({v for r in walk + gone + slabs for v in r[2:]})
    cells = []
    for i in range(len(xs) - 1):
        for j in range(len(zs) - 1):
            cx, cz = (xs[i] + xs[i + 1]) / 2, (zs[j] + zs[j + 1]) / 2
            if (any(_inside(r, cx, cz) for r in walk) and not any(_inside(r, cx, cz) for r in gone)
                    and not any(_inside(r, cx, cz) for r in slabs)):
                cells.append((i, j))
    return _merge_cells(xs, zs, cells)


def wall_slab(wall):
    """Where the player's point touches a wall: within PLAYER_RADIUS of the
    line, beside the segment (the game's test ignores the ends' caps)."""
    x1, z1, x2, z2 = wall[:4]
    r = PLAYER_RADIUS
    if z1 == z2:
        return (min(x1, x2), max(x1, x2), z1 - r, z1 + r)
    return (x1 - r, x1 + r, min(z1, z2), max(z1, z2))


def corner_slips(level):
    """Where the player's point slips past a wall line in a concave corner.
    Of several walls touched in one pass the last one's block wins, so a
    player touching two walls of a corner may step toward the other one as
    long as the step leads away from the last; the step ends the touch of
    the last wall (its segment ends at the corner), so the point goes at most
    one step past the other wall's line, within PLAYER_RADIUS of the corner's
    other wall. Either wall may be the one passed. Exits are left out: a
    touched exit loads the next level."""
    slips = []
    for wall, ends in zip(level.walls, level.corners()):
        if wall[6]:
            continue
        along, lo, hi, line, out = _frame(wall)
        for (kind, partner), at, inward in ((ends[0], lo, 1), (ends[1], hi, -1)):
            if kind != "concave" or level.walls[partner][6]:
                continue
            a, b = sorted((at, at + inward * PLAYER_RADIUS))
            c, d = sorted((line, line + out * STEP))
            slips.append((a, b, c, d) if along == 0 else (c, d, a, b))
    return slips


def _frame(wall):
    """(axis it runs on, 0 for x; extent lo, hi; coordinate of its line; sign of its outside)."""
    x1, z1, x2, z2, axis, sign, _ = wall
    if axis == "z":
        return 0, min(x1, x2), max(x1, x2), z1, sign
    return 1, min(z1, z2), max(z1, z2), x1, sign


# -- the checks -------------------------------------------------------------------
PIECES = {"Mauer": "masonry", "Deckstein": "a coping or cap", "Rahmen": "a frame or gatehouse",
          "Licht": "a doorway's light", "Fels": "rock", "Pflaster": "floor", "Planken": "planks"}


def visible_pieces(level):
    """(name, footprint, y0, y1) for every triangle of the level's model that
    stands above the floor, and for every lattice where its last switch leaves
    it. A closed lattice is left out: it is a flat see-through grille that
    stands in the way on purpose and has no inside to enter."""
    pieces = []
    model = level.level_model()
    for mesh in model.meshes:
        for tri in mesh.triangles:
            pts = [mesh.vertices[k][:3] for k in tri[:3]]
            y0, y1 = min(p[1] for p in pts), max(p[1] for p in pts)
            if y1 <= FLOOR_SKIN:
                continue
            name = "%s (%s)" % (PIECES[mesh.name], mesh.name) if mesh.name in PIECES else mesh.name
            pieces.append((name, [(p[0], p[2]) for p in pts], y0, y1))
    for name, corners, y0, y1 in level.raised_lattices():
        pieces.append((name, corners, y0, y1))
    return pieces


def reach(level):
    """Where the player's point can be, as (rect, grow): it stands on the
    free ground and at most one step (grow) beyond; in a concave corner it
    may slip a step past a wall line (the slips, exact)."""
    return [(r, STEP) for r in free_ground(level)] + [(r, 0.0) for r in corner_slips(level)]


def check_geometry(level):
    """Problems of visible geometry that the body or the camera would enter."""
    places = reach(level)
    problems = {}
    for name, footprint, y0, y1 in visible_pieces(level):
        need = needed_distance(y0, y1)
        if need <= 0:
            continue
        box = (min(p[0] for p in footprint), max(p[0] for p in footprint),
               min(p[1] for p in footprint), max(p[1] for p in footprint))
        for r, grow in places:
            if rect_distance(box, r) >= need + grow:
                continue
            d = polygon_rect_distance(footprint, r) - grow
            if d < need - 1e-9:
                who = "the body" if need <= BODY_REACH + 1e-12 else "the camera"
                key = (name, round(box[0], 2), round(box[2], 2), round(y0, 2), round(y1, 2))
                if key not in problems or d < problems[key][0]:
                    where = "x %.2f..%.2f, z %.2f..%.2f" % box
                    if level.walls:
                        k = min(range(len(level.walls)), key=lambda i: polygon_rect_distance(
                            footprint, _segment_rect(level.walls[i])))
                        w = level.walls[k]
                        where += " (nearest wall: (%g, %g) to (%g, %g), line %d of levelformat%d.txt)" % (
                            w[0], w[1], w[2], w[3], k + 2, level.number)
                    problems[key] = (d, "level %d: %s at %s, %.2f to %.2f high, comes within %.3f of the "
                                     "player's point (%s x %.2f..%.2f, z %.2f..%.2f%s); %s needs %.3f" % (
                                         level.number, name, where, y0, y1, max(d, 0.0),
                                         "which stands on" if grow else "which slips into", r[0], r[1], r[2],
                                         r[3], ", clear of the walls, and one step beyond" if grow else
                                         " in a corner", who, need))
    return [text for _, text in sorted(problems.values(), key=lambda p: p[1])]


def _segment_rect(wall):
    x1, z1, x2, z2 = wall[:4]
    return (min(x1, x2), max(x1, x2), min(z1, z2), max(z1, z2))


def _box_distance(rect, p):
    dx = max(0.0, rect[0] - p[0], p[0] - rect[1])
    dz = max(0.0, rect[2] - p[1], p[1] - rect[3])
    return math.hypot(dx, dz)


def check_abyss(level, sample=0.1):
    """Problems of the abyss along the walls: behind every ordinary wall a
    player who crosses its line falls; in front of every wall, exits
    included, a player who walks up to it touches no abyss."""
    problems = []
    abyss = level.abyss_rects()
    ends = level.wall_ends()
    slips = corner_slips(level)
    corners = level.reflex_corners()

    def spared(q):
        """Near a slip or a reflex corner the abyss keeps away on purpose."""
        return (any(_box_distance(r, q) < BOX_REACH + BOX_NEAR + 0.02 for r in slips)
                or any(math.hypot(q[0] - c[0], q[1] - c[1]) < math.sqrt(2) * (ABYSS_CORNER_CLEAR + 0.02) + BOX_NEAR
                       for c in corners))
    for index, wall in enumerate(level.walls):
        x1, z1, x2, z2, axis, sign, target = wall
        along = (1, 0) if z1 == z2 else (0, 1)
        out = (sign, 0) if axis == "x" else (0, sign)
        lo, hi = (min(x1, x2), max(x1, x2)) if z1 == z2 else (min(z1, z2), max(z1, z2))
        line = z1 if z1 == z2 else x1
        length = hi - lo
        count = max(1, int(math.ceil(length / sample)))
        kinds = ends[index]

        def point(u, offset):
            base = (lo + u, line) if along == (1, 0) else (line, lo + u)
            return (base[0] + out[0] * offset, base[1] + out[1] * offset)

        where = "level %d: the wall from (%g, %g) to (%g, %g)" % (level.number, x1, z1, x2, z2)
        front_fault = behind_fault = None
        for k in range(count + 1):
            u = length * k / count
            near_end = min(u, length - u)
            end_kind = kinds[0] if u <= length - u else kinds[1]
            # Walking up to the wall: the box reaches BOX_REACH from a point CLOSEST in front
            # (in a concave corner the other wall keeps the point as far from its own line).
            if not ((end_kind == "free" and near_end < BOX_REACH + STEP)
                    or (end_kind == "concave" and near_end < CLOSEST)):
                p = point(u, -CLOSEST)
                if any(_box_distance(r, p) < BOX_REACH - 1e-9 for r in abyss):
                    front_fault = front_fault or p
            # Crossing it: a point just past the reach of the box's nearest side falls.
            if target == 0:
                for depth in (PLAYER_RADIUS, 0.5):
                    q = point(u, depth)
                    if spared(q):
                        continue
                    if not any(_box_distance(r, q) < BOX_NEAR for r in abyss):
                        behind_fault = behind_fault or q
        if front_fault:
            problems.append("%s: a player walking up to it touches an abyss volume near (%.2f, %.2f)"
                            % (where, front_fault[0], front_fault[1]))
        if behind_fault:
            problems.append("%s: a player who crosses its line does not fall near (%.2f, %.2f)"
                            % (where, behind_fault[0], behind_fault[1]))
    for slip in slips:
        for r in abyss:
            if rect_distance(r, slip) < BOX_REACH - 1e-9:
                problems.append("level %d: an abyss volume comes within %.3f of x %.2f..%.2f, z %.2f..%.2f, where "
                                "the player slips in a corner; the player's box reaches %.3f" % (
                                    level.number, rect_distance(r, slip), slip[0], slip[1], slip[2], slip[3],
                                    BOX_REACH))
                break
    for corner in corners:
        for r in abyss:
            if _box_distance(r, corner) < ABYSS_CORNER_CLEAR - 1e-9:
                problems.append("level %d: an abyss volume comes within %.3f of the corner (%g, %g), where the "
                                "player's box reaches %.3f" % (level.number, _box_distance(r, corner), corner[0],
                                                               corner[1], ABYSS_CORNER_CLEAR))
                break
    return problems


def check_level(level):
    """Every problem of the level's walls and what stands behind them."""
    return check_geometry(level) + check_abyss(level)
