#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/IPlatformServices.h"

// Platform services for tests: answers are queued in advance and every message box and file
// dialog is recorded with its texts, so no test ever waits on a modal window.
class CScriptedPlatformServices : public IPlatformServices {
public:
    // Answer for the next Yes/No box. A box without a queued answer fails the test and gets
    // Yes: both questions then end their dialog, so a forgotten answer never loops.
    void SetNextAnswer(MessageBoxResult answer) { m_Answers.push_back(answer); }
    // Result of the next file dialog: a full path, or nothing for a cancelled dialog.
    // Dialogs without a queued result are cancelled.
    void SetNextFileDialogResult(std::optional<std::string> path) {
        m_FileResults.push_back(std::move(path));
    }
    void SetExecutablePath(std::string path) { m_strExecutablePath = std::move(path); }

    const std::vector<std::string>& MessageTexts() const { return m_Messages; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_FileDialogs; }

    // The nth Yes/No box takes the nth queued answer; the nth dialog, the nth queued result.
    MessageBoxResult ShowMessageBox(const std::string& text, MessageBoxType type) override {
        m_Messages.push_back(text);
        if (type == MessageBoxType::Ok) {
            return MessageBoxResult::Ok;
        }
        EXPECT_LT(m_nAnswered, m_Answers.size()) << "No answer was queued for \"" << text << "\"";
        return m_nAnswered < m_Answers.size() ? m_Answers[m_nAnswered++] : MessageBoxResult::Yes;
    }
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override {
        m_FileDialogs.push_back(request);
        const size_t nDialog = m_FileDialogs.size() - 1;
        return nDialog < m_FileResults.size() ? m_FileResults[nDialog] : std::nullopt;
    }
    std::string GetExecutablePath() const override { return m_strExecutablePath; }

private:
    std::string m_strExecutablePath = "/opt/kvledit/kvledit";
    std::vector<MessageBoxResult> m_Answers;
    size_t m_nAnswered = 0;
    std::vector<std::optional<std::string>> m_FileResults;
    std::vector<std::string> m_Messages;
    std::vector<FileDialogRequest> m_FileDialogs;
};
