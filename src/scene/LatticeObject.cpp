#include "scene/LatticeObject.h"

#include <GL/gl.h>

#include <cstdint>

#include "scene/Placement.h"

namespace {
constexpr int grilleSize = 64;

// Grey bars with 2 x 2-texel holes, 16 by 16 of them; nearest filtering keeps
// the hole edges sharp at every distance.
GLuint makeGrilleTexture() {
    std::uint8_t texels[grilleSize * grilleSize * 4];
    for (int r = 0; r < grilleSize; ++r) {
        for (int c = 0; c < grilleSize; ++c) {
            std::uint8_t* texel = texels + (r * grilleSize + c) * 4;
            const bool hole = (c % 4 == 2 || c % 4 == 3) && (r % 4 == 0 || r % 4 == 3);
            texel[0] = texel[1] = texel[2] = 130;
            texel[3] = hole ? 0 : 255;
        }
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, grilleSize, grilleSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    return name;
}

void drawLatticeGeometry(GLuint texture, const float* colour) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, colour);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);

    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0);

    glNormal3f(0, 0, -1);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -1, 0);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
}  // namespace

LatticeObject::LatticeObject() {
    upStep = 0;
    latticeTexture.reset(makeGrilleTexture());

    collisionModel = makeCollisionModel();
    collisionModel->setTriangleCount(2);
    collisionModel->addTriangle(-1, -1, 0, -1, 1, 0, 1, 1, 0);
    collisionModel->addTriangle(1, 1, 0, 1, -1, 0, -1, -1, 0);
    collisionModel->finalize();

    compileDisplayList();
}

void LatticeObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    if (useDisplayList && displayList.get() != 0)
        glCallList(displayList.get());
    else
        drawLatticeGeometry(latticeTexture.get(), latticeColour);
}

void LatticeObject::compileDisplayList() {
    if (!useDisplayList) return;
    const GLuint list = glGenLists(1);
    displayList.reset(list);
    if (list == 0) return;
    glNewList(list, GL_COMPILE);
    drawLatticeGeometry(latticeTexture.get(), latticeColour);
    glEndList();
}

HitKind LatticeObject::collide(CollisionModel3D* other) {
    collisionModel->setTransform(modelViewMatrix.data());
    if (!other) return HIT_NONE;
    return collisionModel->collides(other) ? HIT_LATTICE : HIT_NONE;
}

bool LatticeObject::localBounds(BoundingSphere& sphere) {
    sphere.centre = Vector3{};
    sphere.radius = 1.41421357f;  // the square from -1 to 1
    return true;
}

void LatticeObject::skipDraw(StateLeft& state) {
    state.ambient(latticeColour);
    state.diffuse(latticeColour);
    state.normal(0, 0, -1);  // the back face comes last
}
