#include "scene/WaterAbyssObject.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/Placement.h"
#include "scene/Trigonometry.h"
#include "surfaces/Texture.h"

namespace {
constexpr int cells = 64;
constexpr int cornerCount = cells * cells * 4;
constexpr int indexCount = cells * cells * 6;

// s, t, x, y, z per vertex; one buffer for every water object, refilled at
// each draw, so drawing allocates nothing.
struct WaterVertex {
    float s, t, x, y, z;
};
static_assert(sizeof(WaterVertex) == 5 * sizeof(float), "GL_T2F_V3F layout");
WaterVertex waterCorners[cornerCount];

// Each cell's two triangles (p1, p2, p3) and (p3, p2, p4), as indices into
// its four corners. Sending every corner once and the triangles as indices
// draws the same triangles in the same order as a plain array of 24576
// vertices, but Mesa's software renderer then shades a third fewer vertices
// and, above all, leaves its slow path for long unindexed arrays: a pool in
// view cost 8 ms of a 640x480 frame that way, 2 ms this way.
struct CellIndices {
    GLushort values[indexCount];
    CellIndices() {
        static_assert(cornerCount <= 65536, "corner numbers fit an unsigned short");
        GLushort* out = values;
        for (int cell = 0; cell < cells * cells; ++cell) {
            const auto p1 = static_cast<GLushort>(cell * 4);
            const GLushort p2 = p1 + 1, p3 = p1 + 2, p4 = p1 + 3;
            for (const GLushort corner : {p1, p2, p3, p3, p2, p4}) *out++ = corner;
        }
    }
};
const CellIndices cellIndices;
// The indices of the cells sent in one draw, in the order of cellIndices.
GLushort shownIndices[indexCount];

// The four corners of cell (i, j) with their texture coordinates. p1 and p4
// carry the coordinates of the other diagonal's corners; the surface has
// always been textured that way.
struct Cell {
    WaterVertex p1, p2, p3, p4;
};

Cell cellAt(const WaterAbyssObject& water, int i, int j) {
    auto point = [&](int gi, int gj, float s, float t) {
        return WaterVertex{s, t, gi * water.cellSizeX, water.heights[gi][gj] - 0.1f, gj * water.cellSizeZ};
    };
    const float s0 = j / 64.0f, s1 = (j + 1) / 64.0f;
    const float t0 = i / 64.0f, t1 = (i + 1) / 64.0f;
    return Cell{point(i + 1, j, s1, t0), point(i, j, s0, t0), point(i + 1, j + 1, s1, t1), point(i, j + 1, s0, t1)};
}

// The sides of the view volume a point of the object lies beyond, a bit each:
// past -x, +x, -y, +y, -z and +z of clip space. Column-major matrices, as OpenGL's.
unsigned outcode(const float* modelView, const float* projection, float x, float y, float z) {
    float eye[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = modelView[r] * x + modelView[4 + r] * y + modelView[8 + r] * z + modelView[12 + r];
    float clip[4];
    for (int r = 0; r < 4; ++r)
        clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                  projection[12 + r] * eye[3];
    unsigned code = 0;
    for (int axis = 0; axis < 3; ++axis) {
        if (clip[axis] < -clip[3]) code |= 1u << (2 * axis);
        if (clip[axis] > clip[3]) code |= 2u << (2 * axis);
    }
    return code;
}

// True when every corner of the box lies beyond one and the same side of the
// view volume, so nothing of it can show.
bool boxOutsideView(const float* modelView, const float* projection, const float lo[3], const float hi[3]) {
    unsigned sharedSides = ~0u;
    for (int corner = 0; corner < 8; ++corner)
        sharedSides &= outcode(modelView, projection, corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1],
                               corner & 4 ? hi[2] : lo[2]);
    return sharedSides != 0;
}

void emit(const WaterVertex& c) {
    glTexCoord2f(c.s, c.t);
    glVertex3f(c.x, c.y, c.z);
}
}  // namespace

bool wavesMoving = true;

WaterAbyssObject::WaterAbyssObject() : ModelObject(true) {
    Texture texture(true);
    waterTexture.reset(texture.loadTexture(".\\texturen\\wasser.tga"));
    texture.releasePixels();
}

void WaterAbyssObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    drawMeshes();
    // The surface's 8,192 triangles cost the software renderer about 1 ms a
    // frame even where none of them shows; out of view only the wave moves on.
    if (surfaceOutOfView()) {
        if (wavesMoving) wavePhase += 0.1f;
        return;
    }
    if (wavesMoving) updateWaves();
    drawSurface();
}

namespace {
// The surface's box in the object's own coordinates: its grid, as high and low as the waves reach.
void surfaceBox(const WaterAbyssObject& water, float lo[3], float hi[3]) {
    const float reach = std::fabs(water.waveAmplitude);
    lo[0] = std::min(0.0f, cells * water.cellSizeX);
    hi[0] = std::max(0.0f, cells * water.cellSizeX);
    lo[1] = -0.1f - reach;
    hi[1] = -0.1f + reach;
    lo[2] = std::min(0.0f, cells * water.cellSizeZ);
    hi[2] = std::max(0.0f, cells * water.cellSizeZ);
}

// The surface goes to the driver in blocks of 8 x 8 cells, and a block only
// when some of it may show: standing beside a pool, most of its 8,192
// triangles lie behind or beside the eye, and the software renderer pays for
// every triangle sent, seen or not. The triangles sent keep their order, so
// the picture is the same to the pixel.
constexpr int blockCells = 8;
constexpr int blockCount = cells / blockCells;  // along each side

struct BlocksInView {
    bool shown[blockCount][blockCount] = {};
};

BlocksInView blocksInView(const WaterAbyssObject& water, const float* modelView, const float* projection) {
    float lo[3], hi[3];
    surfaceBox(water, lo, hi);
    // Each block corner's sides, for both the highest and the lowest wave.
    unsigned sides[blockCount + 1][blockCount + 1];
    for (int a = 0; a <= blockCount; ++a)
        for (int b = 0; b <= blockCount; ++b) {
            const float x = a * blockCells * water.cellSizeX, z = b * blockCells * water.cellSizeZ;
            sides[a][b] = outcode(modelView, projection, x, lo[1], z) & outcode(modelView, projection, x, hi[1], z);
        }
    BlocksInView view;
    for (int a = 0; a < blockCount; ++a)
        for (int b = 0; b < blockCount; ++b)
            view.shown[a][b] = (sides[a][b] & sides[a + 1][b] & sides[a][b + 1] & sides[a + 1][b + 1]) == 0;
    return view;
}
}  // namespace

bool WaterAbyssObject::localBounds(BoundingSphere& sphere) {
    BoundingBox box = allPosesBox();
    float lo[3], hi[3];
    surfaceBox(*this, lo, hi);
    box.add(lo[0], lo[1], lo[2]);
    box.add(hi[0], hi[1], hi[2]);
    return box.sphere(sphere);
}

void WaterAbyssObject::skipDraw(StateLeft& state) {
    ModelObject::skipDraw(state);
    if (wavesMoving) wavePhase += 0.1f;
}

bool WaterAbyssObject::surfaceOutOfView() const {
    float lo[3], hi[3];
    surfaceBox(*this, lo, hi);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    return boxOutsideView(modelViewMatrix.data(), projection, lo, hi);
}

void WaterAbyssObject::updateWaves() {
    wavePhase += 0.1f;
    const float twoPi = 2 * std::numbers::pi_v<float>;
    for (int i = 0; i <= cells; ++i) {
        for (int j = 0; j <= cells; ++j) {
            const float dj = j - waveCentreJ;
            const float di = i - waveCentreI;
            const float r = std::sqrt(dj * dj + di * di);
            heights[i][j] = waveAmplitude * sine((r / waveDivisor + wavePhase) * waveFrequency * twoPi);
        }
    }
}

void WaterAbyssObject::drawSurface() const {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, waterTexture.get());
    glEnable(GL_TEXTURE_2D);
    glMaterialfv(GL_FRONT, GL_AMBIENT, waterAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, waterDiffuse);

    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const BlocksInView view = blocksInView(*this, modelViewMatrix.data(), projection);

    // No normals: the surface is lit with the one drawMeshes left current.
    if (!useDisplayList) {
        // A strip of its own for each block: a cell's four corners keep the
        // strip's turn, and the strip left out between two cells has no area.
        for (int i = 0; i < cells; ++i) {
            for (int block = 0; block < blockCount; ++block) {
                if (!view.shown[i / blockCells][block]) continue;
                glBegin(GL_TRIANGLE_STRIP);
                for (int j = block * blockCells; j < (block + 1) * blockCells; ++j) {
                    const Cell cell = cellAt(*this, i, j);
                    emit(cell.p1);
                    emit(cell.p2);
                    emit(cell.p3);
                    emit(cell.p4);
                }
                glEnd();
            }
        }
    } else {
        GLsizei shownCount = 0;
        for (int i = 0; i < cells; ++i) {
            for (int block = 0; block < blockCount; ++block) {
                if (!view.shown[i / blockCells][block]) continue;
                const int first = i * cells + block * blockCells;
                WaterVertex* out = waterCorners + first * 4;
                for (int j = block * blockCells; j < (block + 1) * blockCells; ++j) {
                    const Cell cell = cellAt(*this, i, j);
                    *out++ = cell.p1;
                    *out++ = cell.p2;
                    *out++ = cell.p3;
                    *out++ = cell.p4;
                }
                std::copy_n(cellIndices.values + first * 6, blockCells * 6, shownIndices + shownCount);
                shownCount += blockCells * 6;
            }
        }
        glInterleavedArrays(GL_T2F_V3F, 0, waterCorners);
        glDrawElements(GL_TRIANGLES, shownCount, GL_UNSIGNED_SHORT, shownIndices);
    }

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
