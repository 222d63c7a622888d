#include "config/CGeneratorSettings.h"

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "config/CCasterySummary.h"
#include "config/CKvlApplication.h"
#include "config/Identifiers.h"
#include "fileio/PathText.h"

#ifndef _WIN32
#include <locale.h>
#endif

namespace {

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

}  // namespace

void CGeneratorSettings::Load() {
    LoadSettings();
    CCasterySummary(m_strSourceDir, m_strProfilePath).LoadSummary(m_Summary);
}

void CGeneratorSettings::LoadSettings() {
    const CKvlApplication& app = CKvlApplication::Current();
    m_strProfilePath = app.GetProfileName();
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
    const Identifiers::Allocation allocation =
        Identifiers::Allocate(app.GetProfileName(), app.Services());
    app.ForgetProfile();  // the counter has moved since the profile was read
    m_Definition.m_nId = allocation.nId;
    return allocation.eOutcome;
}
