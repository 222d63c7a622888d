#include "platform/ProfileFile.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/CAtomicFile.h"
#include "platform/CIniDocument.h"
#include "platform/InPlaceFile.h"

namespace {

// A profile made new is a Windows text file wherever it is made; an existing one keeps its own.
constexpr std::string_view kNewFileLineEnding = "\r\n";

enum class FileState { Missing, Read, Unreadable };

struct FileContents {
    FileState eState;
    std::string strBytes;
};

// Only a regular file is read: a folder or a device of the profile's name reads as missing
// and is never opened, so a pipe cannot block the reader.
FileContents ReadProfile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {FileState::Missing, {}};
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return {FileState::Unreadable, {}};
    }
    std::ifstream in(path, std::ios::binary);
    // Read in blocks, not by character: a profile may be a hundred megabytes. The size is a
    // hint only, as another program may change the file meanwhile.
    std::string bytes;
    const std::uintmax_t nSize = std::filesystem::file_size(path, error);
    if (!error) {
        bytes.reserve(static_cast<size_t>(nSize));
    }
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<size_t>(in.gcount()));
    }
    if (!in.is_open() || in.bad()) {
        return {FileState::Unreadable, {}};
    }
    return {FileState::Read, std::move(bytes)};
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Leading blanks, an optional sign, then decimal digits up to the first other character,
// wrapping modulo 2^32; text without digits is 0.
uint32_t ParseProfileInt(std::string_view text) {
    size_t nPos = 0;
    while (nPos < text.size() && IsBlank(text[nPos])) {
        ++nPos;
    }
    const bool bNegative = nPos < text.size() && text[nPos] == '-';
    if (nPos < text.size() && (text[nPos] == '-' || text[nPos] == '+')) {
        ++nPos;
    }
    uint32_t nValue = 0;
    for (; nPos < text.size() && text[nPos] >= '0' && text[nPos] <= '9'; ++nPos) {
        nValue = nValue * 10u + static_cast<uint32_t>(text[nPos] - '0');
    }
    return bNegative ? 0u - nValue : nValue;
}

}  // namespace

std::optional<CIniDocument> ProfileFile::Read(const std::string& path) {
    FileContents contents = ReadProfile(path);
    if (contents.eState == FileState::Unreadable) {
        return std::nullopt;
    }
    // Content that is no profile text reads as unreadable, so that it is never rewritten.
    return CIniDocument::Parse(std::move(contents.strBytes), kNewFileLineEnding);
}

bool ProfileFile::Write(const std::string& path, const CIniDocument& document) {
    const std::string bytes = document.Bytes();
    // Where a replace would cut links, change the owner or cannot be made, the file itself is
    // rewritten, under the caller's lock.
    if (InPlaceFile::IsPreferredFor(path)) {
        return InPlaceFile::Write(path, bytes);
    }
    CAtomicFile file;
    if (!file.Open(path)) {
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.Stream()) != bytes.size()) {
        return false;  // the atomic file discards the new version
    }
    return file.Commit();
}

std::string ProfileFile::StringValue(const std::optional<CIniDocument>& document,
                                     const std::string& section, const std::string& key,
                                     const std::string& def) {
    std::optional<std::string> value = document ? document->GetValue(section, key) : std::nullopt;
    if (!value) {
        return def;
    }
    return std::move(*value);
}

uint32_t ProfileFile::IntValue(const std::optional<CIniDocument>& document,
                               const std::string& section, const std::string& key, int32_t def) {
    const std::optional<std::string> value =
        document ? document->GetValue(section, key) : std::nullopt;
    if (!value || value->empty()) {
        return static_cast<uint32_t>(def);
    }
    return ParseProfileInt(*value);
}

std::string ProfileFile::GetString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& def) {
    return StringValue(Read(path), section, key, def);
}

uint32_t ProfileFile::GetInt(const std::string& path, const std::string& section,
                             const std::string& key, int32_t def) {
    return IntValue(Read(path), section, key, def);
}

bool ProfileFile::WriteString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& value) {
    std::optional<CIniDocument> document = Read(path);
    // A file that exists but cannot be read is never replaced by one holding only this key.
    if (!document) {
        return false;
    }
    document->SetValue(section, key, value);
    return Write(path, *document);
}

bool ProfileFile::WriteInt(const std::string& path, const std::string& section,
                           const std::string& key, int32_t value) {
    return WriteString(path, section, key, std::to_string(value));
}
