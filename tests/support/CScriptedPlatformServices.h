#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/IPlatformServices.h"

// Platform services for tests: answers are queued in advance and every message box and file
// dialog is recorded with its texts, so no test ever waits on a modal window.
class CScriptedPlatformServices : public IPlatformServices {
public:
    struct MessageRecord {
        std::string strText;
        MessageBoxType eType;
    };

    explicit CScriptedPlatformServices(std::string executablePath = "/opt/kvledit/kvledit")
        : m_strExecutablePath(std::move(executablePath)) {}

    // Answer for the next Yes/No box; boxes without a queued answer get No.
    void SetNextAnswer(MessageBoxResult answer) { m_Answers.push_back(answer); }
    // Result of the next file dialog: a full path, or nothing for a cancelled dialog.
    // Dialogs without a queued result are cancelled.
    void SetNextFileDialogResult(std::optional<std::string> path) {
        m_FileResults.push_back(std::move(path));
    }
    void SetExecutablePath(std::string path) { m_strExecutablePath = std::move(path); }

    const std::vector<MessageRecord>& Messages() const { return m_Messages; }
    std::vector<std::string> MessageTexts() const;
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_FileDialogs; }
    // Queued answers that no box or dialog has taken yet.
    size_t PendingAnswers() const { return m_Answers.size() + m_FileResults.size(); }

    MessageBoxResult ShowMessageBox(const std::string& text, MessageBoxType type) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    std::string GetExecutablePath() const override { return m_strExecutablePath; }

private:
    std::string m_strExecutablePath;
    std::deque<MessageBoxResult> m_Answers;
    std::deque<std::optional<std::string>> m_FileResults;
    std::vector<MessageRecord> m_Messages;
    std::vector<FileDialogRequest> m_FileDialogs;
};
