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

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
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

std::optional<CIniDocument> CIniDocument::Parse(std::string_view bytes,
                                                std::string_view lineEnding) {
    Encoding eEncoding = Encoding::Bytes;
    std::optional<std::string> text;
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        eEncoding = Encoding::Utf8WithMark;
        text = std::string(bytes.substr(kUtf8Mark.size()));
    } else if (bytes.substr(0, kUtf16LEMark.size()) == kUtf16LEMark) {
        eEncoding = Encoding::Utf16LE;
        text = DecodeUtf16LE(bytes.substr(kUtf16LEMark.size()));
    } else {
        text = std::string(bytes);
    }
    if (!text || text->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    CIniDocument document(*text, lineEnding);
    document.m_eEncoding = eEncoding;
    return document;
}

CIniDocument::CIniDocument(std::string_view bytes, std::string_view lineEnding) {
    size_t nPos = 0;
    while (nPos < bytes.size()) {
        const size_t nEnd = bytes.find_first_of("\r\n", nPos);
        if (nEnd == std::string_view::npos) {
            m_Lines.push_back({std::string(bytes.substr(nPos)), std::string()});
            break;
        }
        const bool bCrLf =
            bytes[nEnd] == '\r' && nEnd + 1 < bytes.size() && bytes[nEnd + 1] == '\n';
        const size_t nEndingLength = bCrLf ? 2 : 1;
        m_Lines.push_back({std::string(bytes.substr(nPos, nEnd - nPos)),
                           std::string(bytes.substr(nEnd, nEndingLength))});
        nPos = nEnd + nEndingLength;
    }
    const auto itEnded = std::find_if(m_Lines.begin(), m_Lines.end(),
                                      [](const Line& line) { return !line.strEnding.empty(); });
    m_strLineEnding = itEnded != m_Lines.end() ? itEnded->strEnding : std::string(lineEnding);
}

std::optional<std::string> CIniDocument::GetValue(std::string_view section,
                                                  std::string_view key) const {
    const size_t nHeader = FindSection(section);
    if (nHeader == npos) {
        return std::nullopt;
    }
    const size_t nKey = FindKey(nHeader, key);
    if (nKey == npos) {
        return std::nullopt;
    }
    return std::string(Unquote(ParseKeyLine(m_Lines[nKey].strText)->value));
}

void CIniDocument::SetValue(std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string entry = std::string(key) + "=" + std::string(value);
    const size_t nHeader = FindSection(section);
    if (nHeader == npos) {
        // Appending, not operator+ on a temporary: GCC 12 warns (-Wrestrict) on that form.
        std::string header = "[";
        header.append(section).append("]");
        InsertLine(m_Lines.size(), std::move(header));
        InsertLine(m_Lines.size(), std::move(entry));
        return;
    }
    const size_t nKey = FindKey(nHeader, key);
    if (nKey == npos) {
        InsertLine(NewKeyPosition(nHeader), std::move(entry));
        return;
    }
    std::string& text = m_Lines[nKey].strText;
    text.erase(text.find('=') + 1);
    text += value;
}

std::string CIniDocument::Bytes() const {
    std::string text;
    for (const Line& line : m_Lines) {
        text += line.strText;
        text += line.strEnding;
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

size_t CIniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < m_Lines.size(); ++i) {
        const std::optional<std::string_view> name = SectionName(m_Lines[i].strText);
        if (name && EqualNoCase(*name, section)) {
            return i;
        }
    }
    return npos;
}

size_t CIniDocument::FindKey(size_t nHeader, std::string_view key) const {
    for (size_t i = nHeader + 1; i < m_Lines.size() && !SectionName(m_Lines[i].strText); ++i) {
        const std::optional<KeyLine> keyLine = ParseKeyLine(m_Lines[i].strText);
        if (keyLine && EqualNoCase(keyLine->key, key)) {
            return i;
        }
    }
    return npos;
}

size_t CIniDocument::NewKeyPosition(size_t nHeader) const {
    size_t nPosition = nHeader + 1;
    for (size_t i = nHeader + 1; i < m_Lines.size() && !SectionName(m_Lines[i].strText); ++i) {
        if (ParseKeyLine(m_Lines[i].strText)) {
            nPosition = i + 1;
        }
    }
    return nPosition;
}

void CIniDocument::InsertLine(size_t nPosition, std::string text) {
    // A last line without a line break gets one before a line follows it.
    if (nPosition > 0 && m_Lines[nPosition - 1].strEnding.empty()) {
        m_Lines[nPosition - 1].strEnding = m_strLineEnding;
    }
    m_Lines.insert(m_Lines.begin() + static_cast<std::ptrdiff_t>(nPosition),
                   Line{std::move(text), m_strLineEnding});
}
