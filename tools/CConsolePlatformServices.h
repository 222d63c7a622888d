#pragma once

#include <ostream>

#include "platform/IPlatformServices.h"

// Platform services for a program without a desktop: a message box becomes a line on the
// error stream, a Yes/No question is answered No, a file dialog is cancelled.
class CConsolePlatformServices : public IPlatformServices {
public:
    explicit CConsolePlatformServices(std::ostream& err) : m_Err(err) {}

    MessageBoxResult ShowMessageBox(const std::string& text, MessageBoxType type) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    std::string GetExecutablePath() const override;

private:
    std::ostream& m_Err;
};
