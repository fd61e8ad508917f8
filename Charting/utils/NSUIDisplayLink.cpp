#include "Charting/utils/NSUIDisplayLink.h"

#include "Charting/utils/DisplayTicker.h"
#include "platform/MainQueue.h"

#include <QDateTime>

namespace charting {

std::shared_ptr<NSUIDisplayLink> NSUIDisplayLink::create(std::weak_ptr<void> target,
                                                         std::function<void()> operation) {
    return std::make_shared<NSUIDisplayLink>(std::move(target), std::move(operation));
}

NSUIDisplayLink::NSUIDisplayLink(std::weak_ptr<void> target, std::function<void()> operation)
    : displayLink_(makeDisplayTicker()), target_(std::move(target)),
      operation_(std::move(operation)) {}

NSUIDisplayLink::~NSUIDisplayLink() {
    invalidate();
}

void NSUIDisplayLink::addToRunLoop() {
    if (invalidated_ || running_)
        return;
    running_ = true;
    if (displayLink_) {
        std::weak_ptr<NSUIDisplayLink> weakSelf = weak_from_this();
        displayLink_->start([this, weakSelf]() {
            // On the ticker's thread: note the time and hand the step to the main thread.
            timestamp_.store(QDateTime::currentMSecsSinceEpoch() / 1000.0);
            platform::runOnMain([weakSelf]() {
                if (auto self = weakSelf.lock())
                    self->fire();
            });
        });
    } else {
        timer_.startRepeating(kFallbackInterval, [this]() { fire(); });
    }
}

void NSUIDisplayLink::invalidate() {
    invalidated_ = true;
    running_ = false;
    if (displayLink_)
        displayLink_->stop();
    timer_.stop();
}

void NSUIDisplayLink::fire() {
    if (!running_)
        return;
    // Keep this link alive while its target steps: the step may drop the target's reference.
    std::shared_ptr<NSUIDisplayLink> keep = weak_from_this().lock();
    if (auto target = target_.lock())
        operation_();
}

} // namespace charting
