#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "CModalDriver.h"
#include "QtPrinters.h"
#include "TestFiles.h"
#include "platform/qt/CQtPlatformServices.h"

namespace {

struct MessageCase {
    MessageBoxType eType;
    QMessageBox::StandardButton eClicked;  // NoButton: Escape
    MessageBoxResult eExpected;
};

void PrintTo(const MessageCase& message, std::ostream* pOut) {
    *pOut << static_cast<int>(message.eType) << "/" << message.eClicked;
}

class CQtMessageBoxTest : public testing::TestWithParam<MessageCase> {};

TEST_P(CQtMessageBoxTest, ShowsThePlainTextUnderTheProgramsNameAndReturnsTheAnswer) {
    const MessageCase& message = GetParam();
    QStringList seen;
    CModalDriver driver;
    driver.When<QMessageBox>([&](QMessageBox& box) {
        seen << box.windowTitle() << box.text() << QString::number(box.buttons().size());
        if (message.eClicked == QMessageBox::NoButton) {
            QTest::keyClick(&box, Qt::Key_Escape);
        } else {
            box.button(message.eClicked)->click();
        }
    });
    CQtPlatformServices services;
    EXPECT_EQ(services.ShowMessageBox("Line one\n<b>not bold</b> & more", message.eType),
              message.eExpected);
    EXPECT_EQ(seen, QStringList({"KVLEdit", "Line one\n<b>not bold</b> & more",
                                 message.eType == MessageBoxType::Ok ? "1" : "2"}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CQtMessageBoxTest,
    testing::Values(MessageCase{MessageBoxType::Ok, QMessageBox::Ok, MessageBoxResult::Ok},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::Yes, MessageBoxResult::Yes},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::No, MessageBoxResult::No},
                    MessageCase{MessageBoxType::YesNo, QMessageBox::NoButton,
                                MessageBoxResult::No}));

// Every file dialog test runs in a temporary current directory and puts the old one back.
class CQtFileDialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_TempDir.path()).mkpath("maps"));
        m_strOldCurrent = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_TempDir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_strOldCurrent); }

    std::string Temp(const QString& relative) const {
        return QDir(QDir(m_TempDir.path()).canonicalPath()).filePath(relative).toStdString();
    }

    static QLineEdit& NameField(QFileDialog& dialog) {
        return *dialog.findChild<QLineEdit*>("fileNameEdit");
    }

    // The next file dialog gets name typed into it (empty: the proposal) and Enter.
    static void Confirm(CModalDriver& driver, const QString& name) {
        driver.When<QFileDialog>([name](QFileDialog& dialog) {
            if (!name.isEmpty()) {
                NameField(dialog).clear();
                QTest::keyClicks(&NameField(dialog), name);
            }
            QTest::keyClick(&NameField(dialog), Qt::Key_Return);
        });
    }

    static FileDialogRequest Request(FileDialogRequest::Kind eKind, const std::string& ext) {
        return {eKind, ext, eKind == FileDialogRequest::Kind::Save ? "room1.KVL" : "",
                ext == "kvl" ? "KVL Files (*.kvl)|*.kvl||" : "Map Files (*.map)|*.map||"};
    }

    QTemporaryDir m_TempDir;
    QString m_strOldCurrent;
    CQtPlatformServices m_Services;
};

TEST_F(CQtFileDialogTest, OpensInTheCurrentDirectoryAndAConfirmedChoiceMovesItThere) {
    const FileDialogRequest save = Request(FileDialogRequest::Kind::Save, "kvl");
    CModalDriver driver;
    driver.When<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().canonicalPath().toStdString(), Temp(""));
        EXPECT_EQ(dialog.nameFilters(), QStringList{"KVL Files (*.kvl)"});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(NameField(dialog).text(), "room1.KVL");
        QTest::keyClick(&NameField(dialog), Qt::Key_Escape);
    });
    EXPECT_EQ(m_Services.RunFileDialog(save), std::nullopt);
    Confirm(driver, "");
    EXPECT_EQ(m_Services.RunFileDialog(save), Temp("room1.KVL")) << "the proposal keeps its case";
    Confirm(driver, "maps/castle");
    EXPECT_EQ(m_Services.RunFileDialog(save), Temp("maps/castle.kvl"));
    EXPECT_EQ(QDir::current().canonicalPath().toStdString(), Temp("maps"));
    // An open dialog takes the name of a file that does not exist.
    Confirm(driver, "new room");
    EXPECT_EQ(m_Services.RunFileDialog(Request(FileDialogRequest::Kind::Open, "map")),
              Temp("maps/new room.map"));
}

TEST_F(CQtFileDialogTest, SavingOverAnExistingFileAsksFirstAndNoKeepsTheDialogOpen) {
    TestFiles::WriteAll(Temp("maps/old.kvl"), "old");
    int nQuestions = 0;
    CModalDriver driver;
    for (const QMessageBox::StandardButton eAnswer : {QMessageBox::No, QMessageBox::Yes}) {
        Confirm(driver, "maps/old.kvl");
        driver.When<QMessageBox>([&nQuestions, eAnswer](QMessageBox& box) {
            ++nQuestions;
            box.button(eAnswer)->click();
        });
    }
    EXPECT_EQ(m_Services.RunFileDialog(Request(FileDialogRequest::Kind::Save, "kvl")),
              Temp("maps/old.kvl"));
    EXPECT_EQ(nQuestions, 2);
    EXPECT_EQ(TestFiles::ReadAll(Temp("maps/old.kvl")), "old") << "the dialog only chooses";
}

}  // namespace
