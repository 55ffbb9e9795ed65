#pragma once
#include <memory>
#include <vector>

#include "scene/SceneObject.h"

// Reads an action file: links each switch to the objects it activates, named
// by their places in `objects` and `sortedObjects`, which the object file has
// just built. Throws ObjectFileException.
void readActionFile(const char* path);

// One block of an action file as read: its first line, letter and source.
struct LinkBlock {
    int line = 0;
    char kind = 0;
    int source = 0;
};
using ObjectList = std::vector<std::unique_ptr<SceneObject>>;
// The same on lists of the caller's, for zarnoth-check; `blocks` learns every
// block that was read whole.
void readLinks(const char* path, const ObjectList& objects, const ObjectList& sortedObjects,
               std::vector<LinkBlock>* blocks);
