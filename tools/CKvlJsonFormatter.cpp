#include "tools/CKvlJsonFormatter.h"

#include <nlohmann/json.hpp>

#include "definition/CKvlWriter.h"

namespace {

using Json = nlohmann::ordered_json;

Json NoteToJson(const KvlReadNote& note) {
    return Json{{"offset", note.nOffset}, {"message", note.strMessage}};
}

Json SubCellToJson(const SubCell& cell) {
    return Json{{"x", cell.nX},
                {"y", cell.nY},
                {"z", cell.nZ},
                {"exits", cell.GetExits()},
                {"north", cell.bNorth},
                {"south", cell.bSouth},
                {"east", cell.bEast},
                {"west", cell.bWest},
                {"reserved1", cell.nReserved1},
                {"reserved2", cell.nReserved2}};
}

Json DefinitionToJson(const CKvlDefinition& definition) {
    Json subCells = Json::array();
    for (const SubCell& cell : definition.m_SubCells) {
        subCells.push_back(SubCellToJson(cell));
    }
    return Json{{"header_length", CKvlReader::kHeaderLength},
                {"signature", CKvlWriter::kHeaderText},
                {"id", definition.m_nId},
                {"map_file", definition.m_strMapFile},
                {"dimensions",
                 {{"x", definition.m_nDimX}, {"y", definition.m_nDimY}, {"z", definition.m_nDimZ}}},
                {"sub_cell_count", definition.GetSubCellCount()},
                {"sub_cells", std::move(subCells)}};
}

}  // namespace

std::string CKvlJsonFormatter::Format(const std::string& file, const KvlReadResult& result) {
    Json object{{"file", file}};
    if (!result.IsOk()) {
        Json error = NoteToJson(result.m_Error);
        error["kind"] = result.eStatus == KvlReadResult::Status::Corrupt ? "corrupt" : "unreadable";
        object["error"] = std::move(error);
    } else {
        object.update(DefinitionToJson(result.m_Definition));
        Json warnings = Json::array();
        for (const KvlReadNote& warning : result.m_Warnings) {
            warnings.push_back(NoteToJson(warning));
        }
        object["warnings"] = std::move(warnings);
    }
    // Names from a file need not be UTF-8; such bytes become U+FFFD instead of an exception.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}
