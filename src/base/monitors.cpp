#include "base/monitors.h"

#include <algorithm>
#include <cstdint>

namespace kivolt {
namespace {

std::int64_t overlapArea(const Rect& a, const Rect& b) {
    const std::int64_t w = std::int64_t{std::min(a.right(), b.right())} - std::max(a.x, b.x);
    const std::int64_t h = std::int64_t{std::min(a.bottom(), b.bottom())} - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

// How far apart two rectangles that do not overlap are, squared.
std::int64_t gapSquared(const Rect& a, const Rect& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{b.x} - a.right(), std::int64_t{a.x} - b.right()});
    const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{b.y} - a.bottom(), std::int64_t{a.y} - b.bottom()});
    return dx * dx + dy * dy;
}

bool liesOnAny(std::span<const Monitor> monitors, const Rect& box) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&box](const Monitor& m) { return overlapArea(m.bounds, box) > 0; });
}

// The position that puts `box` inside `area`, moving it as little as possible; a box larger
// than the area keeps its left (top) edge on the area's, where the grip is.
Point clampInto(const Rect& box, const Rect& area) {
    return {std::max(std::min(box.x, area.right() - box.w), area.x),
            std::max(std::min(box.y, area.bottom() - box.h), area.y)};
}

}  // namespace

Monitor monitorFor(std::span<const Monitor> monitors, const Rect& box) {
    if (liesOnAny(monitors, box)) {
        return *std::max_element(monitors.begin(), monitors.end(), [&box](const Monitor& a, const Monitor& b) {
            return overlapArea(a.bounds, box) < overlapArea(b.bounds, box);
        });
    }
    return *std::min_element(monitors.begin(), monitors.end(), [&box](const Monitor& a, const Monitor& b) {
        return gapSquared(a.bounds, box) < gapSquared(b.bounds, box);
    });
}

Point startPosition(std::span<const Monitor> monitors, const Rect& box) {
    if (monitors.empty() || liesOnAny(monitors, box)) return {box.x, box.y};
    return clampInto(box, monitorFor(monitors, box).workArea);
}

}  // namespace kivolt
