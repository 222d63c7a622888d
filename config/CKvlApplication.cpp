#include "config/CKvlApplication.h"

#include <cassert>

#include "config/CGeneratorSettings.h"
#include "config/ProfileLocation.h"
#include "platform/CProfileFile.h"

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
    UseProfile(choice.strPath);
    return choice.bPerUser && ProfileLocation::CreatePerUser(choice.strPath);
}

void CKvlApplication::UseProfile(const std::string& path) {
    theSettings.m_strProfilePath = path;
    m_strProfileName = path;
}

std::string CKvlApplication::GetProfileString(const std::string& section, const std::string& key,
                                              const std::string& def) const {
    return CProfileFile::GetString(m_strProfileName, section, key, def);
}

uint32_t CKvlApplication::GetProfileInt(const std::string& section, const std::string& key,
                                        int32_t def) const {
    return CProfileFile::GetInt(m_strProfileName, section, key, def);
}

bool CKvlApplication::WriteProfileInt(const std::string& section, const std::string& key,
                                      int32_t value) {
    return CProfileFile::WriteInt(m_strProfileName, section, key, value);
}

MessageBoxResult KvlMessageBox(const std::string& text, MessageBoxType type) {
    return CKvlApplication::Current().Services().ShowMessageBox(text, type);
}
