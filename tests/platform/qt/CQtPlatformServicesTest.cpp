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

// A dialog opens in the current directory, and a confirmed one moves it to the chosen file's
// folder. The default extension is added to a name without one; replacing a file is asked.
// Filters come as "description|patterns|...||", patterns separated by ";".
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
    const FileDialogRequest save{FileDialogRequest::Kind::Save, "kvl", "room1.KVL", "",
                                 "KVL Files (*.kvl)|*.kvl||"};
    CQtPlatformServices services;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().canonicalPath().toStdString(), Temp(""));
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"KVL Files (*.kvl)", "Maps (*.map *.MAP)"}));
        dialog.reject();
    });
    EXPECT_EQ(services.RunFileDialog({FileDialogRequest::Kind::Open, "map", "", "",
                                      "KVL Files (*.kvl)|*.kvl|Maps|*.map;*.MAP||Ignored|*.x||"}),
              std::nullopt);
    confirm("");
    EXPECT_EQ(services.RunFileDialog(save), Temp("room1.KVL")) << "the proposal keeps its case";
    confirm("maps/castle");
    EXPECT_EQ(services.RunFileDialog(save), Temp("maps/castle.kvl"));
    EXPECT_EQ(QDir::current().canonicalPath().toStdString(), Temp("maps"));
    confirm("old.kvl");
    driver.When<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(services.RunFileDialog(save), Temp("maps/old.kvl"));
    EXPECT_EQ(TestFiles::ReadAll(Temp("maps/old.kvl")), "old") << "the dialog only chooses";
}

}  // namespace
