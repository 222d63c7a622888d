#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QWidget>
#include <deque>
#include <functional>

// Drives modal windows from inside their own event loops, so a test can run DoModal and all it
// opens as a person would. Steps run in order, each on the active modal window once it has the
// focus and is of the step's kind. A modal window that nothing acts on for a while fails the
// test, and then the modal windows are closed: no test ever blocks.
class CModalDriver {
public:
    CModalDriver();
    ~CModalDriver();  // fails the test for steps that never ran

    template <class T, class Action>
    void When(Action action) {
        m_Steps.push_back([action](QWidget& window) mutable {
            T* pWindow = dynamic_cast<T*>(&window);
            if (pWindow != nullptr) {
                action(*pWindow);
            }
            return pWindow != nullptr;
        });
    }

private:
    void Poll();

    std::deque<std::function<bool(QWidget&)>> m_Steps;  // true: the step matched and ran
    QObject m_Context;                                  // pending polls end with the driver
    QElapsedTimer m_SinceProgress;
};
