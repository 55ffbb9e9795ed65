#include "game/Camera.h"

#include <GL/gl.h>

#include <cmath>

#include "scene/Trigonometry.h"

namespace {
constexpr float degreesToRadians = 0.017453292f;
}  // namespace

Camera camera(0, -0.5f, 0, -1.5f);

Camera::Camera(float baseX, float baseY, float baseZ, float distance) : base{baseX, baseY, baseZ}, distance(distance) {}

void Camera::reset() {
    offset = Vector3{};
    pitch = 0;
    yaw = 0;
    matrixValid = false;
}

void Camera::turnPitch(float delta) {
    pitch += delta;
    if (pitch >= 360) pitch -= 360;
    matrixValid = false;
    if (pitch <= -360) pitch += 360;
}

void Camera::turnYaw(float delta) {
    yaw += delta;
    if (yaw >= 360) yaw -= 360;
    matrixValid = false;
    if (yaw <= 0) yaw += 360;
}

void Camera::moveForward(float d) {
    matrixValid = false;
    const float a = yaw * degreesToRadians;
    offset.x -= sine(a) * d;
    offset.z += cosine(a) * d;
}

void Camera::moveSideways(float d) {
    matrixValid = false;
    const float a = yaw * degreesToRadians;
    offset.x += cosine(a) * d;
    offset.z += sine(a) * d;
}

void Camera::computeMatrix() {
    GLint previousMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &previousMode);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, distance);
    glRotatef(pitch, 1, 0, 0);
    glRotatef(yaw, 0, 1, 0);
    glTranslatef(base.x + offset.x, base.y + offset.y, base.z + offset.z);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(previousMode));
    matrixValid = true;
}
