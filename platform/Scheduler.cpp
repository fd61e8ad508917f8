#include "platform/Scheduler.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cmath>
#include <limits>

namespace platform {
namespace {
Scheduler*& current() {
    static Scheduler* s = nullptr;
    return s;
}

int toMilliseconds(double seconds) {
    if (!(seconds > 0))
        return 0;
    double ms = std::ceil(seconds * 1000.0);
    return ms > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                : static_cast<int>(ms);
}
} // namespace

Scheduler& scheduler() {
    if (!current()) {
        static QtScheduler real;
        current() = &real;
    }
    return *current();
}

ScopedScheduler::ScopedScheduler(Scheduler& s) : previous_(&scheduler()) { current() = &s; }

ScopedScheduler::~ScopedScheduler() { current() = previous_; }

// ---- QtScheduler ----

struct QtScheduler::Impl {
    QElapsedTimer clock;
    Id nextId = 1;
    std::map<Id, QTimer*> timers;
};

QtScheduler::QtScheduler() : impl_(std::make_unique<Impl>()) { impl_->clock.start(); }

QtScheduler::~QtScheduler() {
    for (auto& [id, timer] : impl_->timers)
        delete timer;
}

double QtScheduler::now() const { return impl_->clock.nsecsElapsed() / 1e9; }

Scheduler::Id QtScheduler::after(double delay, std::function<void()> fn) {
    Id id = impl_->nextId++;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [this, id, fn = std::move(fn)]() {
        auto it = impl_->timers.find(id);
        if (it == impl_->timers.end())
            return;
        it->second->deleteLater();
        impl_->timers.erase(it);
        fn();
    });
    impl_->timers[id] = timer;
    timer->start(toMilliseconds(delay));
    return id;
}

Scheduler::Id QtScheduler::every(double interval, std::function<void()> fn) {
    Id id = impl_->nextId++;
    auto* timer = new QTimer;
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [fn = std::move(fn)]() { fn(); });
    impl_->timers[id] = timer;
    timer->start(std::max(1, toMilliseconds(interval)));
    return id;
}

void QtScheduler::cancel(Id id) {
    auto it = impl_->timers.find(id);
    if (it == impl_->timers.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    impl_->timers.erase(it);
}

bool QtScheduler::isActive(Id id) const { return impl_->timers.count(id) != 0; }

// ---- ManualScheduler ----

Scheduler::Id ManualScheduler::after(double delay, std::function<void()> fn) {
    Id id = nextId_++;
    timers_[id] = Entry{now_ + std::max(0.0, delay), 0.0, std::move(fn)};
    return id;
}

Scheduler::Id ManualScheduler::every(double interval, std::function<void()> fn) {
    Id id = nextId_++;
    double step = interval > 0 ? interval : 0.001;
    timers_[id] = Entry{now_ + step, step, std::move(fn)};
    return id;
}

void ManualScheduler::cancel(Id id) { timers_.erase(id); }

bool ManualScheduler::isActive(Id id) const { return timers_.count(id) != 0; }

void ManualScheduler::advance(double seconds) {
    const double target = now_ + std::max(0.0, seconds);
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == timers_.end())
            break;
        now_ = std::max(now_, next->second.due);
        std::function<void()> fn;
        if (next->second.interval > 0) {
            next->second.due += next->second.interval;
            fn = next->second.fn;
        } else {
            fn = std::move(next->second.fn);
            timers_.erase(next);
        }
        fn();
    }
    now_ = target;
}

// ---- Timer ----

void Timer::start(double delay, std::function<void()> fn) {
    stop();
    owner_ = &scheduler();
    id_ = owner_->after(delay, std::move(fn));
}

void Timer::startRepeating(double interval, std::function<void()> fn) {
    stop();
    owner_ = &scheduler();
    id_ = owner_->every(interval, std::move(fn));
}

void Timer::stop() {
    if (owner_ && id_)
        owner_->cancel(id_);
    owner_ = nullptr;
    id_ = 0;
}

bool Timer::isActive() const { return owner_ && id_ && owner_->isActive(id_); }

} // namespace platform
