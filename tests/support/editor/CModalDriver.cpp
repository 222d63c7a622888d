#include "CModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

CModalDriver::CModalDriver() {
    m_SinceProgress.start();
    Poll();
}

CModalDriver::~CModalDriver() {
    EXPECT_TRUE(m_Steps.empty()) << m_Steps.size() << " step(s) never ran";
}

void CModalDriver::Poll() {
    // A fresh timer each time: one whose handler is still running (a step inside a modal loop)
    // would not fire again, and steps for nested windows would never run.
    QTimer::singleShot(5, &m_Context, [this] { Poll(); });
    QWidget* pWindow = QApplication::activeModalWidget();
    if (pWindow == nullptr) {
        m_SinceProgress.restart();
    } else if (m_SinceProgress.elapsed() > 10000) {
        // Closed one by one, innermost first, until none is left.
        ADD_FAILURE() << "The modal window " << pWindow->metaObject()->className() << " \""
                      << pWindow->windowTitle().toStdString() << "\" stayed open";
        m_Steps.clear();
        if (auto* pDialog = qobject_cast<QDialog*>(pWindow)) {
            pDialog->done(2);  // IDCANCEL, and "not accepted" for Qt's own dialogs
        } else {
            pWindow->close();
        }
    } else if (!pWindow->isActiveWindow()) {
        pWindow->activateWindow();  // keys and shortcuts go to the active window
    } else if (!m_Steps.empty()) {
        // Taken off first: the step may open a modal window whose steps run inside it.
        std::function<bool(QWidget&)> step = std::move(m_Steps.front());
        m_Steps.pop_front();
        if (step(*pWindow)) {
            m_SinceProgress.restart();
        } else {
            m_Steps.push_front(std::move(step));
        }
    }
}
