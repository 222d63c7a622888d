#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CIniDocument.h"

// Reads and writes Windows profile (INI) files with the Windows profile functions' rules, so
// that a file shared with a Windows program reads the same on both sides and keeps every
// byte but the one value written.
namespace ProfileFile {

// The whole file, to look up many values from one reading: an empty document when the
// file is missing, nothing when a file of that name exists but cannot be read or holds
// no profile text.
std::optional<CIniDocument> Read(const std::string& path);
// Replaces the file atomically with the document's bytes, or rewrites it in place where a
// replace would change or cannot make it (links, owner, a folder that takes no new file);
// false when it failed.
bool Write(const std::string& path, const CIniDocument& document);
// Values of a document from Read, by the rules of GetString and GetInt.
std::string StringValue(const std::optional<CIniDocument>& document, const std::string& section,
                        const std::string& key, const std::string& def);
uint32_t IntValue(const std::optional<CIniDocument>& document, const std::string& section,
                  const std::string& key, int32_t def);

// The key's value, or def when the file, the section or the key is missing.
std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& def);
// The key's value as a decimal integer, or def when missing or empty.
uint32_t GetInt(const std::string& path, const std::string& section, const std::string& key,
                int32_t def);
// Stores value, creating the file, section or key when missing; the file is written as
// Write writes it. False when it could not be written, or when a file of that name exists but
// cannot be read (it is then left alone).
bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);
// WriteString with value as signed decimal text.
bool WriteInt(const std::string& path, const std::string& section, const std::string& key,
              int32_t value);

}  // namespace ProfileFile
