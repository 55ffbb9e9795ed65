#pragma once

class SceneObject;

// The view volume of this frame's projection, in eye coordinates.
struct ViewVolume {
    // Reads the projection matrix in force; `view` is the view matrix the objects are drawn with.
    static ViewVolume current(const float* view);
    // Planes a x + b y + c z + d >= 0 inside, (a, b, c) of length 1.
    float planes[6][4];
    const float* view;
    float viewStretch;  // the most the view matrix stretches a length
};

// True only when every point the object's draw could show lies outside one
// plane of the volume, seen through its view matrix: such an object may be
// left out of the frame without changing a pixel. Unknown or unusable bounds
// (a position read as "nan") never count as outside.
bool outOfView(SceneObject& object, const ViewVolume& volume);

// A sphere in level coordinates holding everything the object's draw shows
// where it stands now; false when its bounds are unknown.
bool worldBounds(SceneObject& object, float centre[3], float& radius);
// outOfView for such a sphere.
bool sphereOutOfView(const float centre[3], float radius, const ViewVolume& volume);
