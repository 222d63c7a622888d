#include "platform/CIniDocument.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are looked up folded to lower case, as the Windows profile functions match them.
std::string Folded(std::string_view name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), ToLowerAscii);
    return folded;
}

char FirstNonBlank(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    return trimmed.empty() ? '\0' : trimmed.front();
}

std::optional<std::string_view> SectionName(std::string_view text) {
    if (FirstNonBlank(text) != '[') {
        return std::nullopt;
    }
    std::string_view name = text.substr(text.find('[') + 1);
    name = name.substr(0, name.find(']'));
    return Trim(name);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view text) {
    const char cFirst = FirstNonBlank(text);
    const size_t nEquals = text.find('=');
    if (cFirst == '[' || cFirst == ';' || nEquals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(text.substr(0, nEquals)), Trim(text.substr(nEquals + 1))};
}

// The first CR or LF at or after nPos; the next of each is kept, so a text is scanned once.
class CLineBreaks {
public:
    explicit CLineBreaks(std::string_view text)
        : m_text(text), m_nNextCr(text.find('\r')), m_nNextLf(text.find('\n')) {}
    size_t Next(size_t nPos) {
        return std::min(Find(m_nNextCr, '\r', nPos), Find(m_nNextLf, '\n', nPos));
    }

private:
    size_t Find(size_t& nCached, char c, size_t nPos) {
        if (nCached != std::string_view::npos && nCached < nPos) {
            nCached = m_text.find(c, nPos);
        }
        return nCached;
    }
    std::string_view m_text;
    size_t m_nNextCr;
    size_t m_nNextLf;
};

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";

void AppendUtf8(std::string& text, uint32_t nCode) {
    if (nCode < 0x80) {
        text += static_cast<char>(nCode);
    } else if (nCode < 0x800) {
        text += static_cast<char>(0xC0 | (nCode >> 6));
        text += static_cast<char>(0x80 | (nCode & 0x3F));
    } else if (nCode < 0x10000) {
        text += static_cast<char>(0xE0 | (nCode >> 12));
        text += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (nCode & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (nCode >> 18));
        text += static_cast<char>(0x80 | ((nCode >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((nCode >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (nCode & 0x3F));
    }
}

void AppendUtf16LE(std::string& bytes, uint32_t nUnit) {
    bytes += static_cast<char>(nUnit & 0xFF);
    bytes += static_cast<char>(nUnit >> 8);
}

// UTF-16LE as UTF-8; nothing for an odd length or a surrogate without its partner.
std::optional<std::string> DecodeUtf16LE(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    auto unit = [&bytes](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
               static_cast<uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
    };
    std::string text;
    const size_t nUnits = bytes.size() / 2;
    for (size_t i = 0; i < nUnits; ++i) {
        uint32_t nCode = unit(i);
        if (nCode >= 0xDC00 && nCode <= 0xDFFF) {
            return std::nullopt;
        }
        if (nCode >= 0xD800 && nCode <= 0xDBFF) {
            if (i + 1 >= nUnits || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF) {
                return std::nullopt;
            }
            nCode = 0x10000 + ((nCode - 0xD800) << 10) + (unit(++i) - 0xDC00);
        }
        AppendUtf8(text, nCode);
    }
    return text;
}

// UTF-8 as UTF-16LE. Text decoded from UTF-16 comes back unit for unit; a byte that is no
// part of a UTF-8 sequence (only a value written since could hold one) becomes U+FFFD.
std::string EncodeUtf16LE(std::string_view text) {
    std::string bytes;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t nLength = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        uint32_t nCode = nLength == 1 ? lead : lead & (0x3F >> (nLength - 1));
        bool bValid = lead < 0x80 || (lead >= 0xC2 && lead < 0xF5 && i + nLength <= text.size());
        for (size_t k = 1; bValid && k < nLength; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            bValid = (c & 0xC0) == 0x80;
            nCode = (nCode << 6) | (c & 0x3F);
        }
        if (!bValid || (nCode >= 0xD800 && nCode <= 0xDFFF) || nCode > 0x10FFFF) {
            nCode = 0xFFFD;
            i += 1;
        } else {
            i += nLength;
        }
        if (nCode >= 0x10000) {
            AppendUtf16LE(bytes, 0xD800 + ((nCode - 0x10000) >> 10));
            AppendUtf16LE(bytes, 0xDC00 + ((nCode - 0x10000) & 0x3FF));
        } else {
            AppendUtf16LE(bytes, nCode);
        }
    }
    return bytes;
}

}  // namespace

std::optional<CIniDocument> CIniDocument::Parse(std::string bytes, std::string_view lineEnding) {
    // The bytes become the document's text where they can, not a copy of it.
    Encoding eEncoding = Encoding::Bytes;
    std::optional<std::string> text;
    if (std::string_view(bytes).substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        eEncoding = Encoding::Utf8WithMark;
        bytes.erase(0, kUtf8Mark.size());
        text = std::move(bytes);
    } else if (std::string_view(bytes).substr(0, kUtf16LEMark.size()) == kUtf16LEMark) {
        eEncoding = Encoding::Utf16LE;
        text = DecodeUtf16LE(std::string_view(bytes).substr(kUtf16LEMark.size()));
    } else {
        text = std::move(bytes);
    }
    if (!text || text->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return CIniDocument(std::move(*text), lineEnding, eEncoding);
}

CIniDocument::CIniDocument(std::string_view bytes, std::string_view lineEnding)
    : CIniDocument(std::string(bytes), lineEnding, Encoding::Bytes) {}

CIniDocument::CIniDocument(std::string text, std::string_view lineEnding, Encoding eEncoding)
    : m_strText(std::move(text)), m_eEncoding(eEncoding) {
    const std::string_view bytes = m_strText;
    CLineBreaks breaks(bytes);
    Section* pSection = nullptr;
    size_t nPos = 0;
    while (nPos < bytes.size()) {
        const size_t nEnd = std::min(breaks.Next(nPos), bytes.size());
        const bool bCrLf = nEnd < bytes.size() && bytes[nEnd] == '\r' && nEnd + 1 < bytes.size() &&
                           bytes[nEnd + 1] == '\n';
        const size_t nEndingLength = nEnd == bytes.size() ? 0 : bCrLf ? 2 : 1;
        if (m_strLineEnding.empty() && nEndingLength > 0) {
            // From the break itself, not a substr assignment: GCC 12 warns -Wrestrict on that.
            m_strLineEnding = bCrLf ? std::string("\r\n") : std::string(1, bytes[nEnd]);
        }
        m_Lines.push_back({nPos, nEnd - nPos, static_cast<uint8_t>(nEndingLength), false});
        const size_t nLine = m_Lines.size() - 1;
        if (SectionName(Text(m_Lines.back()))) {
            pSection = IndexSection(nLine);
        } else if (pSection) {
            IndexKey(*pSection, nLine);
        }
        nPos = nEnd + nEndingLength;
    }
    if (m_strLineEnding.empty()) {
        m_strLineEnding = lineEnding;
    }
}

std::optional<std::string> CIniDocument::GetValue(std::string_view section,
                                                  std::string_view key) const {
    const auto itSection = m_Sections.find(Folded(section));
    if (itSection == m_Sections.end()) {
        return std::nullopt;
    }
    const auto itKey = itSection->second.keys.find(Folded(key));
    if (itKey == itSection->second.keys.end()) {
        return std::nullopt;
    }
    return std::string(Unquote(ParseKeyLine(Text(m_Lines[itKey->second]))->value));
}

void CIniDocument::SetValue(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string entry = std::string(key) + "=" + std::string(value);
    auto itSection = m_Sections.find(Folded(section));
    if (itSection == m_Sections.end()) {
        // Appending, not operator+ on a temporary: GCC 12 warns (-Wrestrict) on that form.
        std::string header = "[";
        header.append(section).append("]");
        InsertLine(m_Lines.size(), header);
        Section* pSection = IndexSection(m_Lines.size() - 1);
        InsertLine(m_Lines.size(), entry);
        if (pSection) {
            IndexKey(*pSection, m_Lines.size() - 1);
        }
        return;
    }
    Section& found = itSection->second;
    const auto itKey = found.keys.find(Folded(key));
    if (itKey == found.keys.end()) {
        const size_t nPosition = found.nNewKey;
        InsertLine(nPosition, entry);
        IndexKey(found, nPosition);
        return;
    }
    const Line& line = m_Lines[itKey->second];
    const std::string_view text = Text(line);
    ReplaceLine(itKey->second, std::string(text.substr(0, text.find('=') + 1)) + std::string(value),
                std::string(Ending(line)));
}

std::string CIniDocument::Bytes() const {
    std::string text;
    text.reserve(m_strText.size() + m_strAdded.size());
    for (const Line& line : m_Lines) {
        text += Text(line);
        text += Ending(line);
    }
    switch (m_eEncoding) {
        case Encoding::Utf8WithMark:
            return std::string(kUtf8Mark) + text;
        case Encoding::Utf16LE:
            return std::string(kUtf16LEMark) + EncodeUtf16LE(text);
        case Encoding::Bytes:
            break;
    }
    return text;
}

std::string_view CIniDocument::Text(const Line& line) const {
    const std::string& buffer = line.bAdded ? m_strAdded : m_strText;
    return std::string_view(buffer).substr(line.nBegin, line.nLength);
}

std::string_view CIniDocument::Ending(const Line& line) const {
    const std::string& buffer = line.bAdded ? m_strAdded : m_strText;
    return std::string_view(buffer).substr(line.nBegin + line.nLength, line.nEndingLength);
}

CIniDocument::Section* CIniDocument::IndexSection(size_t nLine) {
    const std::optional<std::string_view> name = SectionName(Text(m_Lines[nLine]));
    if (!name) {
        return nullptr;
    }
    const auto [itSection, bNew] = m_Sections.try_emplace(Folded(*name));
    if (!bNew) {
        return nullptr;
    }
    itSection->second.nNewKey = nLine + 1;
    return &itSection->second;
}

void CIniDocument::IndexKey(Section& section, size_t nLine) {
    const std::optional<KeyLine> keyLine = ParseKeyLine(Text(m_Lines[nLine]));
    if (keyLine) {
        section.keys.try_emplace(Folded(keyLine->key), nLine);
        section.nNewKey = nLine + 1;
    }
}

void CIniDocument::InsertLine(size_t nPosition, const std::string& text) {
    // A last line without a line break gets one before a line follows it.
    if (nPosition > 0 && m_Lines[nPosition - 1].nEndingLength == 0) {
        ReplaceLine(nPosition - 1, std::string(Text(m_Lines[nPosition - 1])), m_strLineEnding);
    }
    // Lines from nPosition on move down one; a new key's place right above them stays.
    for (auto& [name, section] : m_Sections) {
        section.nNewKey += section.nNewKey > nPosition ? 1 : 0;
        for (auto& [key, nLine] : section.keys) {
            nLine += nLine >= nPosition ? 1 : 0;
        }
    }
    m_Lines.insert(m_Lines.begin() + static_cast<std::ptrdiff_t>(nPosition), Line{});
    ReplaceLine(nPosition, text, m_strLineEnding);
}

void CIniDocument::ReplaceLine(size_t nLine, const std::string& text, const std::string& ending) {
    m_Lines[nLine] = {m_strAdded.size(), text.size(), static_cast<uint8_t>(ending.size()), true};
    m_strAdded += text;
    m_strAdded += ending;
}
