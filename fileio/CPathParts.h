#pragma once

#include <cstddef>

// Composition flags: which parts Compose puts together, always in this order.
enum PathPart : unsigned {
    PP_DRIVE = 1,
    PP_DIR = 2,
    PP_FNAME = 4,
    PP_EXT = 8,
};

// Takes a path apart into drive, directory, file name and extension, and composes chosen
// parts again. Both "\" and "/" separate directories on every platform.
//
// A path of kMaxPath (260) or more characters is refused: Split leaves every part empty, so
// nothing is ever written past a buffer and no truncated name is mistaken for the real one.
// Every shorter path is split whole: each part's buffer holds the longest part such a path
// can have, so a long directory or file name is never cut short either.
class CPathParts {
public:
    static constexpr size_t kMaxPath = 260;  // including the NUL
    static constexpr size_t kMaxDrive = 3;
    static constexpr size_t kMaxDir = kMaxPath;
    static constexpr size_t kMaxFname = kMaxPath;
    static constexpr size_t kMaxExt = kMaxPath;

    CPathParts();
    virtual ~CPathParts() = default;

    // Null empties every part.
    void Split(const char* pszPath);
    // The chosen parts, valid until the next Split or Compose.
    const char* Compose(unsigned flags);

private:
    void Clear();

    char m_szPath[kMaxPath];
    char m_szDrive[kMaxDrive];
    char m_szDir[kMaxDir];
    char m_szFname[kMaxFname];
    char m_szExt[kMaxExt];
};
