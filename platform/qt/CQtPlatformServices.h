#pragma once

#include "platform/IPlatformServices.h"

// The desktop's message boxes and file dialogs, through Qt Widgets.
class CQtPlatformServices : public IPlatformServices {
public:
    MessageBoxResult ShowMessageBox(const std::string& text, MessageBoxType type) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    std::string GetExecutablePath() const override;
};
