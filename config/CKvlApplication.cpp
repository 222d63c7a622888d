#include "config/CKvlApplication.h"

#include <cassert>

#include "config/ProfileLocation.h"
#include "platform/ProfileFile.h"

namespace {
CKvlApplication* g_pCurrent = nullptr;
}

CKvlApplication::CKvlApplication(IPlatformServices& services) : m_Services(services) {
    assert(g_pCurrent == nullptr);
    g_pCurrent = this;
}

CKvlApplication::~CKvlApplication() {
    g_pCurrent = nullptr;
}

CKvlApplication& CKvlApplication::Current() {
    assert(g_pCurrent != nullptr);
    return *g_pCurrent;
}

bool CKvlApplication::SetProfilePath() {
    const ProfileLocation::Choice choice = ProfileLocation::Find(m_Services.GetExecutablePath());
    SetProfileName(choice.strPath);
    return choice.bPerUser && ProfileLocation::CreatePerUser(choice.strPath);
}

void CKvlApplication::SetProfileName(const std::string& name) {
    m_strProfileName = name;
    ForgetProfile();
}

void CKvlApplication::ForgetProfile() {
    m_bProfileRead = false;
    m_Profile.reset();
}

const std::optional<CIniDocument>& CKvlApplication::Profile() const {
    if (!m_bProfileRead) {
        m_Profile = ProfileFile::Read(m_strProfileName);
        m_bProfileRead = true;
    }
    return m_Profile;
}

std::string CKvlApplication::GetProfileString(const std::string& section, const std::string& key,
                                              const std::string& def) const {
    return ProfileFile::StringValue(Profile(), section, key, def);
}

uint32_t CKvlApplication::GetProfileInt(const std::string& section, const std::string& key,
                                        int32_t def) const {
    return ProfileFile::IntValue(Profile(), section, key, def);
}

bool CKvlApplication::WriteProfileInt(const std::string& section, const std::string& key,
                                      int32_t value) {
    return WriteProfileString(section, key, std::to_string(value));
}

bool CKvlApplication::WriteProfileString(const std::string& section, const std::string& key,
                                         const std::string& value) {
    Profile();
    // A file that exists but cannot be read is never replaced by one holding only this key.
    bool bWritten = false;
    if (m_Profile) {
        m_Profile->SetValue(section, key, value);
        bWritten = ProfileFile::Write(m_strProfileName, *m_Profile);
    }
    ForgetProfile();
    return bWritten;
}

MessageBoxResult KvlMessageBox(const std::string& text, MessageBoxType type) {
    return CKvlApplication::Current().Services().ShowMessageBox(text, type);
}
