#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

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

// A bound on the plane tests one measurement may make. The vertex search grows with the cube
// of a brush's faces and the exit search with cells times brushes, so a small hostile map
// could otherwise keep a caller busy for hours.
class CWorkBudget {
public:
    explicit CWorkBudget(uint64_t nUnits) : m_nLeft(nUnits) {}
    bool Spend(uint64_t nUnits) {
        m_bExhausted = m_bExhausted || nUnits > m_nLeft;
        m_nLeft = m_bExhausted ? 0 : m_nLeft - nUnits;
        return !m_bExhausted;
    }
    // More work allowed, as more of a map is read; a budget once exhausted stays so.
    void Grant(uint64_t nUnits) { m_nLeft = m_bExhausted ? 0 : m_nLeft + nUnits; }
    bool Exhausted() const { return m_bExhausted; }

private:
    uint64_t m_nLeft;
    bool m_bExhausted = false;
};

namespace BrushGeometry {

// How far outside a plane a point may lie and still count as inside, in map units.
inline constexpr double kEpsilon = 1e-3;

// The plane through p0, p1 and p2 whose normal (p0 - p1) x (p2 - p1) points out of the brush;
// nothing when the points lie on one line.
std::optional<Plane> PlaneFromPoints(const Vec3& p0, const Vec3& p1, const Vec3& p2);
// The box around the corners of the intersection of the planes' half-spaces; nothing when
// that encloses no volume or is not closed, or when the budget runs out.
std::optional<Box> BrushBounds(std::span<const Plane> planes, CWorkBudget& budget);

}  // namespace BrushGeometry
