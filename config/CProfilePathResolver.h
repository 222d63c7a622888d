#pragma once

#include <string>
#include <vector>

// Where a path written in the profile leads on this system. The generator reads its profile
// as Windows does, and on a POSIX system it runs under Wine, so a value is taken the same way
// here: "\" separates as well as "/"; a relative value starts in the profile's own folder; a
// drive letter names the folder that the Wine prefix maps it to; a name that does not exist
// with its exact spelling matches the one entry of its folder that differs only in case. On
// Windows the system does all that itself, and only a relative value is taken from the
// profile's folder.
class CProfilePathResolver {
public:
    struct Result {
        std::string strPath;   // the file or folder on this system, in its own spelling
        std::string strError;  // why the value leads nowhere; empty when it was resolved

        bool Resolved() const { return strError.empty(); }
    };

    // profilePath: the profile the values come from. The Wine prefixes tried for a drive
    // letter are the one that holds the profile (a folder with dosdevices/ above it), then
    // $WINEPREFIX, then ~/.wine.
    explicit CProfilePathResolver(const std::string& profilePath);

    // A value ending in a separator keeps one. Names that do not exist are kept as written,
    // so that a folder yet to be made can still be named; nothing is created.
    Result Resolve(const std::string& value) const;

private:
    std::string m_strProfileDir;  // absolute, ending in a separator
    std::vector<std::string> m_Prefixes;
};
