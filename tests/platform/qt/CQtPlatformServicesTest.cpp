#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "CModalDriver.h"
#include "QtPrinters.h"
#include "TestFiles.h"
#include "platform/CModulePath.h"
#include "platform/qt/CQtPlatformServices.h"

namespace {

// Every test runs in a temporary current directory and puts the old one back.
class CQtPlatformServicesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_TempDir.isValid());
        m_strOldCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir(m_TempDir.path()).mkpath("maps"));
        ASSERT_TRUE(QDir::setCurrent(m_TempDir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_strOldCurrent); }

    QString Temp(const QString& relative = QString()) const {
        return QDir(QDir(m_TempDir.path()).canonicalPath()).filePath(relative);
    }

    static QLineEdit& FileNameField(QFileDialog& dialog) {
        auto* pField = dialog.findChild<QLineEdit*>("fileNameEdit");
        if (pField == nullptr) {
            qFatal("The file dialog has no file name field");
        }
        return *pField;
    }

    // Types a name into the file dialog and confirms it with Enter.
    static void TypeAndConfirm(QFileDialog& dialog, const QString& name) {
        QLineEdit& field = FileNameField(dialog);
        field.clear();
        QTest::keyClicks(&field, name);
        QTest::keyClick(&field, Qt::Key_Return);
    }

    QTemporaryDir m_TempDir;
    QString m_strOldCurrent;
    CQtPlatformServices m_Services;
};

FileDialogRequest SaveRequest(const std::string& initialName) {
    FileDialogRequest request;
    request.eKind = FileDialogRequest::Kind::Save;
    request.strDefaultExt = "kvl";
    request.strInitialName = initialName;
    request.strFilter = "KVL Files (*.kvl)|*.kvl||";
    return request;
}

struct MessageCase {
    MessageBoxType eType;
    QMessageBox::StandardButton eClicked;  // NoButton: Escape
    MessageBoxResult eExpected;
};

void PrintTo(const MessageCase& message, std::ostream* pOut) {
    *pOut << (message.eType == MessageBoxType::Ok ? "Ok" : "YesNo")
          << (message.eClicked == QMessageBox::NoButton ? "Escape" : "Click")
          << static_cast<int>(message.eExpected);
}

class CQtMessageBoxTest : public testing::TestWithParam<MessageCase> {};

TEST_P(CQtMessageBoxTest, ShowsTheTextUnderTheProgramsNameAndReturnsTheAnswer) {
    const MessageCase& message = GetParam();
    QString strTitle;
    QString strText;
    QList<QAbstractButton*> buttons;
    CModalDriver driver;
    driver.When<QMessageBox>([&](QMessageBox& box) {
        strTitle = box.windowTitle();
        strText = box.text();
        buttons = box.buttons();
        if (message.eClicked == QMessageBox::NoButton) {
            QTest::keyClick(&box, Qt::Key_Escape);
        } else {
            box.button(message.eClicked)->click();
        }
    });
    CQtPlatformServices services;
    EXPECT_EQ(services.ShowMessageBox("Line one\n<b>not bold</b> & more", message.eType),
              message.eExpected);
    EXPECT_EQ(strTitle, "KVLEdit");
    EXPECT_EQ(strText, "Line one\n<b>not bold</b> & more");
    EXPECT_EQ(buttons.size(), message.eType == MessageBoxType::Ok ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CQtMessageBoxTest,
    testing::Values(MessageCase{MessageBoxType::Ok, QMessageBox::Ok, MessageBoxResult::Ok},
                    MessageCase{MessageBoxType::Ok, QMessageBox::NoButton, MessageBoxResult::Ok},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::Yes, MessageBoxResult::Yes},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::No, MessageBoxResult::No},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::NoButton,
                                MessageBoxResult::No}));

TEST_F(CQtPlatformServicesTest, SaveDialogProposesTheNameInTheCurrentDirectoryAndKeepsItsCase) {
    QString strDirectory;
    QStringList filters;
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        strDirectory = dialog.directory().canonicalPath();
        filters = dialog.nameFilters();
        EXPECT_EQ(FileNameField(dialog).text(), "room1.KVL");
        QTest::keyClick(&FileNameField(dialog), Qt::Key_Return);
    });
    const std::optional<std::string> chosen = m_Services.RunFileDialog(SaveRequest("room1.KVL"));

    EXPECT_EQ(strDirectory, Temp());
    EXPECT_EQ(filters, QStringList{"KVL Files (*.kvl)"});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, Temp("room1.KVL").toStdString());
}

TEST_F(CQtPlatformServicesTest,
       ConfirmingMakesTheChosenFoldersTheCurrentDirectoryAndAddsTheExtension) {
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) { TypeAndConfirm(dialog, "maps/castle"); });
    const std::optional<std::string> chosen = m_Services.RunFileDialog(SaveRequest("room1.KVL"));

    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, Temp("maps/castle.kvl").toStdString());
    EXPECT_EQ(QDir::current().canonicalPath(), Temp("maps"));
}

TEST_F(CQtPlatformServicesTest, CancellingChoosesNothingAndKeepsTheCurrentDirectory) {
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        FileNameField(dialog).setText("maps/castle");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(m_Services.RunFileDialog(SaveRequest("room1.KVL")).has_value());
    EXPECT_EQ(QDir::current().canonicalPath(), Temp());
}

TEST_F(CQtPlatformServicesTest, SavingOverAnExistingFileAsksFirstAndNoKeepsTheDialogOpen) {
    TestFiles::WriteAll(Temp("maps/old.kvl").toStdString(), "old");
    int nQuestions = 0;
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) { TypeAndConfirm(dialog, "maps/old.kvl"); });
    driver.When<QMessageBox>([&](QMessageBox& box) {
        ++nQuestions;
        box.button(QMessageBox::No)->click();
    });
    driver.When<QFileDialog>([&](QFileDialog& dialog) { TypeAndConfirm(dialog, "maps/old.kvl"); });
    driver.When<QMessageBox>([&](QMessageBox& box) {
        ++nQuestions;
        box.button(QMessageBox::Yes)->click();
    });
    const std::optional<std::string> chosen = m_Services.RunFileDialog(SaveRequest(""));

    EXPECT_EQ(nQuestions, 2);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, Temp("maps/old.kvl").toStdString());
    EXPECT_EQ(TestFiles::ReadAll(*chosen), "old") << "the dialog only chooses";
}

TEST_F(CQtPlatformServicesTest, OpenDialogTakesANameOfAFileThatDoesNotExist) {
    FileDialogRequest request;
    request.strDefaultExt = "map";
    request.strFilter = "Map Files (*.map)|*.map||";
    QFileDialog::AcceptMode eMode = QFileDialog::AcceptSave;
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        eMode = dialog.acceptMode();
        TypeAndConfirm(dialog, "maps/new room");
    });
    const std::optional<std::string> chosen = m_Services.RunFileDialog(request);

    EXPECT_EQ(eMode, QFileDialog::AcceptOpen);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, Temp("maps/new room.map").toStdString());
    EXPECT_FALSE(TestFiles::Exists(*chosen));
}

TEST_F(CQtPlatformServicesTest, TheExecutablePathIsThisProgramsOwn) {
    EXPECT_EQ(m_Services.GetExecutablePath(), CModulePath::Get());
    EXPECT_EQ(QFileInfo(QString::fromStdString(m_Services.GetExecutablePath())).fileName(),
              "kvl_platform_qt_tests");
}

}  // namespace
