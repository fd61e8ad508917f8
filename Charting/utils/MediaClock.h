#pragma once

namespace charting {

// The monotonic clock that animations measure their time on, in seconds.
class MediaClock {
public:
    virtual ~MediaClock() = default;
    virtual double now() const = 0;
};

// The current media time: the installed clock's, or else the platform scheduler's monotonic
// clock (which a test's ManualScheduler steps by hand).
double mediaTime();

// Installs `clock` as the media clock for the lifetime of the guard.
class ScopedMediaClock {
public:
    explicit ScopedMediaClock(const MediaClock& clock);
    ~ScopedMediaClock();
    ScopedMediaClock(const ScopedMediaClock&) = delete;
    ScopedMediaClock& operator=(const ScopedMediaClock&) = delete;

private:
    const MediaClock* previous_;
};

} // namespace charting
