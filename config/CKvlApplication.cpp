#include "config/CKvlApplication.h"

#include <cassert>

#include "config/CGeneratorSettings.h"
#include "fileio/PathText.h"
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

void CKvlApplication::SetProfilePath() {
    // When the executable's folder is unknown the profile is looked for in the current
    // folder, never in the root folder that a lone separator would name.
    theSettings.m_strProfilePath =
        PathText::Join(PathText::DirectoryOf(m_Services.GetExecutablePath()),
                       CGeneratorSettings::kProfileFileName);
    m_strProfileName = theSettings.m_strProfilePath;
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
