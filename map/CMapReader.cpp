#include "map/CMapReader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsPunctuation(char c) {
    return c == '{' || c == '}' || c == '(' || c == ')' || c == '[' || c == ']' || c == '"';
}

// Liquids start with '*' and trigger brushes carry "trigger", in Quake's and Quake II's
// folders alike; a player passes both.
bool IsPassableTexture(std::string_view texture) {
    const size_t nSlash = texture.find_last_of('/');
    const std::string_view name =
        nSlash == std::string_view::npos ? texture : texture.substr(nSlash + 1);
    if (!name.empty() && name[0] == '*') {
        return true;
    }
    std::string lower(name);
    for (char& c : lower) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return lower == "trigger";
}

class CParser {
public:
    explicit CParser(std::string_view text) : m_Text(text) {}

    MapReadResult Run() {
        while (SkipBlank(), m_nPos < m_Text.size()) {
            if (!Expect('{', "an entity's \"{\"") || !ReadEntity()) {
                return std::move(m_Result);
            }
        }
        m_Result.bOk = true;
        return std::move(m_Result);
    }

private:
    // Skips white space and comment lines: "//" to the end of the line, ";" at its start.
    void SkipBlank() {
        while (m_nPos < m_Text.size()) {
            const char c = m_Text[m_nPos];
            if (c == '\n' || (c == '\r' && Peek(1) != '\n')) {
                NewLine(m_nPos + 1);
            } else if (IsSpace(c)) {
                ++m_nPos;
            } else if ((c == '/' && Peek(1) == '/') || (c == ';' && AtLineStart())) {
                while (m_nPos < m_Text.size() && m_Text[m_nPos] != '\n' && m_Text[m_nPos] != '\r') {
                    ++m_nPos;
                }
            } else {
                return;
            }
        }
    }

    char Peek(size_t nAhead) const {
        return m_nPos + nAhead < m_Text.size() ? m_Text[m_nPos + nAhead] : '\0';
    }
    bool AtLineStart() const {
        for (size_t i = m_nLineStart; i < m_nPos; ++i) {
            if (!IsSpace(m_Text[i])) {
                return false;
            }
        }
        return true;
    }
    void NewLine(size_t nNext) {
        m_nPos = nNext;
        m_nLineStart = nNext;
        ++m_nLine;
    }
    size_t Column() const { return m_nPos - m_nLineStart + 1; }

    bool Fail(const std::string& message) {
        m_Result.m_Error = {m_nLine, Column(), message};
        return false;
    }
    std::string Found() {
        if (m_nPos >= m_Text.size()) {
            return "the end of the file";
        }
        // Appended in place: "\"" + std::string(...) makes GCC 12 warn -Wrestrict.
        std::string quoted = "\"";
        quoted.append(Word()).push_back('"');
        return quoted;
    }
    // The token at the current position without consuming it: one punctuation character or
    // a run up to white space or punctuation.
    std::string_view Word() const {
        size_t nEnd = m_nPos;
        if (nEnd < m_Text.size() && IsPunctuation(m_Text[nEnd])) {
            return m_Text.substr(nEnd, 1);
        }
        while (nEnd < m_Text.size() && !IsSpace(m_Text[nEnd]) && !IsPunctuation(m_Text[nEnd]) &&
               nEnd - m_nPos < 40) {
            ++nEnd;
        }
        return m_Text.substr(m_nPos, nEnd - m_nPos);
    }

    bool Next(char c) {
        SkipBlank();
        return m_nPos < m_Text.size() && m_Text[m_nPos] == c;
    }
    bool Expect(char c, const char* pszWhat) {
        if (!Next(c)) {
            return Fail(std::string("expected ") + pszWhat + ", found " + Found());
        }
        ++m_nPos;
        return true;
    }

    std::optional<std::string> ReadQuoted() {
        const size_t nStart = ++m_nPos;
        while (m_nPos < m_Text.size() && m_Text[m_nPos] != '"' && m_Text[m_nPos] != '\n' &&
               m_Text[m_nPos] != '\r') {
            ++m_nPos;
        }
        if (m_nPos >= m_Text.size() || m_Text[m_nPos] != '"') {
            Fail("the quoted text does not end on its line");
            return std::nullopt;
        }
        return std::string(m_Text.substr(nStart, m_nPos++ - nStart));
    }

    bool ReadNumber(double& value) {
        SkipBlank();
        const char* pStart = m_Text.data() + m_nPos;
        const char* pEnd = m_Text.data() + m_Text.size();
        // from_chars takes no leading '+', which map editors do not write either.
        const auto [pStop, error] = std::from_chars(pStart, pEnd, value);
        if (error != std::errc() || (pStop != pEnd && !IsSpace(*pStop) && !IsPunctuation(*pStop)) ||
            !std::isfinite(value)) {
            return Fail("expected a number, found " + Found());
        }
        m_nPos += static_cast<size_t>(pStop - pStart);
        return true;
    }
    bool NumberFollows() {
        SkipBlank();
        const char c = Peek(0);
        return (c >= '0' && c <= '9') || c == '-' || c == '.';
    }

    bool ReadEntity() {
        MapEntity entity;
        while (!Next('}')) {
            if (m_nPos >= m_Text.size()) {
                return Fail("the entity's \"}\" is missing");
            }
            if (Next('"')) {
                std::optional<std::string> key = ReadQuoted();
                if (!key || !Expect('"', "the key's quoted value")) {
                    return false;
                }
                --m_nPos;
                std::optional<std::string> value = ReadQuoted();
                if (!value) {
                    return false;
                }
                entity.m_Keys.emplace_back(std::move(*key), std::move(*value));
            } else if (Next('{')) {
                const size_t nLine = m_nLine;
                const size_t nColumn = Column();
                ++m_nPos;
                MapBrush brush;
                brush.nLine = nLine;
                if (!ReadBrush(brush, nColumn)) {
                    return false;
                }
                entity.m_Brushes.push_back(std::move(brush));
            } else {
                return Fail("expected a quoted key, a brush's \"{\" or the entity's \"}\", found " +
                            Found());
            }
        }
        ++m_nPos;
        m_Result.m_Entities.push_back(std::move(entity));
        return true;
    }

    bool ReadBrush(MapBrush& brush, size_t nColumn) {
        size_t nFaces = 0;
        while (!Next('}')) {
            if (m_nPos >= m_Text.size()) {
                return Fail("the brush's \"}\" is missing");
            }
            const std::string_view word = Word();
            if (word == "patchDef2" || word == "patchDef3" || word == "brushDef" ||
                word == "brushDef3") {
                return Fail(std::string(word) +
                            " (Quake 3 and later) is not supported: only Quake, Quake II and "
                            "Hexen II brushes are");
            }
            if (!ReadFace(brush)) {
                return false;
            }
            ++nFaces;
        }
        if (nFaces < 4) {
            m_Result.m_Error = {
                brush.nLine, nColumn,
                "the brush has " + std::to_string(nFaces) + " faces; a brush needs at least 4"};
            return false;
        }
        ++m_nPos;
        return true;
    }

    bool ReadFace(MapBrush& brush) {
        const size_t nLine = m_nLine;
        const size_t nColumn = Column();
        Vec3 points[3];
        for (Vec3& point : points) {
            if (!Expect('(', "a face's \"(\"") || !ReadNumber(point[0]) || !ReadNumber(point[1]) ||
                !ReadNumber(point[2]) || !Expect(')', "\")\" after a point's three numbers")) {
                return false;
            }
        }
        SkipBlank();
        const std::string_view texture = TextureName();
        if (texture.empty()) {
            return Fail("expected a texture name, found " + Found());
        }
        if (!ReadTextureNumbers(brush)) {
            return false;
        }
        brush.bPassable = brush.bPassable || IsPassableTexture(texture);
        const std::optional<Plane> plane =
            BrushGeometry::PlaneFromPoints(points[0], points[1], points[2]);
        if (plane) {
            brush.m_Planes.push_back(*plane);
        } else {
            m_Result.m_Warnings.push_back(
                {nLine, nColumn, "the face's three points lie on one line; the face is ignored"});
        }
        return true;
    }

    // A texture name is everything up to white space: names such as "{grate" or "+0lava" are
    // common.
    std::string_view TextureName() {
        if (Peek(0) == '"') {
            const std::optional<std::string> quoted = ReadQuoted();
            m_strTexture = quoted.value_or("");
            return m_strTexture;
        }
        const size_t nStart = m_nPos;
        while (m_nPos < m_Text.size() && !IsSpace(m_Text[m_nPos])) {
            ++m_nPos;
        }
        return m_Text.substr(nStart, m_nPos - nStart);
    }

    // Offsets, rotation and scales, either "xoff yoff" or Valve's "[ ux uy uz off ] [ vx vy vz
    // off ]", then "rot xscale yscale"; then Quake II's contents, flags and value, or Hexen II's
    // one extra number.
    bool ReadTextureNumbers(MapBrush& brush) {
        double value = 0;
        if (Next('[')) {
            for (int nAxis = 0; nAxis < 2; ++nAxis) {
                if (!Expect('[', "a texture axis' \"[\"")) {
                    return false;
                }
                for (int i = 0; i < 4; ++i) {
                    if (!ReadNumber(value)) {
                        return false;
                    }
                }
                if (!Expect(']', "\"]\" after a texture axis' four numbers")) {
                    return false;
                }
            }
        } else {
            for (int i = 0; i < 2; ++i) {
                if (!ReadNumber(value)) {
                    return false;
                }
            }
        }
        for (int i = 0; i < 3; ++i) {
            if (!ReadNumber(value)) {
                return false;
            }
        }
        double contents = 0;
        int nExtra = 0;
        for (; NumberFollows(); ++nExtra) {
            if (nExtra == 3) {
                return Fail("too many numbers after the texture: expected at most 3 more");
            }
            if (!ReadNumber(nExtra == 0 ? contents : value)) {
                return false;
            }
        }
        // Quake II's contents: lava, slime and water let a player through.
        if (nExtra == 3 && std::fabs(contents) < 1e18 &&
            (static_cast<long long>(contents) & (8 | 16 | 32)) != 0) {
            brush.bPassable = true;
        }
        return true;
    }

    std::string_view m_Text;
    size_t m_nPos = 0;
    size_t m_nLine = 1;
    size_t m_nLineStart = 0;
    std::string m_strTexture;
    MapReadResult m_Result;
};

}  // namespace

std::string MapEntity::Value(std::string_view key) const {
    for (const auto& [name, value] : m_Keys) {
        if (name == key) {
            return value;
        }
    }
    return {};
}

MapReadResult CMapReader::ReadText(std::string_view text) {
    return CParser(text).Run();
}

MapReadResult CMapReader::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        MapReadResult result;
        result.m_Error.strMessage = "cannot be opened";
        return result;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        MapReadResult result;
        result.m_Error.strMessage = "cannot be read";
        return result;
    }
    return ReadText(text);
}
