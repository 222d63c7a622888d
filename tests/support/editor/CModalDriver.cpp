#include "CModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>

namespace {

std::string Describe(const QWidget& window) {
    return std::string(window.metaObject()->className()) + " \"" +
           window.windowTitle().toStdString() + "\" (" + window.objectName().toStdString() + ")";
}

}  // namespace

void CloseAllModalWindows() {
    for (int nGuard = 0; nGuard < 50; ++nGuard) {
        QWidget* pWindow = QApplication::activePopupWidget();
        if (pWindow == nullptr) {
            pWindow = QApplication::activeModalWidget();
        }
        if (pWindow == nullptr) {
            return;
        }
        if (auto* pDialog = qobject_cast<QDialog*>(pWindow)) {
            pDialog->done(2);  // IDCANCEL, QFileDialog's and QMessageBox's "not accepted"
        } else {
            pWindow->close();
        }
    }
}

CModalDriver::CModalDriver(std::chrono::milliseconds patience) : m_Patience(patience) {
    m_SinceProgress.start();
    ScheduleNextPoll();
}

CModalDriver::~CModalDriver() {
    for (const Step& step : m_Steps) {
        ADD_FAILURE() << "A step for " << step.strLabel << " never ran";
    }
}

void CModalDriver::Add(std::string label, std::function<bool(QWidget&)> matches,
                       std::function<void(QWidget&)> act) {
    m_Steps.push_back({std::move(label), std::move(matches), std::move(act)});
}

void CModalDriver::ScheduleNextPoll() {
    // A fresh timer each time: a timer whose handler is still running (an action inside a
    // modal loop) would not fire again, and steps for nested windows would never run.
    QTimer::singleShot(5, &m_Context, [this] { Poll(); });
}

void CModalDriver::Poll() {
    ScheduleNextPoll();
    QWidget* pWindow = QApplication::activeModalWidget();
    if (pWindow == nullptr || !pWindow->isVisible()) {
        m_SinceProgress.restart();
        return;
    }
    if (m_bGivenUp) {
        CloseAllModalWindows();
        return;
    }
    if (!m_Steps.empty() && m_Steps.front().matches(*pWindow)) {
        if (!pWindow->isActiveWindow()) {
            // Keys and shortcuts go to the active window: act once it has the focus.
            pWindow->activateWindow();
            return;
        }
        // Taken off first: the action may open a modal window whose steps run inside it.
        Step step = std::move(m_Steps.front());
        m_Steps.pop_front();
        m_SinceProgress.restart();
        step.act(*pWindow);
        m_SinceProgress.restart();
        return;
    }
    if (m_SinceProgress.elapsed() > m_Patience.count()) {
        GiveUp(*pWindow);
    }
}

void CModalDriver::GiveUp(const QWidget& window) {
    ADD_FAILURE() << "The modal window " << Describe(window) << " stayed open; next step: "
                  << (m_Steps.empty() ? std::string("none") : m_Steps.front().strLabel);
    m_bGivenUp = true;
    m_Steps.clear();
    CloseAllModalWindows();
}
