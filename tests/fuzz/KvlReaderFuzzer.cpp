// Feeds the .KVL reader arbitrary bytes, and everything kvltool does with what it reads.
// Beyond "no crash, no sanitizer report" it holds the reader to two promises: an error points
// into the input, and an accepted input is exactly what the writer writes for the definition
// read from it. The writer's bytes are taken from memory: its own tests pin the file it
// writes to them, and a file per input would slow the search to the disk's pace.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "FuzzPromise.h"
#include "definition/CKvlWriter.h"
#include "definition/KvlReader.h"
#include "tools/CKvlSource.h"
#include "tools/KvlGridFormatter.h"
#include "tools/KvlJsonFormatter.h"
#include "tools/KvlTextFormatter.h"
#include "tools/SubCellAudit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const KvlReader::Result result = KvlReader::ReadBytes(pData, nSize);
    const CKvlSource source("fuzz.KVL", std::string(reinterpret_cast<const char*>(pData), nSize));
    Require(source.Result().m_eStatus == result.m_eStatus, "a source reads as the reader does");
    std::ostringstream text;
    KvlJsonFormatter::Write(text, source);
    Require(nlohmann::json::accept(text.str()), "every result has a JSON form");
    if (!result.IsOk()) {
        Require(result.m_Error.nOffset <= nSize, "the error offset lies inside the input");
        Require(!result.m_Error.strMessage.empty(), "an error says what is wrong");
        return 0;
    }
    KvlTextFormatter::Write(text, source);
    KvlGridFormatter::Write(text, source);
    SubCellAudit::Audit(result.m_Definition);

    const std::string written = CKvlWriter::Bytes(result.m_Definition);
    Require(written.size() == nSize && std::memcmp(written.data(), pData, nSize) == 0,
            "an accepted input is what the writer writes for it");
    return 0;
}
