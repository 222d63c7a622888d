#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>

// Drives modal windows from inside their own event loops, so a test can run DoModal and all it
// opens as a person would. Steps run in order, each on the active modal window once it has the
// focus and is of the step's kind. A modal window that nothing acts on for a while fails the
// test, and then the modal windows are closed: no test ever blocks.
class CModalDriver {
public:
    CModalDriver() {
        m_SinceProgress.start();
        Poll();
    }
    ~CModalDriver() { EXPECT_TRUE(m_Steps.empty()) << m_Steps.size() << " step(s) never ran"; }

    template <class T, class Action>
    void When(Action action) {
        m_Steps.push_back([action](QWidget& window) mutable {
            T* pWindow = dynamic_cast<T*>(&window);
            return pWindow != nullptr && (action(*pWindow), true);
        });
    }

private:
    void Poll() {
        // A fresh timer each time: one whose handler is still running (a step inside a modal
        // loop) would not fire again, and steps for nested windows would never run.
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

    std::deque<std::function<bool(QWidget&)>> m_Steps;  // true: the step matched and ran
    QObject m_Context;                                  // pending polls end with the driver
    QElapsedTimer m_SinceProgress;
};
