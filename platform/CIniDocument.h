#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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
    static std::optional<CIniDocument> Parse(std::string_view bytes,
                                             std::string_view lineEnding = "\n");

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
    struct Line {
        std::string strText;
        std::string strEnding;  // empty only for a last line without a line break
    };
    static constexpr size_t npos = static_cast<size_t>(-1);

    size_t FindSection(std::string_view section) const;
    // Index of the first key line named key inside the section opened at nHeader, or npos.
    size_t FindKey(size_t nHeader, std::string_view key) const;
    // Where a new key of the section opened at nHeader goes.
    size_t NewKeyPosition(size_t nHeader) const;
    void InsertLine(size_t nPosition, std::string text);

    std::vector<Line> m_Lines;
    std::string m_strLineEnding;
    Encoding m_eEncoding = Encoding::Bytes;
};
