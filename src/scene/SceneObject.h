#pragma once
#include <vector>

#include "collision/CollisionModel3D.h"
#include "scene/HitKind.h"
#include "scene/Matrix4.h"
#include "scene/ViewBounds.h"
#include "surfaces/GlNames.h"

// Everything drawn in a level, and the player, is a SceneObject.
class SceneObject {
public:
    SceneObject() = default;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // Places the object (the base matrix is the camera's view, or null for eye
    // coordinates), stores modelViewMatrix and draws the geometry.
    virtual void draw(const float* baseMatrix) = 0;
    virtual void drawLocal() = 0;
    // A linked switch was hit.
    virtual void activate() = 0;
    // Tests the object, placed by modelViewMatrix, against `other` (may be null).
    virtual HitKind collide(CollisionModel3D* other) = 0;
    // Advances the object's own animation by `frames` frames.
    virtual void update(float frames) = 0;
    // Records the static geometry in displayList.
    virtual void compileDisplayList() = 0;
    virtual ~SceneObject() = default;

    // Added to the y of the placement's first translation.
    virtual float heightOffset() const { return 0; }

    // A sphere holding everything `draw` shows, in the object's own
    // coordinates (before its placement); false when that is not known, and
    // the object is always drawn.
    virtual bool localBounds(BoundingSphere&) { return false; }
    // The object stands wholly out of view and is not drawn this frame: moves
    // on what its draw would have moved on and notes the GL state its draw
    // would have left.
    virtual void skipDraw(StateLeft&) {}

    DisplayListName displayList;
    Matrix4 modelViewMatrix;  // the transform of the last draw; also the collision transform
    // The scene drawing whose camera modelViewMatrix was worked out with; an
    // object left out of a drawing keeps an older one.
    unsigned long matrixDrawing = 0;
    PlacementCache placementCache;
    float jumpTimer = 0;  // the player's jump and death timer, in seconds
    float distanceToPlayer = 0;
    bool useDisplayList = true;
    short blockAxis = 0;  // lattice only: 0 = x, 2 = z
    short blockSign = 0;
    Vector3 position;
    Vector3 pivot;
    float rotationX = 0;
    float rotationY = 0;
    float rotationZ = 0;  // stored, never applied
    Vector3 scale{1, 1, 1};
    int fps = 0;
    int segmentCount = 0;
    std::vector<int> segmentStart;
    std::vector<float> segmentSpeeds;
    std::vector<SceneObject*> linkedObjects;        // into `objects`
    std::vector<SceneObject*> linkedSortedObjects;  // into `sortedObjects`
};
