#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "definition/KvlReader.h"

// A definition to show, read again for each pass its output needs instead of held: output
// that starts before the last record is known to be sound would have to be taken back, and a
// million records held cost more than reading them twice. The first pass, in the constructor,
// checks the whole file.
class CKvlSource {
public:
    // Thrown by a later pass when the file no longer reads as it did at first.
    class CChanged : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // The file at path; "-" is standard input, held in memory since it can be read only once.
    explicit CKvlSource(const std::string& path);
    // Bytes in memory, shown under name.
    CKvlSource(std::string name, std::string bytes);

    const std::string& Name() const { return m_strName; }
    // What the reader found; its definition holds the fields before the records.
    const KvlReader::Result& Result() const { return m_Result; }
    uint32_t SubCellCount() const { return m_nSubCells; }
    bool HasWarnings() const { return m_nWarnings > 0; }

    // Each record, or each warning, of a well-formed file in file order.
    void ForEachSubCell(const std::function<void(const SubCell&)>& visit) const;
    void ForEachWarning(const std::function<void(const KvlReader::Note&)>& visit) const;

private:
    class CCountingSink;

    void Check();
    KvlReader::Result Read(KvlReader::ISink& sink) const;
    void Pass(CCountingSink& sink) const;

    std::string m_strName;
    std::string m_strPath;
    std::optional<std::string> m_Bytes;  // set when the definition came from memory
    KvlReader::Result m_Result;
    uint32_t m_nSubCells = 0;
    uint64_t m_nWarnings = 0;
};
