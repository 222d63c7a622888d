#include "tools/CKvlSource.h"

#include <iostream>
#include <utility>

#include "platform/ProcessSetup.h"

namespace {

// The name that stands for standard input, as in other command-line tools.
constexpr const char* kStandardInput = "-";
// More than any definition holds (2^20 records take 23 MB): an endless input such as
// /dev/zero ends with a message instead of filling the memory.
constexpr size_t kMaxInputBytes = size_t{256} << 20;

KvlReader::Result Unreadable(std::string message) {
    KvlReader::Result result;
    result.m_eStatus = KvlReader::Result::Status::CannotOpen;
    result.m_Error.strMessage = std::move(message);
    return result;
}

std::optional<std::string> ReadStandardInput() {
    ProcessSetup::MakeStandardInputBinary();
    std::string bytes;
    char chunk[64 * 1024];
    while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(std::cin.gcount()));
        if (bytes.size() > kMaxInputBytes) {
            return std::nullopt;
        }
    }
    return bytes;
}

bool SameFields(const CKvlDefinition& a, const CKvlDefinition& b) {
    return a.m_nId == b.m_nId && a.m_strMapFile == b.m_strMapFile && a.m_nDimX == b.m_nDimX &&
           a.m_nDimY == b.m_nDimY && a.m_nDimZ == b.m_nDimZ;
}

}  // namespace

// Counts what passes by and hands on what the pass is for.
class CKvlSource::CCountingSink : public KvlReader::ISink {
public:
    std::function<void(const SubCell&)> m_VisitSubCell;
    std::function<void(const KvlReader::Note&)> m_VisitWarning;
    uint32_t m_nSubCells = 0;
    uint64_t m_nWarnings = 0;

    void OnSubCell(const SubCell& cell) override {
        ++m_nSubCells;
        if (m_VisitSubCell) {
            m_VisitSubCell(cell);
        }
    }
    void OnWarning(const KvlReader::Note& warning) override {
        ++m_nWarnings;
        if (m_VisitWarning) {
            m_VisitWarning(warning);
        }
    }
};

CKvlSource::CKvlSource(const std::string& path) : m_strName(path), m_strPath(path) {
    if (path == kStandardInput) {
        m_strName = "standard input";
        m_Bytes = ReadStandardInput();
        if (!m_Bytes) {
            m_Result = Unreadable("holds more than " + std::to_string(kMaxInputBytes >> 20) +
                                  " MiB, more than any definition");
            return;
        }
    }
    Check();
}

CKvlSource::CKvlSource(std::string name, std::string bytes)
    : m_strName(std::move(name)), m_Bytes(std::move(bytes)) {
    Check();
}

void CKvlSource::Check() {
    CCountingSink sink;
    m_Result = Read(sink);
    m_nSubCells = sink.m_nSubCells;
    m_nWarnings = sink.m_nWarnings;
}

void CKvlSource::ForEachSubCell(const std::function<void(const SubCell&)>& visit) const {
    CCountingSink sink;
    sink.m_VisitSubCell = visit;
    Pass(sink);
}

void CKvlSource::ForEachWarning(const std::function<void(const KvlReader::Note&)>& visit) const {
    CCountingSink sink;
    sink.m_VisitWarning = visit;
    Pass(sink);
}

KvlReader::Result CKvlSource::Read(KvlReader::ISink& sink) const {
    return m_Bytes ? KvlReader::ReadBytes(m_Bytes->data(), m_Bytes->size(), sink)
                   : KvlReader::ReadFile(m_strPath, sink);
}

void CKvlSource::Pass(CCountingSink& sink) const {
    const KvlReader::Result result = Read(sink);
    if (!result.IsOk() || !SameFields(result.m_Definition, m_Result.m_Definition) ||
        sink.m_nSubCells != m_nSubCells || sink.m_nWarnings != m_nWarnings) {
        throw CChanged(m_strName + ": changed while it was read; the output is incomplete");
    }
}
