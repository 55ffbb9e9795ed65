#include "level/ActionFile.h"
#include "platform/ScanLine.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "level/LineReader.h"
#include "level/ObjectFileException.h"
#include "level/Scene.h"

namespace {

// A position read from the file, refused unless it names an entry of `list`.
SceneObject* objectAt(const ObjectList& list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
        throw ObjectFileException(
            "Fehler.", "a position below " + std::to_string(list.size()) + ", the length of the list it names");
    }
    return list[static_cast<std::size_t>(position)].get();
}

// One "num %d" line and its positions in `targets`; each is linked into
// `links` when there is a source.
void readTargets(LineReader& reader, const ObjectList& targets, std::vector<SceneObject*>* links,
                 const char* countWhat) {
    int count = 0;
    requireFields(scanLine(reader.need().c_str(), "num %d", &count), 1, countWhat);
    for (int i = 0; i < count; ++i) {
        int position = 0;
        requireFields(scanLine(reader.need().c_str(), "%d", &position), 1, "a list position (a number)");
        if (links) links->push_back(objectAt(targets, position));
    }
}

void readLinkBlocks(LineReader& reader, const ObjectList& objects, const ObjectList& sortedObjects,
                    std::vector<LinkBlock>* blocks) {
    std::string line;
    for (;;) {
        do {
            if (!reader.next(line)) return;
        } while (line.empty());

        char kind = 0;
        int position = 0;
        requireFields(scanLine(line.c_str(), "%c %d", &kind, &position), 2,
                      "a source \"o position\" or \"t position\"");
        const int firstLine = reader.lineNumber();

        // Only "o" and "t" name a source; any other letter is read and links nothing.
        SceneObject* source = nullptr;
        if (kind == 'o') {
            source = objectAt(objects, position);
        } else if (kind == 't') {
            source = objectAt(sortedObjects, position);
        }

        readTargets(reader, objects, source ? &source->linkedObjects : nullptr,
                    "\"num count\" of the targets among the abysses, switches and deadly objects");
        readTargets(reader, sortedObjects, source ? &source->linkedSortedObjects : nullptr,
                    "\"num count\" of the targets among the water and lattice objects");
        if (blocks) blocks->push_back({firstLine, kind, position});
    }
}

}  // namespace

void readLinks(const char* path, const ObjectList& objects, const ObjectList& sortedObjects,
               std::vector<LinkBlock>* blocks) {
    LineReader reader(path);
    reader.readBlocks([&] { readLinkBlocks(reader, objects, sortedObjects, blocks); });
}

void readActionFile(const char* path) { readLinks(path, objects, sortedObjects, nullptr); }
