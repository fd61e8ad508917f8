#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace platform {

// Timers and delayed work on the main thread. All program code asks `scheduler()` for the
// current one, so that tests can install a ManualScheduler and step time by hand.
class Scheduler {
public:
    using Id = std::uint64_t; // 0 is never a valid id

    virtual ~Scheduler() = default;

    // Seconds on a monotonic clock.
    virtual double now() const = 0;
    // Runs `fn` once on the main thread after `delay` seconds.
    virtual Id after(double delay, std::function<void()> fn) = 0;
    // Runs `fn` on the main thread every `interval` seconds until cancelled.
    virtual Id every(double interval, std::function<void()> fn) = 0;
    // Cancels a pending timer; unknown or finished ids are ignored.
    virtual void cancel(Id id) = 0;
    virtual bool isActive(Id id) const = 0;
};

// The scheduler in use (a QtScheduler unless a test installed another).
Scheduler& scheduler();

// Installs `s` as the current scheduler for the lifetime of the guard.
class ScopedScheduler {
public:
    explicit ScopedScheduler(Scheduler& s);
    ~ScopedScheduler();
    ScopedScheduler(const ScopedScheduler&) = delete;
    ScopedScheduler& operator=(const ScopedScheduler&) = delete;

private:
    Scheduler* previous_;
};

// Real timers on the Qt event loop.
class QtScheduler final : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;
    double now() const override;
    Id after(double delay, std::function<void()> fn) override;
    Id every(double interval, std::function<void()> fn) override;
    void cancel(Id id) override;
    bool isActive(Id id) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Time that moves only when a test says so.
class ManualScheduler final : public Scheduler {
public:
    double now() const override { return now_; }
    Id after(double delay, std::function<void()> fn) override;
    Id every(double interval, std::function<void()> fn) override;
    void cancel(Id id) override;
    bool isActive(Id id) const override;

    // Moves time forward by `seconds`, running every timer that falls due, in order of due time.
    void advance(double seconds);
    // Number of pending timers.
    std::size_t pending() const { return timers_.size(); }

private:
    struct Entry {
        double due;
        double interval; // 0 for a single shot
        std::function<void()> fn;
    };
    double now_ = 0;
    Id nextId_ = 1;
    std::map<Id, Entry> timers_;
};

// A timer owned by an object: stopped when restarted or destroyed, so its work never runs
// after its owner is gone.
class Timer {
public:
    Timer() = default;
    ~Timer() { stop(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void start(double delay, std::function<void()> fn);
    void startRepeating(double interval, std::function<void()> fn);
    void stop();
    bool isActive() const;

private:
    Scheduler* owner_ = nullptr;
    Scheduler::Id id_ = 0;
};

} // namespace platform
