#include "platform/NotificationCenter.h"

#include "platform/MainQueue.h"

#include <vector>

namespace platform {

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const std::string& name,
                                                          const void* sender, Observer observer) {
    Token token = nextToken_++;
    observers_[token] = Entry{name, sender, std::move(observer)};
    return token;
}

void NotificationCenter::removeObserver(Token token) { observers_.erase(token); }

void NotificationCenter::post(const std::string& name, const void* sender, UserInfo userInfo) {
    Notification n{name, sender, std::move(userInfo)};
    if (isMainThread()) {
        deliver(n);
    } else {
        runOnMain([this, n = std::move(n)]() { deliver(n); });
    }
}

void NotificationCenter::deliver(const Notification& n) {
    std::vector<Token> matching;
    for (const auto& [token, entry] : observers_) {
        if ((entry.name.empty() || entry.name == n.name) &&
            (entry.sender == nullptr || entry.sender == n.sender))
            matching.push_back(token);
    }
    for (Token token : matching) {
        auto it = observers_.find(token); // an observer may remove others while being called
        if (it == observers_.end())
            continue;
        Observer observer = it->second.observer;
        observer(n);
    }
}

Observation::Observation(const std::string& name, const void* sender,
                         NotificationCenter::Observer observer, NotificationCenter& center)
    : center_(&center), token_(center.addObserver(name, sender, std::move(observer))) {}

Observation::Observation(Observation&& other) noexcept
    : center_(other.center_), token_(other.token_) {
    other.center_ = nullptr;
    other.token_ = 0;
}

Observation& Observation::operator=(Observation&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = other.center_;
        token_ = other.token_;
        other.center_ = nullptr;
        other.token_ = 0;
    }
    return *this;
}

void Observation::reset() {
    if (center_ && token_)
        center_->removeObserver(token_);
    center_ = nullptr;
    token_ = 0;
}

} // namespace platform
