#!/usr/bin/env python3
"""Writes the game's content into data/: models, levels and textures.

Everything the game loads from ./models, ./levels and ./texturen is produced
here from the readable descriptions in tools/content/ (the character, the
props, the textures, and one file per level), so the committed data/ is exactly
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

sys.dont_write_bytecode = True  # keep tools/ free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from content import level1, level2, level3  # noqa: E402
from content.character import make_player  # noqa: E402
from content.model import cross, dot, sub  # noqa: E402
from content.textures import texture_files  # noqa: E402

LEVELS = (level1, level2, level3)


# ---------------------------------------------------------------------------
# Writing.


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("ascii")
    with open(path, "wb") as f:
        f.write(data)


def generate(out):
    models, files = {"tarnel.txt": make_player()}, {}
    for module in LEVELS:
        level = module.build()
        for name, model in level.all_models().items():
            # Levels share model files by name, so a name must mean one model.
            if name in models and models[name].text() != model.text():
                raise ValueError("two different models named %s" % name)
            models[name] = model
        files.update(level.files())
    for name in sorted(models):
        write_file(os.path.join(out, "models", name), models[name].text())
    for name in sorted(files):
        write_file(os.path.join(out, "levels", name), files[name])
    for name, data in sorted(texture_files().items()):
        write_file(os.path.join(out, "texturen", name), data)


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
        summary.append("level %d: %d objects, %d sorted objects, %d walls, %d links"
                       % (n, len(objects), len(sorted_objects), len(walls), links))
    total = 0
    for root, _, names in os.walk(out):
        for name in names:
            size = os.path.getsize(os.path.join(root, name))
            if size > 1024 * 1024:
                raise CheckError("%s is larger than 1 MB" % name)
            total += size
    if total > 3 * 1024 * 1024:
        raise CheckError("content is larger than 3 MB")
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
