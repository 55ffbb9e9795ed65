#pragma once
#include "scene/ModelObject.h"

// Records the object's drawMeshes() into its displayList, replacing any list
// it had; does nothing while useDisplayList is off.
void recordMeshList(ModelObject& object);

// The static geometry: the recorded list while lists are on and one exists,
// else the meshes drawn directly.
void drawMeshListOrMeshes(ModelObject& object);
