#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <typeinfo>

// Drives modal windows from inside their own event loops, so a test can run DoModal and
// everything it opens as a person would. Steps run in order, each once the modal window it
// expects is the active one and has the focus. When a modal window stays open with no step for it,
// the test fails and every modal window is closed: no test ever blocks.
class CModalDriver {
public:
    explicit CModalDriver(std::chrono::milliseconds patience = std::chrono::seconds(10));
    ~CModalDriver();  // fails the test for steps that never ran
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    // The next step acts on the active modal window once it is a T.
    template <class T, class Action>
    void When(Action action) {
        Add(
            typeid(T).name(), [](QWidget& window) { return dynamic_cast<T*>(&window) != nullptr; },
            [action](QWidget& window) mutable { action(dynamic_cast<T&>(window)); });
    }

    bool AllStepsRan() const { return m_Steps.empty(); }

private:
    struct Step {
        std::string strLabel;
        std::function<bool(QWidget&)> matches;
        std::function<void(QWidget&)> act;
    };

    void Add(std::string label, std::function<bool(QWidget&)> matches,
             std::function<void(QWidget&)> act);
    void ScheduleNextPoll();
    void Poll();
    void GiveUp(const QWidget& window);

    std::deque<Step> m_Steps;
    QObject m_Context;  // pending polls end with the driver
    QElapsedTimer m_SinceProgress;
    std::chrono::milliseconds m_Patience;
    bool m_bGivenUp = false;
};

// Closes every modal window and popup without asking anything.
void CloseAllModalWindows();
