#include "platform/qt/CQtPlatformServices.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/CModulePath.h"

MessageBoxResult CQtPlatformServices::ShowMessageBox(const std::string& text, MessageBoxType type) {
    if (type == MessageBoxType::Ok) {
        QMessageBox::information(QApplication::activeWindow(), QStringLiteral("KVLEdit"),
                                 QString::fromLocal8Bit(text));
        return MessageBoxResult::Ok;
    }
    const auto answer = QMessageBox::question(
        QApplication::activeWindow(), QStringLiteral("KVLEdit"), QString::fromLocal8Bit(text));
    return answer == QMessageBox::Yes ? MessageBoxResult::Yes : MessageBoxResult::No;
}

std::optional<std::string> CQtPlatformServices::RunFileDialog(const FileDialogRequest&) {
    return std::nullopt;
}

std::string CQtPlatformServices::GetExecutablePath() const {
    return CModulePath::Get();
}
