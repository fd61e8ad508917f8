#include "Charting/utils/MediaClock.h"

#include "platform/Scheduler.h"

namespace charting {
namespace {
const MediaClock*& current() {
    static const MediaClock* clock = nullptr;
    return clock;
}
} // namespace

double mediaTime() {
    if (const MediaClock* clock = current())
        return clock->now();
    return platform::scheduler().now();
}

ScopedMediaClock::ScopedMediaClock(const MediaClock& clock) : previous_(current()) {
    current() = &clock;
}

ScopedMediaClock::~ScopedMediaClock() {
    current() = previous_;
}

} // namespace charting
