#include "CScriptedPlatformServices.h"

namespace {

// The first queued item, or fallback when none is queued.
template <typename T>
T TakeNext(std::deque<T>& queue, T fallback) {
    if (queue.empty()) {
        return fallback;
    }
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}

}  // namespace

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
    return type == MessageBoxType::Ok ? MessageBoxResult::Ok
                                      : TakeNext(m_Answers, MessageBoxResult::No);
}

std::optional<std::string> CScriptedPlatformServices::RunFileDialog(
    const FileDialogRequest& request) {
    m_FileDialogs.push_back(request);
    return TakeNext(m_FileResults, std::optional<std::string>());
}
