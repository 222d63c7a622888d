#include "config/CGeneratorSettings.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include <chrono>

#include "config/CCasterySummary.h"
#include "config/CKvlApplication.h"
#include "fileio/PathText.h"
#include "platform/CFileLock.h"

#ifndef _WIN32
#include <locale.h>
#endif

CGeneratorSettings theSettings;

namespace {

// How long an editor waits for another one to finish reserving its identifier. A crashed
// editor holds up nobody: the system releases its lock with its process.
constexpr std::chrono::milliseconds kIdLockTimeout{10000};

// atof's reading of a number in the "C" locale, whatever locale the desktop has set: the
// profile is shared with the generator and always holds "0.60", never "0,60".
double ParseCNumber(const std::string& text) {
#ifdef _WIN32
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(text.c_str(), nullptr, cLocale);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(text.c_str(), nullptr, cLocale);
#endif
}

// A value beyond float's range becomes infinite instead of an undefined conversion.
float ToSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        return value > 0 ? HUGE_VALF : -HUGE_VALF;
    }
    return static_cast<float>(value);
}

// What NEXT_ID holds once the last identifier, 4294967295, has been handed out: the first
// number beyond it, so that the counter never wraps to identifiers handed out long ago.
constexpr const char* kPastLastId = "4294967296";

// True when the text's leading number is beyond the last identifier. Negative numbers are
// how earlier versions stored identifiers from 2^31 on; they keep reading as before.
bool IsPastLastId(const std::string& text) {
    size_t nPos = text.find_first_not_of(" \t");
    if (nPos == std::string::npos || text[nPos] == '-') {
        return false;
    }
    nPos += text[nPos] == '+' ? 1 : 0;
    uint64_t nValue = 0;
    for (; nPos < text.size() && text[nPos] >= '0' && text[nPos] <= '9'; ++nPos) {
        nValue = nValue * 10 + static_cast<uint64_t>(text[nPos] - '0');
        if (nValue > UINT32_MAX) {
            return true;
        }
    }
    return false;
}

std::string NoIdLeftMessage(const std::string& profile) {
    return "No identifier is left!\n" + profile + "\nThe last identifier, " +
           std::to_string(UINT32_MAX) + ", has been handed out.";
}

std::string ReserveFailedMessage(const std::string& profile, uint32_t nId) {
    return "Couldn't reserve the identifier!\n" + profile + "\nIdentifier " + std::to_string(nId) +
           " may be handed out again.";
}

}  // namespace

void CGeneratorSettings::Load() {
    LoadSettings();
    CCasterySummary().LoadSummary();
}

void CGeneratorSettings::LoadSettings() {
    const CKvlApplication& app = CKvlApplication::Current();
    const std::string strDir = PathText::DirectoryOf(m_strProfilePath);
    auto text = [&app](const char* section, const char* key, const std::string& def) {
        return app.GetProfileString(section, key, def);
    };
    auto integer = [&app](const char* section, const char* key, int32_t def) {
        return static_cast<int32_t>(app.GetProfileInt(section, key, def));
    };

    m_strTemplateDir =
        text("globals", "template_directory", strDir + PathText::Native("..\\maps\\templates"));
    m_strSourceDir = text("globals", "source_directory", strDir + PathText::Native("..\\maps\\S2"));
    m_strTargetDir =
        text("globals", "target_directory", PathText::Native("C:\\Quake2\\baseq2\\maps"));
    m_nGameType = integer("globals", "game_type", 2);
    m_strClientPath = text("globals", "client_path", strDir + "client.exe");
    m_strQuakeIQbsp = text("globals", "quake_i_qbsp", strDir + "qbsp.exe");
    m_strQuakeILight = text("globals", "quake_i_light", strDir + "light.exe");
    m_strQuakeIVis = text("globals", "quake_i_vis", strDir + "vis.exe");
    m_strQuakeIIQbsp = text("globals", "quake_ii_qbsp", strDir + "qbsp3.exe");
    m_strQuakeIIVis = text("globals", "quake_ii_vis", strDir + "qvis3.exe");
    m_strQuakeIILight = text("globals", "quake_ii_light", strDir + "qrad3.exe");
    m_nTemplateX = integer("template_settings", "x", 4);
    m_nTemplateY = integer("template_settings", "y", 4);
    m_nTemplateZ = integer("template_settings", "z", 2);
    m_fPercentToFill = ToSingle(ParseCNumber(text("template_settings", "percent_to_fill", "0.60")));

    m_strTemplateDir = PathText::WithTrailingSeparator(std::move(m_strTemplateDir));
    m_strSourceDir = PathText::WithTrailingSeparator(std::move(m_strSourceDir));
    m_strTargetDir = PathText::WithTrailingSeparator(std::move(m_strTargetDir));
}

CGeneratorSettings::IdAllocation CGeneratorSettings::AllocateNextId() {
    CKvlApplication& app = CKvlApplication::Current();
    bool bReserved = false;
    bool bIdLeft = true;
    {
        CFileLock lock;
        const bool bLocked =
            lock.Lock(CFileLock::LockPathFor(app.GetProfileName()), kIdLockTimeout);
        app.ForgetProfile();  // another editor may have advanced the counter since Load
        bIdLeft = !IsPastLastId(app.GetProfileString("ID", "NEXT_ID", ""));
        m_Definition.m_nId = bIdLeft ? app.GetProfileInt("ID", "NEXT_ID", 1) : 0;
        const bool bLast = m_Definition.m_nId == UINT32_MAX;
        // Without the lock the counter is left alone: another editor may be advancing it.
        bReserved = bIdLeft && bLocked &&
                    (bLast ? app.WriteProfileString("ID", "NEXT_ID", kPastLastId)
                           : app.WriteProfileInt("ID", "NEXT_ID",
                                                 static_cast<int32_t>(m_Definition.m_nId + 1)));
    }  // released before any message box, so other editors never wait on this one's user
    if (!bIdLeft) {
        KvlMessageBox(NoIdLeftMessage(app.GetProfileName()));
        return IdAllocation::NoneLeft;
    }
    if (!bReserved) {
        KvlMessageBox(ReserveFailedMessage(app.GetProfileName(), m_Definition.m_nId));
        return IdAllocation::NotReserved;
    }
    return IdAllocation::Reserved;
}

void CGeneratorSettings::Reset() {
    *this = CGeneratorSettings();
}
