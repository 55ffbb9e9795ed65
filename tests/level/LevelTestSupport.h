#pragma once
#include <string>
#include <utility>
#include <vector>

#include "PlainObject.h"
#include "TempDir.h"
#include "level/Scene.h"
#include "platform/MessageBox.h"
#include "scene/SceneObject.h"

// Records every message shown while it lives.
class MessageLog {
public:
    MessageLog() {
        previousSink_ = setMessageSink(
            [this](const std::string& text, const std::string& caption) { messages.emplace_back(text, caption); });
    }
    ~MessageLog() { setMessageSink(std::move(previousSink_)); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::pair<std::string, std::string>> messages;

private:
    MessageSink previousSink_;
};

inline void clearSceneGlobals() {
    objects.clear();
    sortedObjects.clear();
    levelObject.reset();
    walls.clear();
}

// A model of one triangle, 30 frames long, starting at frame 1.
inline std::string triangleModel() {
    return "Frames: 30\n"
           "Frame: 1\n"
           "Meshes: 1\n"
           "\"Tri\" 0 -1\n"
           "3\n"
           "0 0 0 0 0 0 -1\n"
           "0 1 0 0 1 0 -1\n"
           "0 0 1 0 0 1 -1\n"
           "1\n"
           "0 1 0\n"
           "1\n"
           "0 0 1 2 0 0 0 1\n"
           "Materials: 0\n"
           "Bones: 0\n";
}

// The same triangle with one material textured by ./texturen/red.tga.
inline std::string texturedTriangleModel() {
    std::string text = triangleModel();
    text.replace(text.find("\"Tri\" 0 -1"), 11, "\"Tri\" 0 0");
    text.replace(text.find("Materials: 0"), 12,
                 "Materials: 1\n\"Red\"\n0.2 0.2 0.2 1\n1 0 0 1\n0 0 0 1\n0 0 0 1\n10\n0\n"
                 "\"./texturen/red.tga\"\n\"\"");
    return text;
}

// Block texts in the layout of the level object file.
inline std::string placement(const std::string& translation = "0 0 0") {
    return "Translation=" + translation + "\nRTranslation=0 0 0\nRotation=0 0 0\nScaling=1 1 1\n";
}

inline std::string modelBlock(const std::string& keyword, const std::string& model = "tri.txt") {
    return keyword + "\n" + model + "\nstatic=yes\n" + placement() + "0\n0\n";
}

inline std::string deathBlock(const std::string& model = "tri.txt", const std::string& animated = "no",
                              const std::string& startFrame = "0", const std::string& isStatic = "no") {
    return "DeathObject\n" + model + "\nstatic=" + isStatic + "\nanimated=" + animated + "\nStartframe=" + startFrame +
           "\n" + placement() + "fps=25\n0\n";
}

inline std::string latticeBlock(const std::string& axisLine = "x 1") {
    return "LatticeObject\n" + axisLine + "\nUp=0.5\n" + placement() + "0\n0\n";
}

inline std::string switchBlock() { return "SwitchObject\n0.1\n2\n" + placement() + "0\n0\n"; }
