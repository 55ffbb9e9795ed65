#include <cstddef>
#include <cstdint>
#include <memory>

#include "LevelFuzzSupport.h"
#include "PlainObject.h"
#include "level/ActionFile.h"
#include "level/LevelLoader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

namespace {

bool inList(const std::vector<std::unique_ptr<SceneObject>>& list, const SceneObject* object) {
    for (const auto& entry : list) {
        if (entry.get() == object) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InFuzzDirectory inDirectory;
    objects.clear();
    sortedObjects.clear();
    for (int i = 0; i < 3; ++i) objects.push_back(std::make_unique<PlainObject>());
    for (int i = 0; i < 2; ++i) sortedObjects.push_back(std::make_unique<PlainObject>());

    InFuzzDirectory::write("./levels/action1.txt", data, size);
    try {
        readActionFile("./levels/action1.txt");
    } catch (const ObjectFileException&) {}

    for (const auto* list : {&objects, &sortedObjects}) {
        for (const auto& object : *list) {
            for (const SceneObject* target : object->linkedObjects) {
                if (!inList(objects, target)) __builtin_trap();
            }
            for (const SceneObject* target : object->linkedSortedObjects) {
                if (!inList(sortedObjects, target)) __builtin_trap();
            }
        }
    }
    return 0;
}
