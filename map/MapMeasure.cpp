#include "map/MapMeasure.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "config/CProfilePathResolver.h"
#include "definition/CKvlDefinition.h"
#include "fileio/PathText.h"
#include "platform/ProfileFile.h"

namespace {

// How deep "just inside the boundary" reaches when looking for what closes a side.
constexpr double kSlabDepth = 1;

// Plane tests allowed per measurement: a fixed allowance for the exit search of a small map,
// and a share for every face, far above what drawn prefabs need.
constexpr uint64_t kBaseWork = 2'000'000;
constexpr uint64_t kWorkPerFace = 200'000;

constexpr const char* kSummaryName = "summary.INI";

constexpr uint16_t kNorth = 1, kSouth = 2, kEast = 4, kWest = 8;

const char* const kTooComplex =
    "is too complex to measure: brushes with too many faces, or too many cells for its brushes";

bool IsSolidClass(const MapKeys& keys) {
    const auto classname = std::find_if(keys.begin(), keys.end(),
                                        [](const auto& key) { return key.first == "classname"; });
    if (classname == keys.end()) {
        return false;
    }
    const std::string& name = classname->second;
    return name == "worldspawn" || name == "func_group" || name == "func_detail" ||
           name == "func_wall";
}

// Turns the map's axes into the definition's: x east, y north, z up.
class CFrame {
public:
    explicit CFrame(const MeasureSettings& settings) {
        const double sign = settings.bNorthNegative ? -1 : 1;
        m_North = {settings.nNorthAxis == 0 ? sign : 0, settings.nNorthAxis == 1 ? sign : 0};
        m_East = {m_North[1], -m_North[0]};
    }
    bool IsIdentity() const { return m_North[0] == 0 && m_North[1] == 1; }
    void AppendToDefinition(std::span<const Plane> planes, std::vector<Plane>& out) const {
        for (const Plane& plane : planes) {
            out.push_back(ToDefinition(plane));
        }
    }
    Plane ToDefinition(const Plane& plane) const {
        const Vec3& n = plane.normal;
        return {{n[0] * m_East[0] + n[1] * m_East[1], n[0] * m_North[0] + n[1] * m_North[1], n[2]},
                plane.dist};
    }
    Box ToMap(const Box& box) const {
        Box result{{HUGE_VAL, HUGE_VAL, box.mins[2]}, {-HUGE_VAL, -HUGE_VAL, box.maxs[2]}};
        for (const double x : {box.mins[0], box.maxs[0]}) {
            for (const double y : {box.mins[1], box.maxs[1]}) {
                const Vec3 corner{x * m_East[0] + y * m_North[0], x * m_East[1] + y * m_North[1],
                                  box.mins[2]};
                result.Add({corner, corner});
            }
        }
        return result;
    }

private:
    std::array<double, 2> m_North{};
    std::array<double, 2> m_East{};
};

struct Rect {
    double u0, u1, v0, v1;
};

// Some w x h rectangle inside square that overlaps none of blocks. If one exists, it can be
// slid towards lower u and then lower v until it meets a block or the square's edge, so only
// those positions need testing.
bool HasFreeRect(const Rect& square, const std::vector<Rect>& blocks, double w, double h) {
    const double e = BrushGeometry::kEpsilon;
    std::vector<double> us{square.u0};
    std::vector<double> vs{square.v0};
    for (const Rect& block : blocks) {
        us.push_back(block.u1);
        vs.push_back(block.v1);
    }
    for (const double u : us) {
        for (const double v : vs) {
            if (u + w > square.u1 + e || v + h > square.v1 + e) {
                continue;
            }
            const bool bBlocked = std::any_of(blocks.begin(), blocks.end(), [&](const Rect& b) {
                return b.u0 < u + w - e && b.u1 > u + e && b.v0 < v + h - e && b.v1 > v + e;
            });
            if (!bBlocked) {
                return true;
            }
        }
    }
    return false;
}

bool Overlaps(const Box& a, const Box& b) {
    for (int i = 0; i < 3; ++i) {
        if (a.mins[i] >= b.maxs[i] - BrushGeometry::kEpsilon ||
            a.maxs[i] <= b.mins[i] + BrushGeometry::kEpsilon) {
            return false;
        }
    }
    return true;
}

struct SolidBrush {
    Box bounds;
    // In the map's frame, held by the map; none when every face faces along an axis, and the
    // brush is its bounds.
    std::span<const Plane> mapPlanes;
};

bool IsBoxShaped(std::span<const Plane> planes) {
    return std::all_of(planes.begin(), planes.end(), [](const Plane& plane) {
        const Vec3& n = plane.normal;
        return std::fabs(n[0]) + std::fabs(n[1]) + std::fabs(n[2]) == 1;
    });
}

// The part of brush inside slab, as a box; nothing when the brush only touches it.
std::optional<Box> PartInside(const SolidBrush& brush, const Box& slab, const CFrame& frame,
                              CWorkBudget& budget) {
    if (brush.mapPlanes.empty()) {
        // Most brushes: the part is the overlap of two boxes, which Overlaps has found.
        Box part;
        for (int i = 0; i < 3; ++i) {
            part.mins[i] = std::max(brush.bounds.mins[i], slab.mins[i]);
            part.maxs[i] = std::min(brush.bounds.maxs[i], slab.maxs[i]);
        }
        return part;
    }
    std::vector<Plane> planes;
    frame.AppendToDefinition(brush.mapPlanes, planes);
    for (int i = 0; i < 3; ++i) {
        Vec3 axis{};
        axis[i] = 1;
        planes.push_back({axis, slab.maxs[i]});
        axis[i] = -1;
        planes.push_back({axis, -slab.mins[i]});
    }
    // A brush that only touches the slab at a slant may enclose nothing inside it.
    return BrushGeometry::BrushBounds(planes, budget);
}

class CExitFinder {
public:
    // nBrushes: of the whole map, each charged for at every side.
    CExitFinder(const std::vector<SolidBrush>& solids, uint64_t nBrushes,
                const MapMeasurement& measurement, const MeasureSettings& settings,
                const Box& extent, CWorkBudget& budget)
        : m_nBrushes(nBrushes),
          m_Measurement(measurement),
          m_Settings(settings),
          m_Frame(settings),
          m_Extent(extent),
          m_Budget(budget) {
        // Only brushes against the boundary can close a side: sorting them out once spares
        // every side a look at every brush of a large map.
        for (const int nAxis : {0, 1}) {
            for (const bool bMax : {false, true}) {
                Box slab = Slab(nAxis, bMax, 0, 0);
                for (const int i : {1 - nAxis, 2}) {
                    slab.mins[i] = -HUGE_VAL;
                    slab.maxs[i] = HUGE_VAL;
                }
                std::vector<const SolidBrush*>& near = m_Near[nAxis][bMax ? 1 : 0];
                for (const SolidBrush& solid : solids) {
                    if (Overlaps(solid.bounds, slab)) {
                        near.push_back(&solid);
                    }
                }
            }
        }
    }

    std::vector<SuggestedExit> Run() {
        const auto& dims = m_Measurement.dims;
        std::vector<SuggestedExit> cells;
        for (int32_t x = 0; x < dims[0]; ++x) {
            for (int32_t y = 0; y < dims[1]; ++y) {
                for (int32_t z = 0; z < dims[2]; ++z) {
                    // Only the boundary cells have outer sides.
                    if (x != 0 && x != dims[0] - 1 && y != 0 && y != dims[1] - 1) {
                        y = dims[1] - 2;
                        break;
                    }
                    if (m_Budget.Exhausted()) {
                        return {};
                    }
                    const uint16_t nExits = CellExits(x, y, z);
                    if (nExits != 0) {
                        cells.push_back({x, y, z, nExits});
                    }
                }
            }
        }
        return cells;
    }

private:
    uint16_t CellExits(int32_t x, int32_t y, int32_t z) const {
        const auto& dims = m_Measurement.dims;
        uint16_t nExits = 0;
        if (y == dims[1] - 1 && SideOpen(1, true, x, z)) {
            nExits |= kNorth;
        }
        if (y == 0 && SideOpen(1, false, x, z)) {
            nExits |= kSouth;
        }
        if (x == dims[0] - 1 && SideOpen(0, true, y, z)) {
            nExits |= kEast;
        }
        if (x == 0 && SideOpen(0, false, y, z)) {
            nExits |= kWest;
        }
        return nExits;
    }

    // The part just inside the extent's far (bMax) or near end across axis (0 X, 1 Y) of the
    // cell numbered nAlong on the other horizontal axis and nZ on Z.
    Box Slab(int nAxis, bool bMax, int32_t nAlong, int32_t nZ) const {
        const int nOther = 1 - nAxis;
        const Vec3& q = m_Settings.quantum;
        Box slab;
        slab.mins[nAxis] = bMax ? m_Extent.maxs[nAxis] - kSlabDepth : m_Extent.mins[nAxis];
        slab.maxs[nAxis] = bMax ? m_Extent.maxs[nAxis] : m_Extent.mins[nAxis] + kSlabDepth;
        slab.mins[nOther] = m_Extent.mins[nOther] + nAlong * q[nOther];
        slab.maxs[nOther] = slab.mins[nOther] + q[nOther];
        slab.mins[2] = m_Extent.mins[2] + nZ * q[2];
        slab.maxs[2] = slab.mins[2] + q[2];
        return slab;
    }

    // The side across axis (0 X, 1 Y) at the extent's far (bMax) or near end, of the cell
    // numbered nAlong on the other horizontal axis and nZ on Z.
    bool SideOpen(int nAxis, bool bMax, int32_t nAlong, int32_t nZ) const {
        const int nOther = 1 - nAxis;
        const Box slab = Slab(nAxis, bMax, nAlong, nZ);
        std::vector<Rect> blocks;
        // Charged for every brush of the map, as when each was looked at, so that what is too
        // complex to measure does not depend on where the brushes lie.
        if (!m_Budget.Spend(m_nBrushes)) {
            return false;
        }
        for (const SolidBrush* pSolid : m_Near[nAxis][bMax ? 1 : 0]) {
            if (!Overlaps(pSolid->bounds, slab)) {
                continue;
            }
            if (const std::optional<Box> part = PartInside(*pSolid, slab, m_Frame, m_Budget)) {
                blocks.push_back(
                    {part->mins[nOther], part->maxs[nOther], part->mins[2], part->maxs[2]});
            }
        }
        // A map lower or narrower than its cells ends inside the last one: what lies beyond
        // its extent is outside the prefab, where no player passes.
        const Rect square{slab.mins[nOther], std::min(slab.maxs[nOther], m_Extent.maxs[nOther]),
                          slab.mins[2], std::min(slab.maxs[2], m_Extent.maxs[2])};
        const uint64_t nPositions = (blocks.size() + 1) * (blocks.size() + 1);
        if (!m_Budget.Spend(nPositions * (blocks.size() + 1))) {
            return false;
        }
        return HasFreeRect(square, blocks, m_Settings.gapWidth, m_Settings.gapHeight);
    }

    const uint64_t m_nBrushes;
    const MapMeasurement& m_Measurement;
    const MeasureSettings& m_Settings;
    const CFrame m_Frame;
    const Box& m_Extent;
    CWorkBudget& m_Budget;
    std::array<std::array<std::vector<const SolidBrush*>, 2>, 2> m_Near;  // [axis][far end]
};

// Measures brushes as they are read: each brush's bounds are found at once, and its planes are
// kept only when it is a slanted solid that the exit search must cut.
class CMapMeasurer : public IMapSink {
public:
    explicit CMapMeasurer(const MeasureSettings& settings)
        : m_Settings(settings), m_Frame(settings) {}

    void Brush(const MapBrush& brush) override {
        // Each face read adds its share to the work allowed.
        m_Budget.Grant(kWorkPerFace * brush.planes.size());
        // With north along +Y the frames agree: most maps need no copy.
        std::span<const Plane> planes = brush.planes;
        if (!m_Frame.IsIdentity()) {
            m_Turned.clear();
            m_Frame.AppendToDefinition(brush.planes, m_Turned);
            planes = m_Turned;
        }
        const size_t nBrush = m_nEntityBrushes++;
        ++m_nBrushes;
        const std::optional<Box> bounds = BrushGeometry::BrushBounds(planes, m_Budget);
        if (!bounds) {
            m_Skipped.push_back({brush.nLine, 1,
                                 "brush " + std::to_string(nBrush) + " of entity " +
                                     std::to_string(m_nEntities) +
                                     " encloses nothing; it is skipped"});
            return;
        }
        m_Extent ? m_Extent->Add(*bounds) : void(m_Extent = *bounds);
        if (!brush.bPassable) {
            m_EntitySolids.push_back({*bounds, IsBoxShaped(planes) ? std::span<const Plane>()
                                                                   : m_Kept.Keep(brush.planes)});
            LetGoOfInnerBrushes(m_EntitySolids, m_nEntityLetGoAt);
        }
    }

    // Only now is the entity's class sure: its keys may follow its brushes.
    void EntityEnd(const MapKeys& keys) override {
        if (IsSolidClass(keys)) {
            m_Solids.insert(m_Solids.end(), m_EntitySolids.begin(), m_EntitySolids.end());
            LetGoOfInnerBrushes(m_Solids, m_nLetGoAt);
        }
        m_EntitySolids.clear();
        ++m_nEntities;
        m_nEntityBrushes = 0;
    }

    bool Finish(const std::vector<MapNote>& readWarnings, MapMeasurement& measurement,
                std::string& error) {
        if (m_Budget.Exhausted()) {
            error = kTooComplex;
            return false;
        }
        if (!m_Extent) {
            error = "holds no brush that encloses a volume";
            return false;
        }
        measurement.warnings = readWarnings;
        measurement.warnings.insert(measurement.warnings.end(), m_Skipped.begin(), m_Skipped.end());
        measurement.extent = m_Frame.ToMap(*m_Extent);
        if (!MeasureCells(*m_Extent, measurement, error)) {
            return false;
        }
        measurement.exits =
            CExitFinder(m_Solids, m_nBrushes, measurement, m_Settings, *m_Extent, m_Budget).Run();
        if (m_Budget.Exhausted()) {
            error = kTooComplex;
            return false;
        }
        return true;
    }

private:
    // Only brushes against the boundary can close a side, and the extent only grows: a brush
    // clear of its sides now stays clear, so it is let go, and a large map is never held.
    // Done each time the brushes held have doubled, which costs a few looks at each brush.
    void LetGoOfInnerBrushes(std::vector<SolidBrush>& held, size_t& nLetGoAt) const {
        if (held.size() < nLetGoAt) {
            return;
        }
        const Box& extent = *m_Extent;
        const double reach = kSlabDepth - BrushGeometry::kEpsilon;
        std::erase_if(held, [&](const SolidBrush& solid) {
            const Box& b = solid.bounds;
            return b.mins[0] >= extent.mins[0] + reach && b.maxs[0] <= extent.maxs[0] - reach &&
                   b.mins[1] >= extent.mins[1] + reach && b.maxs[1] <= extent.maxs[1] - reach;
        });
        nLetGoAt = std::max(kFirstLetGo, 2 * held.size());
    }

    bool MeasureCells(const Box& extent, MapMeasurement& measurement, std::string& error) const {
        for (int i = 0; i < 3; ++i) {
            const double q = m_Settings.quantum[i];
            measurement.size[i] = extent.maxs[i] - extent.mins[i];
            const double cells = measurement.size[i] / q;
            if (!(cells < static_cast<double>(CKvlDefinition::kMaxSubCells))) {
                error = "is too large: " + std::to_string(cells) + " cells along one axis";
                return false;
            }
            // Within the tolerance of the vertices, a size is a whole number of cells.
            const double whole = std::round(cells);
            measurement.wholeCells[i] = whole >= 1 && std::fabs(cells - whole) * q <= 1e-2;
            measurement.dims[i] = static_cast<int32_t>(
                std::max(1.0, measurement.wholeCells[i] ? whole : std::ceil(cells)));
        }
        if (!CKvlDefinition::DimensionsWithinLimit(measurement.dims[0], measurement.dims[1],
                                                   measurement.dims[2])) {
            error = "is too large: more than " + std::to_string(CKvlDefinition::kMaxSubCells) +
                    " sub cells";
            return false;
        }
        return true;
    }

    const MeasureSettings& m_Settings;
    const CFrame m_Frame;
    CWorkBudget m_Budget{kBaseWork};
    std::vector<Plane> m_Turned;
    std::optional<Box> m_Extent;
    std::vector<SolidBrush> m_Solids;        // of the solid entities read
    std::vector<SolidBrush> m_EntitySolids;  // of the entity being read
    CPlaneStore m_Kept;                      // of slanted solids
    std::vector<MapNote> m_Skipped;
    static constexpr size_t kFirstLetGo = 4096;
    size_t m_nLetGoAt = kFirstLetGo;        // m_Solids' size at which inner brushes go
    size_t m_nEntityLetGoAt = kFirstLetGo;  // and m_EntitySolids'

    uint64_t m_nBrushes = 0;
    size_t m_nEntities = 0;
    size_t m_nEntityBrushes = 0;
};

}  // namespace

Vec3 MapMeasure::FolderQuantum(const std::string& mapPath) {
    // Spelt in any case, as the generator finds it under Windows or Wine; where two spellings
    // are there, the one as written.
    const CProfilePathResolver::Result found =
        CProfilePathResolver(mapPath).Resolve(std::string(kSummaryName));
    const std::string summary =
        found.Resolved() ? found.strPath : PathText::DirectoryOf(mapPath) + kSummaryName;
    const std::optional<CIniDocument> document = ProfileFile::Read(summary);
    Vec3 quantum{256, 256, 256};
    const char* const keys[] = {"quantum_unit_x", "quantum_unit_y", "quantum_unit_z"};
    for (int i = 0; i < 3; ++i) {
        const auto nValue =
            static_cast<int32_t>(ProfileFile::IntValue(document, "general", keys[i], 256));
        if (nValue > 0) {
            quantum[i] = nValue;
        }
    }
    return quantum;
}

bool MapMeasure::Measure(const MapReadResult& map, const MeasureSettings& settings,
                         MapMeasurement& measurement, std::string& error) {
    CMapMeasurer measurer(settings);
    for (const MapEntity& entity : map.entities) {
        for (const MapBrush& brush : entity.brushes) {
            measurer.Brush(brush);
        }
        measurer.EntityEnd(entity.keys);
    }
    return measurer.Finish(map.warnings, measurement, error);
}

bool MapMeasure::MeasureFile(const std::string& path, const MeasureSettings& settings,
                             MapReadStatus& read, MapMeasurement& measurement, std::string& error) {
    CMapMeasurer measurer(settings);
    read = MapReader::ReadFile(path, measurer);
    return read.bOk && measurer.Finish(read.warnings, measurement, error);
}

std::optional<std::array<int32_t, 3>> MapMeasure::Dimensions(const std::string& mapPath) {
    MeasureSettings settings;
    settings.quantum = FolderQuantum(mapPath);
    MapReadStatus read;
    MapMeasurement measurement;
    std::string error;
    if (!MeasureFile(mapPath, settings, read, measurement, error)) {
        return std::nullopt;
    }
    return measurement.dims;
}
