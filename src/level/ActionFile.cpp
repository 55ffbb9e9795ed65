#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "level/LevelLoader.h"
#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

namespace {

using ObjectList = std::vector<std::unique_ptr<SceneObject>>;

// A position read from the file, refused unless it names an entry of `list`.
SceneObject* objectAt(const ObjectList& list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
        throw ObjectFileException("Fehler.");
    }
    return list[static_cast<std::size_t>(position)].get();
}

// One "num %d" line and its positions in `targets`; each is linked into
// `links` when there is a source.
void readTargets(LineReader& reader, const ObjectList& targets, std::vector<SceneObject*>* links) {
    int count = 0;
    requireFields(std::sscanf(reader.need().c_str(), "num %d", &count), 1);
    for (int i = 0; i < count; ++i) {
        int position = 0;
        requireFields(std::sscanf(reader.need().c_str(), "%d", &position), 1);
        if (links) links->push_back(objectAt(targets, position));
    }
}

}  // namespace

void readActionFile(const char* path) {
    LineReader reader(path);
    std::string line;
    try {
        for (;;) {
            do {
                if (!reader.next(line)) return;
            } while (line.empty());

            char kind = 0;
            int position = 0;
            requireFields(std::sscanf(line.c_str(), "%c %d", &kind, &position), 2);

            // Only "o" and "t" name a source; any other letter is read and links nothing.
            SceneObject* source = nullptr;
            if (kind == 'o') {
                source = objectAt(objects, position);
            } else if (kind == 't') {
                source = objectAt(sortedObjects, position);
            }

            readTargets(reader, objects, source ? &source->linkedObjects : nullptr);
            readTargets(reader, sortedObjects, source ? &source->linkedSortedObjects : nullptr);
        }
    } catch (const FileEnded&) {
    }
}
