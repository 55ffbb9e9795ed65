#include "level/ObjectGrid.h"

#include <algorithm>
#include <cmath>

ObjectGrid objectGrid;

namespace {
// Cell numbers stay far inside the key's range; beyond it a position is filed apart.
constexpr double farthestCell = 1e9;
}  // namespace

bool ObjectGrid::cellOf(float x, float z, std::int64_t& column, std::int64_t& row) {
    // In double, so that no rounding moves a point across more than the cell
    // border it stands on.
    const double c = std::floor(static_cast<double>(x) / cellSize);
    const double r = std::floor(static_cast<double>(z) / cellSize);
    if (!(std::fabs(c) < farthestCell && std::fabs(r) < farthestCell)) return false;
    column = static_cast<std::int64_t>(c);
    row = static_cast<std::int64_t>(r);
    return true;
}

ObjectGrid::CellKey ObjectGrid::key(std::int64_t column, std::int64_t row) {
    return (column + static_cast<std::int64_t>(farthestCell) + 1) * 4'000'000'000LL + row +
           static_cast<std::int64_t>(farthestCell) + 1;
}

void ObjectGrid::file(std::size_t index, const SceneObject& object) {
    const float x = object.position.x, z = object.position.z;
    // Never near anything: the distance to it is not a number.
    if (std::isnan(x) || std::isnan(z)) return;
    std::int64_t column = 0, row = 0;
    if (cellOf(x, z, column, row))
        filed_.emplace_back(key(column, row), index);
    else
        farOut_.push_back(index);
}

void ObjectGrid::build(const std::vector<std::unique_ptr<SceneObject>>& list) {
    filed_.clear();
    farOut_.clear();
    for (std::size_t i = 0; i < list.size(); ++i) file(i, *list[i]);
    std::sort(filed_.begin(), filed_.end());
    first_ = list.empty() ? nullptr : list.front().get();
    last_ = list.empty() ? nullptr : list.back().get();
    size_ = list.size();
    built_ = true;
}

void ObjectGrid::clear() {
    filed_.clear();
    farOut_.clear();
    built_ = false;
}

bool ObjectGrid::builtFor(const std::vector<std::unique_ptr<SceneObject>>& list) const {
    if (!built_ || list.size() != size_) return false;
    return list.empty() || (list.front().get() == first_ && list.back().get() == last_);
}

void ObjectGrid::objectsNear(float x, float z, std::vector<std::size_t>& out) const {
    out.clear();
    out.insert(out.end(), farOut_.begin(), farOut_.end());
    std::int64_t column = 0, row = 0;
    if (cellOf(x, z, column, row)) {
        // Anything less than a cell away stands in this cell or one of its eight neighbours.
        for (std::int64_t c = column - 1; c <= column + 1; ++c) {
            const auto from =
                std::lower_bound(filed_.begin(), filed_.end(), std::make_pair(key(c, row - 1), std::size_t{0}));
            const auto to = std::lower_bound(from, filed_.end(), std::make_pair(key(c, row + 2), std::size_t{0}));
            for (auto it = from; it != to; ++it) out.push_back(it->second);
        }
    } else {
        // A point too far out for a cell: only a linear look finds what is near it.
        for (const auto& entry : filed_) out.push_back(entry.second);
    }
    std::sort(out.begin(), out.end());
}

void ObjectGrid::moved(std::size_t index, const SceneObject& object) {
    const auto it =
        std::find_if(filed_.begin(), filed_.end(), [index](const auto& entry) { return entry.second == index; });
    if (it != filed_.end()) filed_.erase(it);
    farOut_.erase(std::remove(farOut_.begin(), farOut_.end(), index), farOut_.end());
    file(index, object);
    std::sort(filed_.begin(), filed_.end());
}
