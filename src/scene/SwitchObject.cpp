#include "scene/SwitchObject.h"

#include <GL/gl.h>

#include "scene/Placement.h"
#include "surfaces/Texture.h"

namespace {
// A box from -1 to 1 without its bottom; the texture repeats twice per face.
void drawSwitchGeometry(const SwitchObject& plate) {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, plate.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, plate.specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, plate.emission);
    glMaterialf(GL_FRONT, GL_SHININESS, 128);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, plate.switchTexture.get());

    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    glTexCoord2f(-1, 1);
    glVertex3f(-1, 1, 1);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 1);
    glTexCoord2f(1, -1);
    glVertex3f(1, 1, -1);
    glTexCoord2f(-1, -1);
    glVertex3f(-1, 1, -1);

    glNormal3f(0, 0, 1);
    glTexCoord2f(-1, -1);
    glVertex3f(-1, -1, 1);
    glTexCoord2f(1, -1);
    glVertex3f(1, -1, 1);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 1);
    glTexCoord2f(-1, 1);
    glVertex3f(-1, 1, 1);

    glNormal3f(0, 0, -1);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, -1);
    glTexCoord2f(1, -1);
    glVertex3f(1, -1, -1);
    glTexCoord2f(-1, -1);
    glVertex3f(-1, -1, -1);
    glTexCoord2f(-1, 1);
    glVertex3f(-1, 1, -1);

    glNormal3f(1, 0, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 1);
    glTexCoord2f(-1, 1);
    glVertex3f(1, -1, 1);
    glTexCoord2f(-1, -1);
    glVertex3f(1, -1, -1);
    glTexCoord2f(1, -1);
    glVertex3f(1, 1, -1);

    glNormal3f(-1, 0, 0);
    glTexCoord2f(1, 1);
    glVertex3f(-1, 1, 1);
    glTexCoord2f(1, -1);
    glVertex3f(-1, 1, -1);
    glTexCoord2f(-1, -1);
    glVertex3f(-1, -1, -1);
    glTexCoord2f(-1, 1);
    glVertex3f(-1, -1, 1);
    glEnd();

    glDisable(GL_TEXTURE_2D);
}
}  // namespace

SwitchObject::SwitchObject() {
    pressDistance = 0;
    pressAxis = 0;
    pressed = false;

    Texture texture(true);
    switchTexture.reset(texture.loadTexture("./texturen/boden.tga"));
    compileDisplayList();

    // Only the top face collides: the plate is pressed from above.
    collisionModel = makeCollisionModel();
    collisionModel->setTriangleCount(2);
    collisionModel->addTriangle(1, 1, -1, 1, 1, 1, -1, 1, 1);
    collisionModel->addTriangle(-1, 1, -1, -1, 1, 1, 1, 1, -1);
    collisionModel->finalize();

    texture.releasePixels();
}

void SwitchObject::draw(const float* baseMatrix) {
    PlacementScope placed(*this, baseMatrix);
    if (useDisplayList && displayList.get() != 0)
        glCallList(displayList.get());
    else
        drawSwitchGeometry(*this);
}

void SwitchObject::compileDisplayList() {
    if (!useDisplayList) return;
    const GLuint list = glGenLists(1);
    displayList.reset(list);
    if (list == 0) return;
    glNewList(list, GL_COMPILE);
    drawSwitchGeometry(*this);
    glEndList();
}

HitKind SwitchObject::collide(CollisionModel3D* other) {
    // A switch fires once per level load.
    if (pressed) return HIT_NONE;

    collisionModel->setTransform(modelViewMatrix.data());
    if (!other || !collisionModel->collides(other)) return HIT_NONE;

    switch (pressAxis) {
        case 1:
            position.x += pressDistance;
            break;
        case 2:
            position.y += pressDistance;
            break;
        case 3:
            position.z += pressDistance;
            break;
        default:
            break;
    }
    pressed = true;
    return HIT_SWITCH;
}

bool SwitchObject::localBounds(BoundingSphere& sphere) {
    sphere.centre = Vector3{};
    sphere.radius = 1.73205090f;  // the box from -1 to 1
    return true;
}

void SwitchObject::skipDraw(StateLeft& state) {
    state.ambient(diffuse);
    state.diffuse(diffuse);
    state.specular(specular);
    state.emission(emission);
    state.shininess(128);
    state.normal(-1, 0, 0);  // the -x face comes last
}
