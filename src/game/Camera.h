#pragma once
#include "scene/Matrix4.h"

// The chase camera, which is also the player's place in the world: the player
// stands at (-offset.x, -offset.z) on the ground, facing along the heading `yaw`.
class Camera {
public:
    Camera(float baseX, float baseY, float baseZ, float distance);

    // Back to the level's starting point: the origin, facing -z, level view.
    void reset();
    void turnPitch(float delta);
    void turnYaw(float delta);
    // Along the heading; a negative d walks backward.
    void moveForward(float d);
    // Across the heading; a positive d goes to the player's left.
    void moveSideways(float d);
    // Builds `matrix` on the modelview stack, leaving the current matrix as it was.
    void computeMatrix();

    Vector3 offset;   // accumulated movement; y never changes
    float pitch = 0;  // degrees; 0 level view, 90 straight from above
    float yaw = 0;    // degrees
    Vector3 base;     // the eye height above the ground, as a translation
    float distance;   // how far the eye stays behind the player
    float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool matrixValid = false;
};

extern Camera camera;
