#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "scene/SceneObject.h"

// The objects of a list filed by where they stand on the ground, in square
// cells as wide as the reach asked for, so that the objects near a point are
// found without visiting the others. Built at each level load; an object that
// moves on the ground is filed again by whoever moved it.
class ObjectGrid {
public:
    static constexpr float cellSize = 5;

    void build(const std::vector<std::unique_ptr<SceneObject>>& list);
    // Forgets the list: the next query of a list builds the grid again.
    void clear();
    // Whether the grid was built for this list as it stands (the same objects in the same order).
    bool builtFor(const std::vector<std::unique_ptr<SceneObject>>& list) const;
    // The indices into the list of every object whose ground position may be
    // less than cellSize from (x, z), in list order, into `out` (cleared
    // first). Objects at an unusable position are never near.
    void objectsNear(float x, float z, std::vector<std::size_t>& out) const;
    // The object at `index` has moved on the ground.
    void moved(std::size_t index, const SceneObject& object);

private:
    using CellKey = std::int64_t;
    // The cell of a ground position; false where there is no usable one.
    static bool cellOf(float x, float z, std::int64_t& column, std::int64_t& row);
    static CellKey key(std::int64_t column, std::int64_t row);
    void file(std::size_t index, const SceneObject& object);

    std::vector<std::pair<CellKey, std::size_t>> filed_;  // sorted by cell, then index
    std::vector<std::size_t> farOut_;                     // positions too far out for a cell: always asked
    const SceneObject* first_ = nullptr;
    const SceneObject* last_ = nullptr;
    std::size_t size_ = 0;
    bool built_ = false;
};

// The grid of `objects`, which the collision pass asks.
extern ObjectGrid objectGrid;
