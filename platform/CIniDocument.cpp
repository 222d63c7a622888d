#include "platform/CIniDocument.h"

#include <algorithm>

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

}  // namespace

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
    std::string bytes;
    for (const Line& line : m_Lines) {
        bytes += line.strText;
        bytes += line.strEnding;
    }
    return bytes;
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
