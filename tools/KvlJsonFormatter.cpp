#include "tools/KvlJsonFormatter.h"

#include <array>
#include <charconv>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

#include "definition/CKvlWriter.h"

namespace {

// Collects text and hands it to the stream in large pieces: a million records are written
// without a million small writes and without the whole text in memory.
class CJsonOut {
public:
    explicit CJsonOut(std::ostream& out) : m_Out(out) {}
    ~CJsonOut() { Flush(); }
    CJsonOut(const CJsonOut&) = delete;
    CJsonOut& operator=(const CJsonOut&) = delete;

    CJsonOut& operator<<(std::string_view text) {
        if (text.size() > kSlack) {
            Flush();
            m_Out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return *this;
        }
        std::memcpy(m_Buffer.data() + m_nUsed, text.data(), text.size());
        m_nUsed += text.size();
        return FlushWhenFull();
    }
    CJsonOut& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <typename TNumber>
    CJsonOut& Number(TNumber nValue) {
        // Room for any number: the buffer always has kSlack bytes free past m_nUsed.
        char* pBegin = m_Buffer.data() + m_nUsed;
        m_nUsed = static_cast<size_t>(std::to_chars(pBegin, pBegin + kSlack, nValue).ptr -
                                      m_Buffer.data());
        return FlushWhenFull();
    }
    CJsonOut& Bool(bool bValue) { return *this << (bValue ? "true" : "false"); }
    // Names from a file need not be UTF-8; such bytes become U+FFFD instead of an exception.
    CJsonOut& String(const std::string& text) {
        return *this << nlohmann::json(text).dump(-1, ' ', false,
                                                  nlohmann::json::error_handler_t::replace);
    }

private:
    static constexpr size_t kChunk = size_t{64} * 1024;
    static constexpr size_t kSlack = 256;  // what one append may add

    CJsonOut& FlushWhenFull() {
        if (m_nUsed >= kChunk) {
            Flush();
        }
        return *this;
    }
    void Flush() {
        m_Out.write(m_Buffer.data(), static_cast<std::streamsize>(m_nUsed));
        m_nUsed = 0;
    }

    std::ostream& m_Out;
    std::array<char, kChunk + kSlack> m_Buffer;
    size_t m_nUsed = 0;
};

void WriteNote(CJsonOut& json, const KvlReader::Note& note) {
    json << "{\"offset\":";
    json.Number(note.nOffset) << ",\"message\":";
    json.String(note.strMessage);
}

void WriteSubCell(CJsonOut& json, const SubCell& cell) {
    json << "{\"x\":";
    json.Number(cell.nX) << ",\"y\":";
    json.Number(cell.nY) << ",\"z\":";
    json.Number(cell.nZ) << ",\"exits\":";
    json.Number(cell.GetExits()) << ",\"north\":";
    json.Bool(cell.bNorth) << ",\"south\":";
    json.Bool(cell.bSouth) << ",\"east\":";
    json.Bool(cell.bEast) << ",\"west\":";
    json.Bool(cell.bWest) << ",\"reserved1\":";
    json.Number(cell.nReserved1) << ",\"reserved2\":";
    json.Number(cell.nReserved2) << '}';
}

void WriteDefinition(CJsonOut& json, const CKvlSource& source) {
    const CKvlDefinition& definition = source.Result().m_Definition;
    json << ",\"header_length\":";
    json.Number(KvlReader::kHeaderLength) << ",\"signature\":";
    json.String(CKvlWriter::kHeaderText) << ",\"id\":";
    json.Number(definition.m_nId) << ",\"map_file\":";
    json.String(definition.m_strMapFile) << ",\"dimensions\":{\"x\":";
    json.Number(definition.m_nDimX) << ",\"y\":";
    json.Number(definition.m_nDimY) << ",\"z\":";
    json.Number(definition.m_nDimZ) << "},\"sub_cell_count\":";
    json.Number(source.SubCellCount()) << ",\"sub_cells\":[";
    const char* pszSeparator = "";
    source.ForEachSubCell([&](const SubCell& cell) {
        json << pszSeparator;
        WriteSubCell(json, cell);
        pszSeparator = ",";
    });
    json << "],\"warnings\":[";
    if (source.HasWarnings()) {
        pszSeparator = "";
        source.ForEachWarning([&](const KvlReader::Note& warning) {
            json << pszSeparator;
            WriteNote(json, warning);
            json << '}';
            pszSeparator = ",";
        });
    }
    json << ']';
}

}  // namespace

void KvlJsonFormatter::Write(std::ostream& out, const CKvlSource& source) {
    const KvlReader::Result& result = source.Result();
    CJsonOut json(out);
    json << "{\"format\":";
    json.String(kFormat) << ",\"file\":";
    json.String(source.Name());
    if (result.IsOk()) {
        WriteDefinition(json, source);
    } else {
        json << ",\"error\":";
        WriteNote(json, result.m_Error);
        json << ",\"kind\":"
             << (result.m_eStatus == KvlReader::Result::Status::Corrupt ? "\"corrupt\""
                                                                        : "\"unreadable\"")
             << '}';
    }
    json << "}\n";
}
