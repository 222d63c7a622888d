#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text of a profile (INI) file, read and changed with the Windows profile functions'
// rules. Every byte that a change does not touch is kept: Bytes() of an unchanged document
// is exactly the text it was made from.
//
// Lines end in CRLF, LF or CR. A line whose first non-blank character is "[" opens a section
// named by the text up to the first "]" (or the line's end), trimmed. A line whose first
// non-blank character is ";" is a comment. Any other line holding "=" is a key line: key and
// value are the trimmed text before and after the first "=". Names match without regard to
// case; only the first section of a name counts, and in it the first matching key.
class CIniDocument {
public:
    // lineEnding ends the lines of a document that has none of its own.
    explicit CIniDocument(std::string_view bytes, std::string_view lineEnding = "\n");

    // The document of a profile file's bytes, in the encodings the Windows profile functions
    // read: 8-bit text, UTF-8 after its byte-order mark, or UTF-16LE after its mark; Bytes()
    // gives them back in the same encoding, mark included. Nothing for bytes that are no
    // profile text (a NUL, UTF-16 that does not decode), which are then never rewritten.
    static std::optional<CIniDocument> Parse(std::string bytes, std::string_view lineEnding = "\n");

    // The key's value with one pair of matching outer quotes removed; nothing when the
    // section or the key is missing.
    std::optional<std::string> GetValue(std::string_view section, std::string_view key) const;

    // An existing key keeps its line up to and including "=" and takes value after it. A
    // missing key follows the last key line of the section; a missing section is appended at
    // the end. New lines take the document's own line ending.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

private:
    enum class Encoding { Bytes, Utf8WithMark, Utf16LE };
    // A line is a run of the text it was made from or, once written, of m_strAdded; a profile
    // of a million lines is then one buffer, not a million strings.
    struct Line {
        size_t nBegin = 0;
        size_t nLength = 0;         // without the line ending
        uint8_t nEndingLength = 0;  // 0 only for a last line without a line break
        bool bAdded = false;
    };
    // The first section of a name: later ones of the same name are never read.
    struct Section {
        size_t nNewKey = 0;                            // where a new key line goes
        std::unordered_map<std::string, size_t> keys;  // folded name: its first key line
    };

    CIniDocument(std::string text, std::string_view lineEnding, Encoding eEncoding);
    std::string_view Text(const Line& line) const;
    std::string_view Ending(const Line& line) const;
    // The section the line opens when it is the first of its name, else nothing.
    Section* IndexSection(size_t nLine);
    void IndexKey(Section& section, size_t nLine);
    void InsertLine(size_t nPosition, const std::string& text);
    void ReplaceLine(size_t nLine, const std::string& text, const std::string& ending);

    std::string m_strText;
    std::string m_strAdded;
    std::vector<Line> m_Lines;
    std::unordered_map<std::string, Section> m_Sections;  // by folded name
    std::string m_strLineEnding;
    Encoding m_eEncoding = Encoding::Bytes;
};
