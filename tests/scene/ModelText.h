#pragma once
// Builds model-file text for the tests, one block at a time.
#include <cstdio>
#include <string>
#include <vector>

struct TestVertex {
    float x, y, z, u, v;
    int bone;
};

inline std::string meshBlock(const std::string& name, int material, const std::vector<TestVertex>& vertices,
                             int normalCount, const std::vector<std::vector<int>>& triangles) {
    std::string s = "\"" + name + "\" 0 " + std::to_string(material) + "\n";
    s += std::to_string(vertices.size()) + "\n";
    for (const TestVertex& v : vertices) {
        char line[256];
        std::snprintf(line, sizeof line, "0 %g %g %g %g %g %d\n", v.x, v.y, v.z, v.u, v.v, v.bone);
        s += line;
    }
    s += std::to_string(normalCount) + "\n";
    for (int i = 0; i < normalCount; ++i) s += "0 0 1\n";
    s += std::to_string(triangles.size()) + "\n";
    for (const auto& t : triangles) {
        s += "0";
        for (int index : t) s += " " + std::to_string(index);
        s += " 1\n";
    }
    return s;
}

inline std::string materialBlock(const std::string& name, const std::string& diffuse, const std::string& texture) {
    return "\"" + name + "\"\n0.2 0.2 0.2 1\n" + diffuse + " 1\n0 0 0 1\n0 0 0 1\n10\n0\n\"" + texture + "\"\n\"\"\n";
}

struct TestKey {
    float time, x, y, z;
};

inline std::string boneBlock(const std::string& name, const std::string& parent, const std::string& rest,
                             const std::vector<TestKey>& positions, const std::vector<TestKey>& rotations) {
    std::string s = "\"" + name + "\"\n\"" + parent + "\"\n0 " + rest + "\n";
    for (const auto* keys : {&positions, &rotations}) {
        s += std::to_string(keys->size()) + "\n";
        for (const TestKey& k : *keys) {
            char line[256];
            std::snprintf(line, sizeof line, "%g %g %g %g\n", k.time, k.x, k.y, k.z);
            s += line;
        }
    }
    return s;
}

// A unit triangle in the z = 0 plane, one normal.
inline std::string triangleMesh(const std::string& name, int material, float z = 0, int bone = -1) {
    return meshBlock(name, material, {{0, 0, z, 0, 0.25f, bone}, {1, 0, z, 1, 0, bone}, {0, 1, z, 0, 1, bone}}, 1,
                     {{0, 1, 2, 0, 0, 0}});
}
