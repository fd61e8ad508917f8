#include "platform/MainQueue.h"

#include "platform/Fatal.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace platform {

bool isMainThread() {
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void runOnMain(std::function<void()> fn) {
    auto* app = QCoreApplication::instance();
    if (!app)
        fatal("runOnMain called without an application object");
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void runOnMainAndWait(const std::function<void()>& fn) {
    if (isMainThread()) {
        fn();
        return;
    }
    auto* app = QCoreApplication::instance();
    if (!app)
        fatal("runOnMainAndWait called without an application object");
    QMetaObject::invokeMethod(app, [&fn]() { fn(); }, Qt::BlockingQueuedConnection);
}

void run(const std::function<void()>& fn) {
    if (fn) {
        const std::function<void()> copy = fn;
        copy();
    }
}

} // namespace platform
