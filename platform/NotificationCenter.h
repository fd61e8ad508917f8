#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace platform {

using UserInfo = std::map<std::string, std::any>;

struct Notification {
    std::string name;
    const void* sender = nullptr;
    UserInfo userInfo;
};

// In-process notifications by name. Observers are called on the main thread, in the order
// they were added; a post from another thread is handed to the main thread first.
class NotificationCenter {
public:
    using Token = std::uint64_t;
    using Observer = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    // Observes `name` (empty: every name) from `sender` (null: any sender).
    Token addObserver(const std::string& name, const void* sender, Observer observer);
    void removeObserver(Token token);

    void post(const std::string& name, const void* sender, UserInfo userInfo = {});

private:
    void deliver(const Notification& n);

    struct Entry {
        std::string name;
        const void* sender;
        Observer observer;
    };
    Token nextToken_ = 1;
    std::map<Token, Entry> observers_;
};

// Removes its observer when destroyed.
class Observation {
public:
    Observation() = default;
    Observation(const std::string& name, const void* sender, NotificationCenter::Observer observer,
                NotificationCenter& center = NotificationCenter::defaultCenter());
    ~Observation() { reset(); }
    Observation(Observation&& other) noexcept;
    Observation& operator=(Observation&& other) noexcept;
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;

    void reset();

private:
    NotificationCenter* center_ = nullptr;
    NotificationCenter::Token token_ = 0;
};

} // namespace platform
