#include "CScriptedPlatformServices.h"

CScriptedPlatformServices::CScriptedPlatformServices(std::string executablePath)
    : m_strExecutablePath(std::move(executablePath)) {}

void CScriptedPlatformServices::SetNextAnswer(MessageBoxResult answer) {
    m_Answers.push_back(answer);
}

void CScriptedPlatformServices::SetNextFileDialogResult(std::optional<std::string> path) {
    m_FileResults.push_back(std::move(path));
}

std::vector<std::string> CScriptedPlatformServices::MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageRecord& record : m_Messages) {
        texts.push_back(record.strText);
    }
    return texts;
}

MessageBoxResult CScriptedPlatformServices::ShowMessageBox(const std::string& text,
                                                           MessageBoxType type) {
    m_Messages.push_back({text, type});
    if (type == MessageBoxType::Ok) {
        return MessageBoxResult::Ok;
    }
    if (m_Answers.empty()) {
        return MessageBoxResult::No;
    }
    const MessageBoxResult answer = m_Answers.front();
    m_Answers.pop_front();
    return answer;
}

std::optional<std::string> CScriptedPlatformServices::RunFileDialog(
    const FileDialogRequest& request) {
    m_FileDialogs.push_back(request);
    if (m_FileResults.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> result = m_FileResults.front();
    m_FileResults.pop_front();
    return result;
}
