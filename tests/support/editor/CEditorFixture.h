#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <ostream>
#include <string>

#include "CModalDriver.h"
#include "CScriptedPlatformServices.h"
#include "TestFiles.h"
#include "config/CGeneratorSettings.h"
#include "dialogs/CKVLEditApp.h"
#include "dialogs/framework/CTemplateDialog.h"
#include "res/Resource.h"

// An editor over a temporary folder: the executable "lies" in <temp>/bin, so the shared
// profile is <temp>/bin/Gridforge.INI, and the desktop is scripted. Every test starts from
// fresh settings and must leave no window open.
class CEditorFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_TempDir.path()).mkpath(QStringLiteral("bin")));
        theSettings = CGeneratorSettings();
        m_Services.SetExecutablePath(TempPath("bin/kvledit"));
        m_App.SetProfilePath();
    }

    void TearDown() override {
        QApplication::processEvents();
        for (const QWidget* pWidget : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(pWidget->isVisible())
                << "left open: " << pWidget->metaObject()->className();
        }
    }

    std::string TempPath(const std::string& relative) const {
        return QDir(m_TempDir.path()).filePath(QString::fromStdString(relative)).toStdString();
    }

    QTemporaryDir m_TempDir;
    CScriptedPlatformServices m_Services;
    CKVLEditApp m_App{m_Services};
    CModalDriver m_Driver;
};

// The control of that id as T; a missing control stops the test run with its id.
template <class T>
T& Control(const CTemplateDialog& dialog, int nId) {
    T* pControl = dynamic_cast<T*>(dialog.GetDlgItem(nId));
    if (pControl == nullptr) {
        qFatal("%s has no control %d of the expected kind", qPrintable(dialog.objectName()), nId);
    }
    return *pControl;
}

inline void PrintTo(const QString& text, std::ostream* pOut) {
    *pOut << '"' << text.toStdString() << '"';
}
