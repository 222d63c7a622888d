#include "platform/CProfileFile.h"

// Placeholder until the profile reader and writer land: every read gives the default.
std::string CProfileFile::GetString(const std::string&, const std::string&, const std::string&,
                                    const std::string& def) {
    return def;
}

uint32_t CProfileFile::GetInt(const std::string&, const std::string&, const std::string&,
                              int32_t def) {
    return static_cast<uint32_t>(def);
}

bool CProfileFile::WriteInt(const std::string&, const std::string&, const std::string&, int32_t) {
    return false;
}
