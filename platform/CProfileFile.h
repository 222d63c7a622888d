#pragma once

#include <cstdint>
#include <string>

// Reads and writes Windows profile (INI) files with the Windows profile functions' rules, so
// that a file shared with a Windows program reads the same on both sides and keeps every
// byte but the one value written.
class CProfileFile {
public:
    // The key's value, or def when the file, the section or the key is missing.
    static std::string GetString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& def);
    // The key's value as a decimal integer, or def when missing or empty.
    static uint32_t GetInt(const std::string& path, const std::string& section,
                           const std::string& key, int32_t def);
    // Stores value as signed decimal text, creating the file, section or key when missing;
    // the file is replaced atomically. False when it could not be written, or when a file of
    // that name exists but cannot be read (it is then left alone).
    static bool WriteInt(const std::string& path, const std::string& section,
                         const std::string& key, int32_t value);
};
