#include "fileio/CPathParts.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "fileio/PathText.h"

namespace {

// Copies part into a buffer of capacity N. Split has refused paths too long for m_szPath,
// and no part of a shorter path is longer than its buffer allows; the bound guards all the
// same.
template <size_t N>
void CopyPart(char (&buffer)[N], std::string_view part) {
    const size_t nLength = std::min(part.size(), N - 1);
    std::memcpy(buffer, part.data(), nLength);
    buffer[nLength] = '\0';
}

}  // namespace

CPathParts::CPathParts() {
    Clear();
}

void CPathParts::Clear() {
    m_szPath[0] = m_szDrive[0] = m_szDir[0] = m_szFname[0] = m_szExt[0] = '\0';
}

void CPathParts::Split(const char* pszPath) {
    Clear();
    if (pszPath == nullptr) {
        return;
    }
    const std::string_view path(pszPath);
    if (path.size() >= kMaxPath) {
        return;
    }
    CopyPart(m_szPath, path);

    const size_t nDrive = PathText::DriveLength(path);
    const size_t nDirEnd = PathText::DirectoryEnd(path);
    CopyPart(m_szDrive, path.substr(0, nDrive));
    CopyPart(m_szDir, path.substr(nDrive, nDirEnd - nDrive));
    std::string_view rest = path.substr(nDirEnd);

    const size_t nDot = rest.rfind('.');
    if (nDot == std::string_view::npos) {
        CopyPart(m_szFname, rest);
    } else {
        CopyPart(m_szFname, rest.substr(0, nDot));
        CopyPart(m_szExt, rest.substr(nDot));
    }
}

const char* CPathParts::Compose(unsigned flags) {
    // The parts of a path that fitted in m_szPath fit there together again; the bound
    // guards the buffer all the same.
    size_t nLength = 0;
    auto append = [&](const char* pszPart) {
        const size_t nPart = std::min(std::strlen(pszPart), kMaxPath - 1 - nLength);
        std::memcpy(m_szPath + nLength, pszPart, nPart);
        nLength += nPart;
    };
    if (flags & PP_DRIVE) {
        append(m_szDrive);
    }
    if (flags & PP_DIR) {
        append(m_szDir);
    }
    if (flags & PP_FNAME) {
        append(m_szFname);
    }
    if (flags & PP_EXT) {
        append(m_szExt);
    }
    m_szPath[nLength] = '\0';
    return m_szPath;
}
