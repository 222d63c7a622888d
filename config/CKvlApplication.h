#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CIniDocument.h"
#include "platform/IPlatformServices.h"

// The application object the editor and kvltool share: the name of the profile file that
// every profile read and write goes to, and the platform services the program talks through.
// Exactly one exists at a time; configuration code reaches it through Current().
class CKvlApplication {
public:
    explicit CKvlApplication(IPlatformServices& services);
    virtual ~CKvlApplication();
    CKvlApplication(const CKvlApplication&) = delete;
    CKvlApplication& operator=(const CKvlApplication&) = delete;

    static CKvlApplication& Current();

    IPlatformServices& Services() const { return m_Services; }

    // Makes the profile that ProfileLocation finds for the executable the profile file. True
    // when that is a per-user profile created just now, which the caller names to the user.
    bool SetProfilePath();

    const std::string& GetProfileName() const { return m_strProfileName; }
    // Makes name the profile file, as --profile asks.
    void SetProfileName(const std::string& name);

    // The profile file is read once, on the first of these calls, and its values are looked
    // up in that reading until the name changes, a value is written or ForgetProfile is called.
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& def) const;
    uint32_t GetProfileInt(const std::string& section, const std::string& key, int32_t def) const;
    bool WriteProfileInt(const std::string& section, const std::string& key, int32_t value);
    bool WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value);
    // The next read reads the file again: for values another process may have changed since.
    void ForgetProfile();

private:
    const std::optional<CIniDocument>& Profile() const;

    IPlatformServices& m_Services;
    std::string m_strProfileName;
    mutable bool m_bProfileRead = false;
    mutable std::optional<CIniDocument> m_Profile;  // nothing when the file cannot be read
};

// A modal message box through the current application's platform services.
MessageBoxResult KvlMessageBox(const std::string& text, MessageBoxType type = MessageBoxType::Ok);
