#pragma once
#include <memory>
#include <vector>

#include "level/Wall.h"
#include "scene/LevelObject.h"
#include "scene/SceneObject.h"

// The scene of the level that is loaded; each load replaces it.
extern std::unique_ptr<LevelObject> levelObject;
extern std::vector<std::unique_ptr<SceneObject>> objects;        // abysses, switches, deadly objects
extern std::vector<std::unique_ptr<SceneObject>> sortedObjects;  // water and lattices, drawn farthest-first
extern std::vector<Wall> walls;
