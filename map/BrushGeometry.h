#pragma once

#include <array>
#include <optional>
#include <vector>

using Vec3 = std::array<double, 3>;

// The points p with Dot(normal, p) <= dist lie inside.
struct Plane {
    Vec3 normal{};
    double dist = 0;
};

struct Box {
    Vec3 mins{};
    Vec3 maxs{};
    void Add(const Box& other);
};

namespace BrushGeometry {

// How far outside a plane a point may lie and still count as inside, in map units.
inline constexpr double kEpsilon = 1e-3;

// The plane through p0, p1 and p2 whose normal (p0 - p1) x (p2 - p1) points out of the brush;
// nothing when the points lie on one line.
std::optional<Plane> PlaneFromPoints(const Vec3& p0, const Vec3& p1, const Vec3& p2);
// The box around the corners of the intersection of the planes' half-spaces; nothing when
// that encloses no volume or is not closed.
std::optional<Box> BrushBounds(const std::vector<Plane>& planes);

}  // namespace BrushGeometry
