#pragma once

class SceneObject;

// The view volume of this frame's projection, in eye coordinates.
struct ViewVolume {
    // Reads the projection matrix in force.
    static ViewVolume current();
    // Planes a x + b y + c z + d >= 0 inside, (a, b, c) of length 1.
    float planes[6][4];
};

// True only when every point the object's draw could show lies outside one
// plane of the volume, seen through the view matrix `view`: such an object
// may be left out of the frame without changing a pixel. Unknown or unusable
// bounds (a position read as "nan") never count as outside.
bool outOfView(SceneObject& object, const float* view, const ViewVolume& volume);
