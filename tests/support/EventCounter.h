#pragma once

#include <QEvent>
#include <QObject>

namespace testsupport {

// Counts the events of one type that reach the objects it is installed on as an event filter;
// lets every event through.
struct EventCounter : QObject {
    explicit EventCounter(QEvent::Type counted) : type(counted) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type)
            ++count;
        return false;
    }
    QEvent::Type type;
    int count = 0;
};

} // namespace testsupport
