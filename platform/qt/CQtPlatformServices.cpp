#include "platform/qt/CQtPlatformServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

#include "platform/ModulePath.h"
#include "platform/qt/FileDialogFilter.h"

namespace {

const QString kTitle = QStringLiteral("KVLEdit");

// A box as narrow as a short text would have its caption cut by the window manager; the box
// sizes itself to its layout, so the layout gets a strut as wide as the caption and the frame's
// buttons beside it.
void KeepCaptionWhole(QMessageBox& box) {
    auto* pLayout = qobject_cast<QGridLayout*>(box.layout());
    if (pLayout == nullptr) {
        return;
    }
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int nFrameButtons = 4 * metrics.height() * 2;
    const int nWidth = metrics.horizontalAdvance(box.windowTitle()) + nFrameButtons;
    pLayout->addItem(new QSpacerItem(nWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                     pLayout->rowCount(), 0, 1, pLayout->columnCount());
}

QString StartingFolder(const FileDialogRequest& request) {
    const QString strDir = QFile::decodeName(QByteArray::fromStdString(request.strInitialDir));
    return !strDir.isEmpty() && QFileInfo(strDir).isDir() ? strDir : QDir::currentPath();
}

}  // namespace

MessageBoxResult CQtPlatformServices::ShowMessageBox(const std::string& text, MessageBoxType type) {
    const bool bYesNo = type == MessageBoxType::YesNo;
    QMessageBox box(QMessageBox::NoIcon, kTitle, QString::fromLocal8Bit(text),
                    bYesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(bYesNo ? QMessageBox::Yes : QMessageBox::Ok);
    KeepCaptionWhole(box);
    const int nAnswer = box.exec();
    if (!bYesNo) {
        return MessageBoxResult::Ok;
    }
    return nAnswer == QMessageBox::Yes ? MessageBoxResult::Yes : MessageBoxResult::No;
}

std::optional<std::string> CQtPlatformServices::RunFileDialog(const FileDialogRequest& request) {
    const bool bSave = request.eKind == FileDialogRequest::Kind::Save;
    // A confirmed dialog leaves the current directory at the chosen file's folder, as the old
    // platform's file dialogs did.
    QFileDialog dialog(QApplication::activeWindow(), QString(), StartingFolder(request));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The file need not exist: only its name is taken.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(FileDialogFilter::ToNameFilters(request.strFilter));
    dialog.setDefaultSuffix(QString::fromLocal8Bit(request.strDefaultExt));
    if (!request.strInitialName.empty()) {
        dialog.selectFile(QString::fromLocal8Bit(request.strInitialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

std::string CQtPlatformServices::GetExecutablePath() const {
    return ModulePath::Get();
}
