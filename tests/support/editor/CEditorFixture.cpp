#include "CEditorFixture.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include "config/CGeneratorSettings.h"

void CEditorFixture::SetUp() {
    ASSERT_TRUE(m_TempDir.isValid());
    ASSERT_TRUE(QDir(m_TempDir.path()).mkpath(QStringLiteral("bin")));
    theSettings = CGeneratorSettings();
    m_Services.SetExecutablePath(TempPath("bin/kvledit"));
    m_pApp = std::make_unique<CKVLEditApp>(m_Services);
    m_pApp->SetProfilePath();
}

void CEditorFixture::TearDown() {
    QApplication::processEvents();
    for (const QWidget* pWidget : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(pWidget->isVisible()) << "left open: " << pWidget->metaObject()->className()
                                           << " " << pWidget->objectName().toStdString();
    }
    m_pApp.reset();
    theSettings = CGeneratorSettings();
}

std::string CEditorFixture::TempPath(const std::string& relative) const {
    return QDir(m_TempDir.path()).filePath(QString::fromStdString(relative)).toStdString();
}
