#pragma once

#include "platform/Scheduler.h"

#include <atomic>
#include <functional>
#include <memory>

namespace charting {

class DisplayTicker;

// Calls a target's step operation once per display frame on the main thread: from the display's
// ticker when one can be made (its ticks are handed to the main thread), otherwise from a
// repeating 1/60-second timer. The target is held weakly: once it is gone the link fires into
// nothing until it is invalidated. A stopped link is never restarted; make a new one.
class NSUIDisplayLink : public std::enable_shared_from_this<NSUIDisplayLink> {
public:
    static constexpr double kFallbackInterval = 0.016666666666666666;

    static std::shared_ptr<NSUIDisplayLink> create(std::weak_ptr<void> target,
                                                   std::function<void()> operation);
    NSUIDisplayLink(std::weak_ptr<void> target, std::function<void()> operation);
    virtual ~NSUIDisplayLink();
    NSUIDisplayLink(const NSUIDisplayLink&) = delete;
    NSUIDisplayLink& operator=(const NSUIDisplayLink&) = delete;

    // Time of the last display tick (absolute seconds); stays 0 on the timer fallback.
    virtual double timestamp() const { return timestamp_.load(); }
    // Starts the ticks on the main thread.
    virtual void addToRunLoop();
    // Stops the ticks for good.
    virtual void invalidate();

    bool usesDisplayTicker() const { return displayLink_ != nullptr; }
    bool isRunning() const { return running_; }

private:
    void fire();

    platform::Timer timer_;
    std::unique_ptr<DisplayTicker> displayLink_;
    std::atomic<double> timestamp_{0.0};
    std::weak_ptr<void> target_;
    std::function<void()> operation_;
    bool running_ = false;
    bool invalidated_ = false;
};

} // namespace charting
