#include "tools/KvlTextFormatter.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>

#include "definition/CKvlWriter.h"
#include "tools/ExitLetters.h"

void KvlTextFormatter::Write(std::ostream& text, const CKvlSource& source) {
    const CKvlDefinition& definition = source.Result().m_Definition;
    text << source.Name() << '\n';
    text << "  header length  " << KvlReader::kHeaderLength << '\n';
    text << "  signature      " << Quote(CKvlWriter::kHeaderText) << '\n';
    text << "  identifier     " << definition.m_nId << '\n';
    text << "  map file       " << Quote(definition.m_strMapFile) << '\n';
    text << "  dimensions     "
         << FormatDimensions(definition.m_nDimX, definition.m_nDimY, definition.m_nDimZ) << '\n';
    text << "  sub cells      " << source.SubCellCount() << '\n';
    if (source.SubCellCount() == 0) {
        return;
    }
    // One width for the three coordinate columns, wide enough for the longest number.
    size_t nWidth = 1;
    source.ForEachSubCell([&nWidth](const SubCell& cell) {
        for (const int32_t nCoordinate : {cell.nX, cell.nY, cell.nZ}) {
            nWidth = std::max(nWidth, std::to_string(nCoordinate).size());
        }
    });
    const int nColumn = static_cast<int>(nWidth + 2);
    text << "    record" << std::setw(nColumn) << 'x' << std::setw(nColumn) << 'y'
         << std::setw(nColumn) << 'z' << "  exits  reserved\n";
    uint32_t nRecord = 0;
    source.ForEachSubCell([&](const SubCell& cell) {
        text << "    " << std::left << std::setw(6) << nRecord++ << std::right << std::setw(nColumn)
             << cell.nX << std::setw(nColumn) << cell.nY << std::setw(nColumn) << cell.nZ << "  "
             << std::left << std::setw(7) << ExitLetters::Format(cell.GetExits()) << std::right
             << cell.nReserved1 << ' ' << cell.nReserved2 << '\n';
    });
}

std::string KvlTextFormatter::FormatNote(const std::string& file, const KvlReader::Note& note,
                                         bool bWithOffset) {
    std::string text = file + ": ";
    if (bWithOffset) {
        text += "offset " + std::to_string(note.nOffset) + ": ";
    }
    return text + note.strMessage;
}

std::string KvlTextFormatter::FormatDimensions(int32_t nDimX, int32_t nDimY, int32_t nDimZ) {
    return std::to_string(nDimX) + " x " + std::to_string(nDimY) + " x " + std::to_string(nDimZ);
}

std::string KvlTextFormatter::Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(byte));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}
