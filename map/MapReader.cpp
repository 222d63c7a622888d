#include "map/MapReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/NativePath.h"

namespace {

// The classes of characters the scanner asks about, looked up rather than compared: it asks
// for every character of a large map.
enum : uint8_t { kSpace = 1, kPunctuation = 2, kDigit = 4, kCommentStart = 8 };
constexpr std::array<uint8_t, 256> kClasses = [] {
    std::array<uint8_t, 256> classes{};
    for (const unsigned char c : std::string_view(" \t\r\n\f\v")) {
        classes[c] = kSpace;
    }
    for (const unsigned char c : std::string_view("{}()[]\"")) {
        classes[c] = kPunctuation;
    }
    classes['/'] = classes[';'] = kCommentStart;
    for (unsigned char c = '0'; c <= '9'; ++c) {
        classes[c] = kDigit;
    }
    return classes;
}();

bool Is(char c, uint8_t nClasses) {
    return (kClasses[static_cast<unsigned char>(c)] & nClasses) != 0;
}
bool IsSpace(char c) {
    return Is(c, kSpace);
}
bool IsPunctuation(char c) {
    return Is(c, kPunctuation);
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
    constexpr std::string_view trigger = "trigger";
    return name.size() == trigger.size() &&
           std::equal(name.begin(), name.end(), trigger.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
           });
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common number of a map, up to 15 digits with or without a fraction, read exactly as
// from_chars would read it (the digits and the power of ten are exact doubles, so their one
// division rounds as from_chars does) but several times faster; anything else is left to
// from_chars. Returns the end of the number, or nullptr.
const char* ReadPlainNumberDigitByDigit(const char* p, const char* pEnd, double& value) {
    const bool bNegative = p != pEnd && *p == '-';
    p += bNegative ? 1 : 0;
    int64_t nDigits = 0;
    int nCount = 0;
    int nFraction = 0;
    const char* const pDigits = p;
    for (; p != pEnd && Is(*p, kDigit) && nCount < 15; ++p, ++nCount) {
        nDigits = nDigits * 10 + (*p - '0');
    }
    if (p == pDigits) {
        return nullptr;
    }
    if (p != pEnd && *p == '.') {
        const char* const pPoint = ++p;
        for (; p != pEnd && Is(*p, kDigit) && nCount < 15; ++p, ++nCount) {
            nDigits = nDigits * 10 + (*p - '0');
        }
        nFraction = static_cast<int>(p - pPoint);
        if (nFraction == 0) {
            return nullptr;
        }
    }
    if (p != pEnd && !Is(*p, kSpace | kPunctuation)) {
        return nullptr;  // more digits, an exponent or something that is not a number
    }
    value = static_cast<double>(nDigits) / kPowersOfTen[nFraction];
    value = bNegative ? -value : value;
    return p;
}

// How far ReadPlainNumberAt may look: a sign, eight digits, a point, seven digits and what
// follows.
constexpr ptrdiff_t kNumberReach = 1 + 8 + 1 + 7 + 1;

// ReadPlainNumberDigitByDigit where the text goes on for kNumberReach bytes at least, so that
// no digit needs a look at its end; longer numbers are left to it. Each digit is a branch:
// the processor foresees where the next token starts, where arithmetic on the bytes would
// make it wait for the result.
inline const char* ReadPlainNumberAt(const char* p, const char* pEnd, double& value) {
    const bool bNegative = *p == '-';
    const char* q = p + (bNegative ? 1 : 0);
    const char* const pWhole = q;
    uint64_t nDigits = 0;
    for (unsigned d = 0; (d = static_cast<unsigned char>(*q) - '0') < 10 && q - pWhole < 8; ++q) {
        nDigits = nDigits * 10 + d;
    }
    if (q == pWhole) {
        return nullptr;
    }
    int nFraction = 0;
    if (*q == '.') {
        const char* const pPoint = ++q;
        for (unsigned d = 0; (d = static_cast<unsigned char>(*q) - '0') < 10 && q - pPoint < 7;
             ++q) {
            nDigits = nDigits * 10 + d;
        }
        nFraction = static_cast<int>(q - pPoint);
        if (nFraction == 0) {
            return nullptr;
        }
    }
    if (!Is(*q, kSpace | kPunctuation)) {
        return Is(*q, kDigit) ? ReadPlainNumberDigitByDigit(p, pEnd, value) : nullptr;
    }
    // Most numbers of a map are whole: they need no division.
    const double magnitude = nFraction == 0
                                 ? static_cast<double>(nDigits)
                                 : static_cast<double>(nDigits) / kPowersOfTen[nFraction];
    value = bNegative ? -magnitude : magnitude;
    return q;
}

// As ReadPlainNumberDigitByDigit, without looking for the text's end where it goes on far
// enough.
const char* ReadPlainNumber(const char* p, const char* pEnd, double& value) {
    return pEnd - p < kNumberReach ? ReadPlainNumberDigitByDigit(p, pEnd, value)
                                   : ReadPlainNumberAt(p, pEnd, value);
}

// What a face adds to its brush.
struct Face {
    size_t nLine = 0;
    size_t nColumn = 0;
    Vec3 points[3];
    bool bPassable = false;
};

// Quake II's contents: lava, slime and water let a player through.
bool PassableContents(int nExtra, double contents) {
    return nExtra == 3 && std::fabs(contents) < 1e18 &&
           (static_cast<long long>(contents) & (8 | 16 | 32)) != 0;
}

// Reads the plain tokens of one face from a window, keeping its place and its line count to
// itself, so that a face it cannot be sure of costs nothing but a second reading. Tokens start
// a margin before the window's end, so that none is cut by it and none needs a look at it.
class CPlainScanner {
public:
    CPlainScanner(const char* p, const char* pEnd)
        : m_p(p), m_pEnd(pEnd), m_pStop(pEnd - p > kMargin ? pEnd - kMargin : p) {}

    bool Punctuation(char c) {
        if (!Blank() || *m_p != c) {
            return false;
        }
        ++m_p;
        return true;
    }
    bool Number(double& value) {
        const char* const pStop = Blank() ? ReadPlainNumberAt(m_p, m_pEnd, value) : nullptr;
        m_p = pStop != nullptr ? pStop : m_p;
        return pStop != nullptr;
    }
    std::optional<std::string_view> Texture() {
        if (!Blank() || *m_p == '"') {
            return std::nullopt;
        }
        const char* const pStart = m_p;
        while (m_p != m_pStop && !IsSpace(*m_p)) {
            ++m_p;
        }
        if (m_p == m_pStop) {
            return std::nullopt;
        }
        return std::string_view(pStart, static_cast<size_t>(m_p - pStart));
    }
    bool NextIs(char c) { return Blank() && *m_p == c; }
    bool NumberFollows() { return Blank() && (Is(*m_p, kDigit) || *m_p == '-' || *m_p == '.'); }
    // Skips blanks; false at the margin, at what may start a comment, and at a line ending
    // other than "\n" and "\r\n". Otherwise a token starts.
    bool Blank() {
        // Most tokens of a face are apart by one space.
        if (m_p < m_pStop && m_p[0] == ' ' && !Is(m_p[1], kSpace | kCommentStart)) {
            ++m_p;
            return true;
        }
        for (; m_p < m_pStop; ++m_p) {
            const char c = *m_p;
            if (!Is(c, kSpace | kCommentStart)) {
                return true;
            }
            if (c == '\n' || (c == '\r' && m_p[1] == '\n')) {
                m_p += c == '\r' ? 1 : 0;
                ++m_nLines;
                m_pLineStart = m_p + 1;
            } else if (c != ' ' && c != '\t') {
                break;
            }
        }
        m_bOk = false;
        return false;
    }
    bool Ok() const { return m_bOk; }
    const char* Position() const { return m_p; }
    size_t Lines() const { return m_nLines; }
    const char* LineStart() const { return m_pLineStart; }  // when Lines() > 0

private:
    static constexpr ptrdiff_t kMargin = 2 * kNumberReach;
    const char* m_p;
    const char* const m_pEnd;
    const char* const m_pStop;
    bool m_bOk = true;
    size_t m_nLines = 0;
    const char* m_pLineStart = nullptr;
};

// Reads a whole text, or a stream through a window of a few hundred kilobytes: holding a
// large map whole costs more in memory and page faults than reading it.
class CParser {
public:
    CParser(std::string_view text, IMapSink& sink) : m_Text(text), m_Sink(sink) {}
    CParser(std::istream& in, IMapSink& sink) : m_pIn(&in), m_Sink(sink) {}

    MapReadStatus Run() {
        m_Result.bOk = ReadEntities();
        if (m_bReadFailed) {
            m_Result.bOk = false;
            m_Result.error = {0, 0, "cannot be read"};
        }
        return std::move(m_Result);
    }

private:
    static constexpr size_t kChunk = size_t{256} * 1024;
    static constexpr size_t kLookAhead = 4096;  // more than Word() and Peek() look at

    bool ReadEntities() {
        while (SkipBlank(), m_nPos < m_Text.size()) {
            if (!Expect('{', "an entity's \"{\"") || !ReadEntity()) {
                return false;
            }
        }
        return true;
    }

    // True when the window holds the character at m_nPos; it moves on when little is left
    // ahead, so positions into it last only until the next call.
    bool Ahead() {
        if (m_pIn && m_Text.size() - m_nPos < kLookAhead) {
            Refill(true);
        }
        return m_nPos < m_Text.size();
    }
    // Like Ahead(), but the window only grows, so positions into it stay valid.
    bool More() {
        if (m_pIn) {
            Refill(false);
        }
        return m_nPos < m_Text.size();
    }
    void Refill(bool bDrop) {
        size_t nKept = m_Text.size();
        if (bDrop) {
            // Whether a ';' further on starts a comment depends on the line's dropped part.
            for (size_t i = LineStartInWindow(); i < m_nPos && !m_bLineText; ++i) {
                m_bLineText = !IsSpace(m_Text[i]);
            }
            std::copy(m_Text.begin() + static_cast<ptrdiff_t>(m_nPos), m_Text.end(),
                      m_Buffer.begin());
            nKept -= m_nPos;
            m_nBase += m_nPos;
            m_nPos = 0;
        }
        // The buffer keeps its size, so that no refill clears it again.
        m_Buffer.resize(std::max(m_Buffer.size(), nKept + kChunk));
        m_pIn->read(m_Buffer.data() + nKept, static_cast<std::streamsize>(kChunk));
        m_Text = std::string_view(m_Buffer.data(), nKept + static_cast<size_t>(m_pIn->gcount()));
        if (!*m_pIn) {
            m_bReadFailed = m_pIn->bad();
            m_pIn = nullptr;
        }
    }
    // Brings the whole token at m_nPos into the window, so that a number or a name is never
    // cut at its end: up to white space or punctuation, or for a name (bName) white space.
    void WholeToken(bool bName) {
        size_t nEnd = m_nPos;
        while (m_pIn) {
            while (nEnd < m_Text.size() && !IsSpace(m_Text[nEnd]) &&
                   (bName || !IsPunctuation(m_Text[nEnd]))) {
                ++nEnd;
            }
            if (nEnd < m_Text.size() || !More()) {
                return;
            }
        }
    }
    size_t LineStartInWindow() const { return m_nLineStart > m_nBase ? m_nLineStart - m_nBase : 0; }

    // Skips white space and comment lines: "//" to the end of the line, ";" at its start.
    void SkipBlank() {
        while (Ahead()) {
            const char c = m_Text[m_nPos];
            if (c == '\n' || (c == '\r' && Peek(1) != '\n')) {
                NewLine(m_nPos + 1);
            } else if (IsSpace(c)) {
                ++m_nPos;
            } else if ((c == '/' && Peek(1) == '/') || (c == ';' && AtLineStart())) {
                while (Ahead() && m_Text[m_nPos] != '\n' && m_Text[m_nPos] != '\r') {
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
        if (m_bLineText && m_nLineStart < m_nBase) {
            return false;
        }
        for (size_t i = LineStartInWindow(); i < m_nPos; ++i) {
            if (!IsSpace(m_Text[i])) {
                return false;
            }
        }
        return true;
    }
    void NewLine(size_t nNext) {
        m_nPos = nNext;
        m_nLineStart = m_nBase + nNext;
        m_bLineText = false;
        ++m_nLine;
    }
    size_t Column() const { return m_nBase + m_nPos - m_nLineStart + 1; }

    bool Fail(const std::string& message) {
        m_Result.error = {m_nLine, Column(), message};
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
        while ((m_nPos < m_Text.size() || More()) && m_Text[m_nPos] != '"' &&
               m_Text[m_nPos] != '\n' && m_Text[m_nPos] != '\r') {
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
        // A number that ends inside the window is whole; only one at its end may go on.
        const char* pStop = ReadPlainNumber(pStart, pEnd, value);
        if (pStop == nullptr || pStop == pEnd) {
            WholeToken(false);
            pStart = m_Text.data() + m_nPos;
            pEnd = m_Text.data() + m_Text.size();
            pStop = ReadPlainNumber(pStart, pEnd, value);
        }
        if (pStop == nullptr) {
            // from_chars takes no leading '+', which map editors do not write either.
            const auto [pNumberEnd, error] = std::from_chars(pStart, pEnd, value);
            if (error != std::errc() ||
                (pNumberEnd != pEnd && !IsSpace(*pNumberEnd) && !IsPunctuation(*pNumberEnd)) ||
                !std::isfinite(value)) {
                return Fail("expected a number, found " + Found());
            }
            pStop = pNumberEnd;
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
        MapKeys keys;
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
                keys.emplace_back(std::move(*key), std::move(*value));
            } else if (Next('{')) {
                const size_t nLine = m_nLine;
                const size_t nColumn = Column();
                ++m_nPos;
                MapBrush brush;
                brush.nLine = nLine;
                if (!ReadBrush(brush, nColumn)) {
                    return false;
                }
                m_Sink.Brush(brush);
            } else {
                return Fail("expected a quoted key, a brush's \"{\" or the entity's \"}\", found " +
                            Found());
            }
        }
        ++m_nPos;
        m_Sink.EntityEnd(keys);
        return true;
    }

    bool ReadBrush(MapBrush& brush, size_t nColumn) {
        size_t nFaces = 0;
        m_Planes.clear();
        for (Face face;; ++nFaces) {
            if (ReadPlainFace(face)) {
                AddFace(face, brush);
                continue;
            }
            if (Next('}')) {
                break;
            }
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
            face = {m_nLine, Column(), {}, false};
            if (!ReadAnyFace(face)) {
                return false;
            }
            AddFace(face, brush);
        }
        if (nFaces < 4) {
            m_Result.error = {
                brush.nLine, nColumn,
                "the brush has " + std::to_string(nFaces) + " faces; a brush needs at least 4"};
            return false;
        }
        ++m_nPos;
        brush.planes = m_Planes;
        return true;
    }

    void AddFace(const Face& face, MapBrush& brush) {
        brush.bPassable = brush.bPassable || face.bPassable;
        const std::optional<Plane> plane =
            BrushGeometry::PlaneFromPoints(face.points[0], face.points[1], face.points[2]);
        if (plane) {
            m_Planes.push_back(*plane);
        } else {
            m_Result.warnings.push_back({face.nLine, face.nColumn,
                                         "the face's three points lie on one line; the face "
                                         "is ignored"});
        }
    }

    bool ReadAnyFace(Face& face) {
        for (Vec3& point : face.points) {
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
        // Judged before the numbers move the window on.
        face.bPassable = PassableTexture(texture);
        return ReadTextureNumbers(face);
    }

    // Nearly every face of a large map, read straight from the window without a look back
    // or a copy: whole inside it, plain numbers, an unquoted texture, no comment and no line
    // ending but "\n" and "\r\n". False, with no more than blanks consumed, for anything
    // else, which ReadAnyFace then reads (or reports) from the same place.
    bool ReadPlainFace(Face& face) {
        CPlainScanner blank(m_Text.data() + m_nPos, m_Text.data() + m_Text.size());
        if (!blank.Blank()) {
            return false;
        }
        // Blanks it skips are skipped alike either way.
        MoveTo(blank);
        face = {m_nLine, Column(), {}, false};
        CPlainScanner scan(m_Text.data() + m_nPos, m_Text.data() + m_Text.size());
        for (Vec3& point : face.points) {
            if (!scan.Punctuation('(') || !scan.Number(point[0]) || !scan.Number(point[1]) ||
                !scan.Number(point[2]) || !scan.Punctuation(')')) {
                return false;
            }
        }
        const std::optional<std::string_view> texture = scan.Texture();
        if (!texture) {
            return false;
        }
        face.bPassable = PassableTexture(*texture);
        if (!ReadPlainTextureNumbers(scan, face)) {
            return false;
        }
        MoveTo(scan);
        return true;
    }
    // As ReadTextureNumbers.
    static bool ReadPlainTextureNumbers(CPlainScanner& scan, Face& face) {
        double value = 0;
        const bool bValve = scan.NextIs('[');
        for (int nAxis = 0; bValve && nAxis < 2; ++nAxis) {
            if (!scan.Punctuation('[') || !scan.Number(value) || !scan.Number(value) ||
                !scan.Number(value) || !scan.Number(value) || !scan.Punctuation(']')) {
                return false;
            }
        }
        for (int i = bValve ? 2 : 0; i < 5; ++i) {
            if (!scan.Number(value)) {
                return false;
            }
        }
        double contents = 0;
        int nExtra = 0;
        for (; scan.NumberFollows(); ++nExtra) {
            if (nExtra == 3 || !scan.Number(nExtra == 0 ? contents : value)) {
                return false;
            }
        }
        face.bPassable = face.bPassable || PassableContents(nExtra, contents);
        return scan.Ok();
    }
    // Faces in a row mostly share a texture: judged once for the run.
    bool PassableTexture(std::string_view texture) {
        if (texture != m_strLastTexture) {
            m_strLastTexture.assign(texture);
            m_bLastPassable = IsPassableTexture(texture);
        }
        return m_bLastPassable;
    }
    void MoveTo(const CPlainScanner& scan) {
        m_nPos = static_cast<size_t>(scan.Position() - m_Text.data());
        if (scan.Lines() > 0) {
            m_nLine += scan.Lines();
            m_nLineStart = m_nBase + static_cast<size_t>(scan.LineStart() - m_Text.data());
            m_bLineText = false;
        }
    }

    // A texture name is everything up to white space: names such as "{grate" or "+0lava" are
    // common.
    std::string_view TextureName() {
        if (Peek(0) == '"') {
            const std::optional<std::string> quoted = ReadQuoted();
            m_strTexture = quoted.value_or("");
            return m_strTexture;
        }
        WholeToken(true);
        const size_t nStart = m_nPos;
        while (m_nPos < m_Text.size() && !IsSpace(m_Text[m_nPos])) {
            ++m_nPos;
        }
        return m_Text.substr(nStart, m_nPos - nStart);
    }

    // Offsets, rotation and scales, either "xoff yoff" or Valve's "[ ux uy uz off ] [ vx vy vz
    // off ]", then "rot xscale yscale"; then Quake II's contents, flags and value, or Hexen II's
    // one extra number.
    bool ReadTextureNumbers(Face& face) {
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
        face.bPassable = face.bPassable || PassableContents(nExtra, contents);
        return true;
    }

    std::string_view m_Text;        // the whole text, or the window on the stream
    std::istream* m_pIn = nullptr;  // until the stream's end
    std::string m_Buffer;           // the window's bytes
    size_t m_nBase = 0;             // where in the stream the window starts
    bool m_bReadFailed = false;
    size_t m_nPos = 0;  // in the window
    size_t m_nLine = 1;
    size_t m_nLineStart = 0;   // in the text
    bool m_bLineText = false;  // the line's part before the window holds more than blanks
    std::string m_strTexture;
    std::string m_strLastTexture;
    bool m_bLastPassable = false;
    std::vector<Plane> m_Planes;  // the faces of the brush being read
    IMapSink& m_Sink;
    MapReadStatus m_Result;
};

// Holds every entity and brush a parser reads.
class CMapKeeper : public IMapSink {
public:
    explicit CMapKeeper(MapReadResult& map) : m_Map(map) {}
    void Brush(const MapBrush& brush) override {
        m_Brushes.push_back(brush);
        m_Brushes.back().planes = m_Map.planes.Keep(brush.planes);
    }
    void EntityEnd(const MapKeys& keys) override {
        m_Map.entities.push_back({keys, std::move(m_Brushes)});
        m_Brushes.clear();
    }

private:
    MapReadResult& m_Map;
    std::vector<MapBrush> m_Brushes;  // of the entity being read
};

template <class Read>
MapReadResult Held(Read read) {
    MapReadResult map;
    CMapKeeper keeper(map);
    static_cast<MapReadStatus&>(map) = read(keeper);
    return map;
}

}  // namespace

std::span<const Plane> CPlaneStore::Keep(std::span<const Plane> planes) {
    constexpr size_t kBlock = 4096;
    if (m_nLeft < planes.size()) {
        m_nLeft = std::max(kBlock, planes.size());
        m_Blocks.push_back(std::make_unique<Plane[]>(m_nLeft));
        m_pFree = m_Blocks.back().get();
    }
    Plane* const pFirst = m_pFree;
    m_pFree = std::copy(planes.begin(), planes.end(), m_pFree);
    m_nLeft -= planes.size();
    return {pFirst, planes.size()};
}

MapReadStatus MapReader::Read(std::string_view text, IMapSink& sink) {
    return CParser(text, sink).Run();
}

MapReadStatus MapReader::ReadFile(const std::string& path, IMapSink& sink) {
    MapReadStatus status;
    const std::filesystem::path file = NativePath::From(path);
    std::error_code error;
    const std::filesystem::file_status found = std::filesystem::status(file, error);
    // A pipe or a device could block or never end, and a folder holds no text.
    if (std::filesystem::exists(found) && !std::filesystem::is_regular_file(found)) {
        status.error.strMessage = "is not a regular file";
        return status;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        status.error.strMessage = "cannot be opened";
        return status;
    }
    try {
        return CParser(in, sink).Run();
    } catch (const std::ios_base::failure&) {
        // A read that fails under way (a bad disk, a file swapped for a folder) throws.
        status.error.strMessage = "cannot be read";
        return status;
    }
}

MapReadResult MapReader::ReadText(std::string_view text) {
    return Held([text](IMapSink& sink) { return Read(text, sink); });
}

MapReadResult MapReader::ReadFile(const std::string& path) {
    return Held([&path](IMapSink& sink) { return ReadFile(path, sink); });
}
