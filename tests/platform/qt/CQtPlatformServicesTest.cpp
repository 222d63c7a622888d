#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "CModalDriver.h"
#include "TestFiles.h"
#include "platform/qt/CQtPlatformServices.h"

namespace {

TEST(CQtPlatformServicesTest, MessageBoxesShowPlainTextUnderTheProgramsNameAndGiveTheAnswer) {
    const struct {
        MessageBoxType eType;
        QMessageBox::StandardButton eClicked;  // NoButton: Escape
        MessageBoxResult eExpected;
    } cases[] = {{MessageBoxType::Ok, QMessageBox::Ok, MessageBoxResult::Ok},
                 {MessageBoxType::YesNo, QMessageBox::Yes, MessageBoxResult::Yes},
                 {MessageBoxType::YesNo, QMessageBox::NoButton, MessageBoxResult::No}};
    for (const auto& row : cases) {
        CModalDriver driver;
        driver.When<QMessageBox>([&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle() + "|" + box.text(), "KVLEdit|a & <b>");
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.buttons().size(), row.eType == MessageBoxType::Ok ? 1 : 2);
            if (row.eClicked == QMessageBox::NoButton) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.button(row.eClicked)->click();
            }
        });
        EXPECT_EQ(CQtPlatformServices().ShowMessageBox("a & <b>", row.eType), row.eExpected);
    }
}

// A dialog opens in the current directory, and a confirmed one moves it to the chosen file's
// folder. The default extension is added to a name without one; replacing a file is asked.
TEST(CQtPlatformServicesTest, FileDialogsFollowTheCurrentDirectoryAndAskBeforeReplacing) {
    const auto restore = qScopeGuard([old = QDir::currentPath()] { QDir::setCurrent(old); });
    QTemporaryDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkpath("maps") && QDir::setCurrent(temp.path()));
    const auto Temp = [root = QDir(QDir(temp.path()).canonicalPath())](const QString& relative) {
        return root.filePath(relative).toStdString();
    };
    TestFiles::WriteAll(Temp("maps/old.kvl"), "old");
    CModalDriver driver;
    const auto confirm = [&driver](const QString& name) {  // empty: the proposal kept
        driver.When<QFileDialog>([name](QFileDialog& dialog) {
            auto& field = *dialog.findChild<QLineEdit*>("fileNameEdit");
            field.setText(name.isEmpty() ? field.text() : name);
            QTest::keyClick(&field, Qt::Key_Return);
        });
    };
    const FileDialogRequest save{FileDialogRequest::Kind::Save, "kvl", "room1.KVL",
                                 "KVL Files (*.kvl)|*.kvl||"};
    CQtPlatformServices services;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().canonicalPath().toStdString(), Temp(""));
        EXPECT_EQ(dialog.nameFilters(), QStringList{"KVL Files (*.kvl)"});
        dialog.reject();
    });
    EXPECT_EQ(services.RunFileDialog(save), std::nullopt);
    confirm("");
    EXPECT_EQ(services.RunFileDialog(save), Temp("room1.KVL")) << "the proposal keeps its case";
    confirm("maps/castle");
    EXPECT_EQ(services.RunFileDialog(save), Temp("maps/castle.kvl"));
    EXPECT_EQ(QDir::current().canonicalPath().toStdString(), Temp("maps"));
    for (const QMessageBox::StandardButton eAnswer : {QMessageBox::No, QMessageBox::Yes}) {
        confirm("old.kvl");
        driver.When<QMessageBox>([eAnswer](QMessageBox& box) { box.button(eAnswer)->click(); });
    }
    EXPECT_EQ(services.RunFileDialog(save), Temp("maps/old.kvl"));
    EXPECT_EQ(TestFiles::ReadAll(Temp("maps/old.kvl")), "old") << "the dialog only chooses";
    confirm("new room");  // an open dialog takes the name of a file that does not exist yet
    EXPECT_EQ(services.RunFileDialog({FileDialogRequest::Kind::Open, "map", "", ""}),
              Temp("maps/new room.map"));
}

}  // namespace
