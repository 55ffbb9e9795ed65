#include "level/Scene.h"

std::unique_ptr<LevelObject> levelObject;
std::vector<std::unique_ptr<SceneObject>> objects;
std::vector<std::unique_ptr<SceneObject>> sortedObjects;
std::vector<Wall> walls;
