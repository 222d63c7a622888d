#include "tools/CKvlGridFormatter.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "tools/CKvlTextFormatter.h"

namespace {

constexpr int kCellWidth = 7;

// What the records of one sub cell say together.
struct CellSummary {
    uint32_t nRecords = 0;
    uint16_t nExits = 0;
};

class CGridPainter {
public:
    // definition gives the dimensions, source the records.
    CGridPainter(const CKvlDefinition& definition, const CKvlSource& source)
        : m_Definition(definition),
          m_Cells(static_cast<size_t>(definition.m_nDimX) * definition.m_nDimY *
                  definition.m_nDimZ) {
        source.ForEachSubCell([this](const SubCell& cell) {
            if (IsInside(cell)) {
                CellSummary& summary = At(cell.nX, cell.nY, cell.nZ);
                ++summary.nRecords;
                summary.nExits = static_cast<uint16_t>(summary.nExits | cell.GetExits());
            } else {
                ++m_nOutside;
            }
        });
        m_nLabelWidth = ("y=" + std::to_string(definition.m_nDimY - 1)).size();
    }

    void Paint(std::ostream& text) const {
        for (int32_t z = 0; z < m_Definition.m_nDimZ; ++z) {
            text << "z=" << z << "  (north up, east right)\n";
            PaintColumnHeads(text);
            for (int32_t y = m_Definition.m_nDimY - 1; y >= 0; --y) {
                PaintRow(text, y, z);
            }
        }
        text << "N S E W: exits   ?: no record   xN: N records, their exits together\n";
        if (m_nOutside > 0) {
            text << m_nOutside << " record(s) outside the dimensions, not drawn\n";
        }
    }

private:
    bool IsInside(const SubCell& cell) const {
        return cell.nX >= 0 && cell.nX < m_Definition.m_nDimX && cell.nY >= 0 &&
               cell.nY < m_Definition.m_nDimY && cell.nZ >= 0 && cell.nZ < m_Definition.m_nDimZ;
    }

    CellSummary& At(int32_t x, int32_t y, int32_t z) { return m_Cells[Index(x, y, z)]; }
    const CellSummary& At(int32_t x, int32_t y, int32_t z) const { return m_Cells[Index(x, y, z)]; }

    size_t Index(int32_t x, int32_t y, int32_t z) const {
        return (static_cast<size_t>(z) * m_Definition.m_nDimY + y) * m_Definition.m_nDimX + x;
    }

    std::string Margin(const std::string& label = "") const {
        return label + std::string(m_nLabelWidth - label.size() + 2, ' ');
    }

    void PaintColumnHeads(std::ostream& text) const {
        std::string line = Margin();
        for (int32_t x = 0; x < m_Definition.m_nDimX; ++x) {
            const std::string head = "x=" + std::to_string(x);
            const size_t nLeft = (kCellWidth - std::min<size_t>(head.size(), kCellWidth)) / 2;
            std::string column = std::string(nLeft, ' ') + head;
            column.resize(std::max<size_t>(column.size(), kCellWidth), ' ');
            line += column + ' ';
        }
        text << TrimRight(line) << '\n';
    }

    void PaintRow(std::ostream& text, int32_t y, int32_t z) const {
        std::string top = Margin();
        std::string middle = Margin("y=" + std::to_string(y));
        std::string bottom = Margin();
        for (int32_t x = 0; x < m_Definition.m_nDimX; ++x) {
            const CellSummary& cell = At(x, y, z);
            top += Side(cell.nExits & EXIT_NORTH, 'N') + ' ';
            middle += ((cell.nExits & EXIT_WEST) ? 'W' : '|') + Inside(cell) +
                      ((cell.nExits & EXIT_EAST) ? 'E' : '|') + ' ';
            bottom += Side(cell.nExits & EXIT_SOUTH, 'S') + ' ';
        }
        text << TrimRight(top) << '\n' << TrimRight(middle) << '\n' << TrimRight(bottom) << '\n';
    }

    static std::string Side(bool bExit, char cLetter) {
        return bExit ? std::string("+--") + cLetter + "--+" : std::string("+-----+");
    }

    static std::string Inside(const CellSummary& cell) {
        if (cell.nRecords == 0) {
            return "  ?  ";
        }
        if (cell.nRecords == 1) {
            return "     ";
        }
        std::string count = cell.nRecords > 999 ? "x999+" : " x" + std::to_string(cell.nRecords);
        count.resize(kCellWidth - 2, ' ');
        return count;
    }

    static std::string TrimRight(std::string line) {
        line.erase(line.find_last_not_of(' ') + 1);
        return line;
    }

    const CKvlDefinition& m_Definition;
    std::vector<CellSummary> m_Cells;
    uint64_t m_nOutside = 0;
    size_t m_nLabelWidth = 0;
};

// Each factor is checked first, so the product cannot overflow.
bool IsSmallEnough(const CKvlDefinition& definition) {
    return definition.m_nDimX <= CKvlGridFormatter::kMaxColumns &&
           definition.m_nDimY <= CKvlGridFormatter::kMaxCells &&
           definition.m_nDimZ <= CKvlGridFormatter::kMaxCells &&
           int64_t{definition.m_nDimX} * definition.m_nDimY * definition.m_nDimZ <=
               CKvlGridFormatter::kMaxCells;
}

}  // namespace

void CKvlGridFormatter::Write(std::ostream& text, const CKvlSource& source) {
    const CKvlDefinition& definition = source.Result().m_Definition;
    const std::string dimensions = CKvlTextFormatter::FormatDimensions(
        definition.m_nDimX, definition.m_nDimY, definition.m_nDimZ);
    text << source.Name() << ": identifier " << definition.m_nId << ", map file "
         << CKvlTextFormatter::Quote(definition.m_strMapFile) << ", " << dimensions << '\n';
    if (definition.m_nDimX <= 0 || definition.m_nDimY <= 0 || definition.m_nDimZ <= 0) {
        text << "no grid: " << dimensions << " holds no sub cells\n";
    } else if (!IsSmallEnough(definition)) {
        text << "no grid: " << dimensions << " is too large to draw (at most " << kMaxColumns
             << " columns and " << kMaxCells << " sub cells)\n";
    } else {
        CGridPainter(definition, source).Paint(text);
    }
}
