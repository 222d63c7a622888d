#include "tools/SubCellAudit.h"

#include <map>
#include <tuple>

#include "tools/KvlTextFormatter.h"

namespace {

using Coordinates = std::tuple<int32_t, int32_t, int32_t>;

// Records naming more sub cells than this are summed up rather than listed.
constexpr size_t kMaxRecordsListed = 8;
// At most this many sub cells without a record are named one by one; the rest are counted.
constexpr uint64_t kMaxMissingListed = 10;

std::string Describe(const Coordinates& coordinates) {
    const auto [x, y, z] = coordinates;
    // Appending, not operator+ on a literal first: GCC 12 warns (-Wrestrict) on that form.
    std::string text = "(";
    text.append(std::to_string(x)).append(", ").append(std::to_string(y)).append(", ");
    text.append(std::to_string(z)).append(")");
    return text;
}

bool IsInside(const CKvlDefinition& definition, const SubCell& cell) {
    return cell.nX >= 0 && cell.nX < definition.m_nDimX && cell.nY >= 0 &&
           cell.nY < definition.m_nDimY && cell.nZ >= 0 && cell.nZ < definition.m_nDimZ;
}

class CAuditor {
public:
    explicit CAuditor(const CKvlDefinition& definition)
        : m_Definition(definition),
          m_strDimensions(KvlTextFormatter::FormatDimensions(definition.m_nDimX, definition.m_nDimY,
                                                             definition.m_nDimZ)) {}

    std::vector<std::string> Run() {
        const bool bBlockValid = AuditDimensions();
        AuditRecords();
        AuditDuplicates();
        if (bBlockValid) {
            AuditCoverage();
        }
        return std::move(m_Problems);
    }

private:
    // True when the block is one that can be checked sub cell by sub cell.
    bool AuditDimensions() {
        const std::pair<const char*, int32_t> axes[] = {
            {"X", m_Definition.m_nDimX}, {"Y", m_Definition.m_nDimY}, {"Z", m_Definition.m_nDimZ}};
        bool bPositive = true;
        for (const auto& [pszAxis, nDimension] : axes) {
            if (nDimension <= 0) {
                m_Problems.push_back(std::string("the ") + pszAxis + " dimension is " +
                                     std::to_string(nDimension) +
                                     "; a prefab is at least one sub cell along each axis");
                bPositive = false;
            }
        }
        if (!bPositive) {
            return false;
        }
        if (!CKvlDefinition::DimensionsWithinLimit(m_Definition.m_nDimX, m_Definition.m_nDimY,
                                                   m_Definition.m_nDimZ)) {
            m_Problems.push_back("the dimensions " + m_strDimensions + " exceed the limit of " +
                                 std::to_string(CKvlDefinition::kMaxSubCells) + " sub cells");
            return false;
        }
        return true;
    }

    void AuditRecords() {
        uint32_t nRecord = 0;
        for (const SubCell& cell : m_Definition.m_SubCells) {
            const Coordinates coordinates{cell.nX, cell.nY, cell.nZ};
            if (!IsInside(m_Definition, cell)) {
                m_Problems.push_back("sub cell record " + std::to_string(nRecord) + " at " +
                                     Describe(coordinates) + " lies outside the dimensions " +
                                     m_strDimensions);
            }
            std::vector<uint32_t>& records = m_Records[coordinates];
            if (records.empty()) {
                m_FirstSeen.push_back(coordinates);
            }
            records.push_back(nRecord++);
        }
    }

    void AuditDuplicates() {
        for (const Coordinates& coordinates : m_FirstSeen) {
            const std::vector<uint32_t>& records = m_Records.at(coordinates);
            if (records.size() < 2) {
                continue;
            }
            std::string list;
            for (size_t i = 0; i < records.size() && i < kMaxRecordsListed; ++i) {
                list += (i == 0 ? "" : ", ") + std::to_string(records[i]);
            }
            if (records.size() > kMaxRecordsListed) {
                list += ", ...";
            }
            m_Problems.push_back("sub cell " + Describe(coordinates) + " has " +
                                 std::to_string(records.size()) + " records: " + list);
        }
    }

    // Only reached for a block within the limit, so the flags stay small.
    void AuditCoverage() {
        const int32_t nDimY = m_Definition.m_nDimY;
        const int32_t nDimZ = m_Definition.m_nDimZ;
        const auto index = [&](int32_t x, int32_t y, int32_t z) {
            return (static_cast<size_t>(x) * nDimY + y) * nDimZ + z;
        };
        std::vector<uint8_t> given(index(m_Definition.m_nDimX, 0, 0), 0);
        for (const SubCell& cell : m_Definition.m_SubCells) {
            if (IsInside(m_Definition, cell)) {
                given[index(cell.nX, cell.nY, cell.nZ)] = 1;
            }
        }
        uint64_t nMissing = 0;
        for (int32_t x = 0; x < m_Definition.m_nDimX; ++x) {
            for (int32_t y = 0; y < nDimY; ++y) {
                for (int32_t z = 0; z < nDimZ; ++z) {
                    if (given[index(x, y, z)] != 0) {
                        continue;
                    }
                    if (nMissing++ < kMaxMissingListed) {
                        m_Problems.push_back("sub cell " + Describe({x, y, z}) + " has no record");
                    }
                }
            }
        }
        if (nMissing > kMaxMissingListed) {
            m_Problems.push_back("and " + std::to_string(nMissing - kMaxMissingListed) +
                                 " more sub cells of " + m_strDimensions + " have no record");
        }
    }

    const CKvlDefinition& m_Definition;
    const std::string m_strDimensions;
    std::map<Coordinates, std::vector<uint32_t>> m_Records;
    std::vector<Coordinates> m_FirstSeen;
    std::vector<std::string> m_Problems;
};

}  // namespace

std::vector<std::string> SubCellAudit::Audit(const CKvlDefinition& definition) {
    return CAuditor(definition).Run();
}
