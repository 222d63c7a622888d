#include "tools/CConsolePlatformServices.h"

#include "platform/ModulePath.h"

MessageBoxResult CConsolePlatformServices::ShowMessageBox(const std::string& text,
                                                          MessageBoxType type) {
    m_Err << text << '\n';
    return type == MessageBoxType::Ok ? MessageBoxResult::Ok : MessageBoxResult::No;
}

std::optional<std::string> CConsolePlatformServices::RunFileDialog(const FileDialogRequest&) {
    return std::nullopt;
}

std::string CConsolePlatformServices::GetExecutablePath() const {
    return ModulePath::Get();
}
