#pragma once
#include "scene/ModelObject.h"

// The waves move on with every draw while this is on; off (a paused game),
// the surface is drawn as it stands.
extern bool wavesMoving;

// An abyss under a translucent, animated water surface.
class WaterAbyssObject : public ModelObject {
public:
    WaterAbyssObject();

    void draw(const float* baseMatrix) override;
    void activate() override {}
    HitKind collide(CollisionModel3D* other) override { return boundingTest(other); }
    void update(float) override {}
    void compileDisplayList() override {}
    bool localBounds(BoundingSphere& sphere) override;
    // The waves move on out of view too, as they do when only the surface is out of view.
    void skipDraw(StateLeft& state) override;

    // One step of the wave: advances the phase and recomputes every height.
    void updateWaves();
    // Whether the surface, placed as the last draw placed it, lies wholly
    // outside the view volume of the current projection.
    bool surfaceOutOfView() const;
    // The translucent surface over the grid, by strips or by one vertex array.
    void drawSurface() const;

    TextureName waterTexture;
    float waveAmplitude = 0.03f;
    float heights[65][65] = {};
    float wavePhase = 0;
    float cellSizeZ = 0.015625f;
    float cellSizeX = 0.015625f;
    float waterAmbient[4] = {0.4f, 0.5f, 0.4f, 0.7f};
    float waterDiffuse[4] = {0.8f, 0.9f, 0.8f, 0.7f};
    float waveFrequency = 0.07f;
    float waveDivisor = -20;
    float waveCentreJ = 32;
    float waveCentreI = 32;
};
