#include "map/BrushGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// True when every plane passes test; each plane looked at costs a unit of the budget, and an
// exhausted budget fails the test.
template <class Test>
bool AllPlanes(std::span<const Plane> planes, CWorkBudget& budget, Test test) {
    for (const Plane& plane : planes) {
        if (!budget.Spend(1) || !test(plane)) {
            return false;
        }
    }
    return true;
}

// The point on all three planes, by Cramer's rule; nothing when two are nearly parallel.
std::optional<Vec3> Meet(const Plane& a, const Plane& b, const Plane& c) {
    const Vec3 bc = Cross(b.normal, c.normal);
    const double det = Dot(a.normal, bc);
    if (std::fabs(det) < 1e-9) {
        return std::nullopt;
    }
    const Vec3 ca = Cross(c.normal, a.normal);
    const Vec3 ab = Cross(a.normal, b.normal);
    Vec3 point{};
    for (int i = 0; i < 3; ++i) {
        point[i] = (a.dist * bc[i] + b.dist * ca[i] + c.dist * ab[i]) / det;
    }
    return point;
}

// An unbounded intersection has a direction along which it goes on for ever; such a direction
// lies on two of the planes, so testing their line directions finds it.
bool IsClosed(std::span<const Plane> planes, CWorkBudget& budget) {
    for (size_t i = 0; i < planes.size(); ++i) {
        for (size_t j = i + 1; j < planes.size(); ++j) {
            if (!budget.Spend(1)) {
                return false;
            }
            const Vec3 line = Cross(planes[i].normal, planes[j].normal);
            if (Dot(line, line) < 1e-12) {
                continue;
            }
            for (const double sign : {1.0, -1.0}) {
                const Vec3 direction{sign * line[0], sign * line[1], sign * line[2]};
                if (AllPlanes(planes, budget, [&](const Plane& plane) {
                        return Dot(plane.normal, direction) <= 1e-9;
                    })) {
                    return false;
                }
            }
        }
    }
    return true;
}

// The axis a plane faces along, or -1 when it is slanted.
int AxisOf(const Plane& plane) {
    const Vec3& n = plane.normal;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(n[i]) == 1 && n[(i + 1) % 3] == 0 && n[(i + 2) % 3] == 0) {
            return i;
        }
    }
    return -1;
}

// The bounds of a brush whose faces all face along an axis, as drawn boxes are: its corners
// are where the planes of the three axes meet, so each axis is found on its own. A corner
// passes the inside test of every plane of its axis when it passes the one nearest, since the
// test rounds monotonically; so the answer is the search over triples'. Nothing in
// has_value() when some face is slanted.
std::optional<std::optional<Box>> AxisAlignedBounds(std::span<const Plane> planes,
                                                    CWorkBudget& budget) {
    // The least dist of the faces towards + and towards - of each axis.
    Box nearest{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {HUGE_VAL, HUGE_VAL, HUGE_VAL}};
    for (const Plane& plane : planes) {
        const int nAxis = AxisOf(plane);
        if (nAxis < 0) {
            return std::nullopt;
        }
        double& dist = plane.normal[nAxis] > 0 ? nearest.maxs[nAxis] : nearest.mins[nAxis];
        dist = std::min(dist, plane.dist);
    }
    if (!budget.Spend(planes.size())) {
        return std::optional<Box>();
    }
    Box bounds{{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
    for (const Plane& corner : planes) {
        const int nAxis = AxisOf(corner);
        // Where this plane cuts its axis; adding 0 turns -0 into 0.
        const double value = corner.normal[nAxis] * corner.dist + 0.0;
        if (value - nearest.maxs[nAxis] <= BrushGeometry::kEpsilon &&
            -value - nearest.mins[nAxis] <= BrushGeometry::kEpsilon) {
            bounds.mins[nAxis] = std::min(bounds.mins[nAxis], value);
            bounds.maxs[nAxis] = std::max(bounds.maxs[nAxis], value);
        }
    }
    for (int i = 0; i < 3; ++i) {
        // A face missing towards one end leaves the brush open.
        if (nearest.mins[i] == HUGE_VAL || nearest.maxs[i] == HUGE_VAL ||
            bounds.maxs[i] - bounds.mins[i] <= BrushGeometry::kEpsilon) {
            return std::optional<Box>();  // open, empty or flat
        }
    }
    return std::optional<Box>(bounds);
}

}  // namespace

void Box::Add(const Box& other) {
    for (int i = 0; i < 3; ++i) {
        mins[i] = std::min(mins[i], other.mins[i]);
        maxs[i] = std::max(maxs[i], other.maxs[i]);
    }
}

namespace BrushGeometry {

std::optional<Plane> PlaneFromPoints(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
    const Vec3 normal = Cross(Sub(p0, p1), Sub(p2, p1));
    // Most faces face along an axis: their unit normal needs no root and no division, and is
    // the one those would give (the root of a square is exact where it neither overflows nor
    // underflows, and a zero keeps its sign).
    const int nZeros = (normal[0] == 0) + (normal[1] == 0) + (normal[2] == 0);
    const double along = std::fabs(normal[0] + normal[1] + normal[2]);
    if (nZeros == 2 && along > 1e-9 && along < 1e150) {
        Vec3 unit = normal;
        for (double& n : unit) {
            n = n == 0 ? n : (n > 0 ? 1.0 : -1.0);
        }
        return Plane{unit, Dot(unit, p1)};
    }
    const double length = std::sqrt(Dot(normal, normal));
    if (!(length > 1e-9)) {
        return std::nullopt;
    }
    const Vec3 unit{normal[0] / length, normal[1] / length, normal[2] / length};
    return Plane{unit, Dot(unit, p1)};
}

std::optional<Box> BrushBounds(std::span<const Plane> planes, CWorkBudget& budget) {
    if (const std::optional<std::optional<Box>> box = AxisAlignedBounds(planes, budget)) {
        return *box;
    }
    std::optional<Box> bounds;
    const size_t n = planes.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            for (size_t k = j + 1; k < n; ++k) {
                if (!budget.Spend(1)) {
                    return std::nullopt;
                }
                const std::optional<Vec3> point = Meet(planes[i], planes[j], planes[k]);
                if (!point || !AllPlanes(planes, budget, [&](const Plane& plane) {
                        return Dot(plane.normal, *point) - plane.dist <= kEpsilon;
                    })) {
                    continue;
                }
                // Adding 0 turns -0 into 0, which would otherwise be shown.
                const Vec3 p{(*point)[0] + 0.0, (*point)[1] + 0.0, (*point)[2] + 0.0};
                const Box corner{p, p};
                if (bounds) {
                    bounds->Add(corner);
                } else {
                    bounds = corner;
                }
            }
        }
    }
    if (budget.Exhausted() || !bounds || !IsClosed(planes, budget)) {
        return std::nullopt;
    }
    for (int i = 0; i < 3; ++i) {
        if (bounds->maxs[i] - bounds->mins[i] <= kEpsilon) {
            return std::nullopt;  // flat: encloses no volume
        }
    }
    return bounds;
}

}  // namespace BrushGeometry
