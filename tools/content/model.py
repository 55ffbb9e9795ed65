"""The ASCII model format and the shapes the content is built from."""

import math


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


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def unit(a):
    length = math.sqrt(dot(a, a))
    return (a[0] / length, a[1] / length, a[2] / length)


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

    def triangle(self, a, b, c, n, corner_normals=None):
        """Adds a triangle facing n; the winding is made counter-clockwise as
        seen from the side n points to, since back faces are culled. Corner
        normals, when given, make a rounded surface."""
        pa, pb, pc = (self.vertices[i][:3] for i in (a, b, c))
        facing = dot(cross(sub(pb, pa), sub(pc, pa)), n)
        if abs(facing) < 1e-12:
            return  # a degenerate sliver shows nothing
        ns = list(corner_normals) if corner_normals else [n, n, n]
        if facing < 0:
            b, c = c, b
            ns[1], ns[2] = ns[2], ns[1]
        self.triangles.append((a, b, c) + tuple(self.normal(k) for k in ns))

    def quad(self, corners, n, uvs, bone=-1):
        """corners in cyclic order; uvs one (u, v) per corner."""
        idx = [self.vertex(p[0], p[1], p[2], t[0], t[1], bone) for p, t in zip(corners, uvs)]
        self.triangle(idx[0], idx[1], idx[2], n)
        self.triangle(idx[0], idx[2], idx[3], n)

    def box(self, lo, hi, bone=-1, inward=False, faces="+x -x +y -y +z -z", uv_scale=1.0):
        """An axis-aligned box with world-aligned texture coordinates, so that
        neighbouring boxes continue each other's pattern; inward boxes show
        their inside."""
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

    def surface(self, point, rows, cols, bone=-1, inward=False, wrap=(1.0, 1.0)):
        """A smooth surface from point(i, j) -> (position, normal) over a grid
        of rows x cols cells; columns wrap round. Used for limbs, heads, skies."""
        grid = {}
        for i in range(rows + 1):
            for j in range(cols + 1):
                p, n = point(i, j)
                if inward:
                    n = scale(n, -1)
                u, v = wrap[0] * j / cols, wrap[1] * i / rows
                grid[i, j] = (self.vertex(p[0], p[1], p[2], u, v, bone), n, p)
        for i in range(rows):
            for j in range(cols):
                a, b, c, d = grid[i, j], grid[i + 1, j], grid[i + 1, j + 1], grid[i, j + 1]
                for t in ((a, b, c), (a, c, d)):
                    face = unit(add(add(t[0][1], t[1][1]), t[2][1]))
                    self.triangle(t[0][0], t[1][0], t[2][0], face, [k[1] for k in t])

    def capsule(self, bottom, top, r_bottom, r_top, bone, sides=8, squash=1.0):
        """A rounded limb along y from bottom to top (points on the axis), with
        domed ends; squash < 1 flattens it along z."""
        (bx, by, bz), ty = bottom, top[1]
        rings = [(-1.0, 0.0), (-0.7, 0.7), (0.0, 1.0), (1.0, 1.0), (1.7, 0.7), (2.0, 0.0)]

        def point(i, j):
            h, w = rings[i]
            a = 2 * math.pi * j / sides
            if h <= 0:
                r, y, ny = r_bottom, by + h * r_bottom * 0.8, h
            elif h >= 1:
                r, y, ny = r_top, ty + (h - 1) * r_top * 0.8, h - 1
            else:
                r, y, ny = r_bottom, by, 0.0
            x, z = math.sin(a) * r * w, math.cos(a) * r * w * squash
            return (bx + x, y, bz + z), unit((math.sin(a) * w, ny if w < 1 else 0.0, math.cos(a) * w + 1e-9))
        self.surface(point, len(rings) - 1, sides, bone)

    def ellipsoid(self, centre, radii, bone, sides=10, rings=6):
        cx, cy, cz = centre
        rx, ry, rz = radii

        def point(i, j):
            t = math.pi * i / rings
            a = 2 * math.pi * j / sides
            d = (math.sin(t) * math.sin(a), -math.cos(t), math.sin(t) * math.cos(a))
            p = (cx + d[0] * rx, cy + d[1] * ry, cz + d[2] * rz)
            return p, unit((d[0] / rx, d[1] / ry, d[2] / rz + 1e-12))
        self.surface(point, rings, sides, bone)


class Material:
    def __init__(self, name, ambient, diffuse, specular=(0, 0, 0, 1), emissive=(0, 0, 0, 1),
                 shininess=0.0, texture=""):
        assert len(name) <= 34 and len(texture) <= 31
        self.name = name
        self.ambient = ambient
        self.diffuse = diffuse
        self.specular = specular
        self.emissive = emissive
        self.shininess = shininess
        self.texture = texture


class Bone:
    def __init__(self, name, parent, rest_position, rest_rotation=(0, 0, 0)):
        assert len(name) <= 31
        self.name = name
        self.parent = parent
        self.rest_position = rest_position
        self.rest_rotation = rest_rotation
        self.position_keys = []  # (time, x, y, z)
        self.rotation_keys = []  # (time, rx, ry, rz) in radians


def still_bone(name="base"):
    b = Bone(name, None, (0, 0, 0))
    b.position_keys = [(1, 0, 0, 0)]
    b.rotation_keys = [(1, 0, 0, 0)]
    return b


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

    def triangle_count(self):
        return sum(len(m.triangles) for m in self.meshes)

    def text(self):
        out = ["// %s" % self.title,
               "// Written by tools/make_content.py; edit the generator, not this file.",
               "",
               "Frames: %d" % self.frames,
               "Frame: %d" % self.start_frame,
               ""]
        meshes = [m for m in self.meshes if m.triangles]
        if self.bounding:
            bbox = Mesh("BoundingBox", -1)
            bbox.box(self.bounding[0], self.bounding[1], uv_scale=0.0)  # 8 shared corners
            meshes.append(bbox)
        out.append("Meshes: %d" % len(meshes))
        for m in meshes:
            assert len(m.name) <= 31
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
