#include "platform/NotificationCenter.h"
#include "support/EventLoop.h"

#include <gtest/gtest.h>

#include <thread>

using platform::Notification;
using platform::NotificationCenter;

TEST(NotificationCenter, DeliversByNameAndSenderInOrderOfRegistration) {
    NotificationCenter center;
    int a = 0, b = 0;
    std::vector<std::string> seen;
    center.addObserver("Opened", nullptr, [&](const Notification& n) {
        seen.push_back("any:" + n.name);
    });
    center.addObserver("Opened", &a, [&](const Notification& n) {
        seen.push_back("a:" + std::any_cast<std::string>(n.userInfo.at("0")));
    });
    center.addObserver("", &b, [&](const Notification& n) { seen.push_back("b:" + n.name); });

    center.post("Opened", &a, {{"0", std::string("port")}});
    center.post("Closed", &b);
    EXPECT_EQ(seen, (std::vector<std::string>{"any:Opened", "a:port", "b:Closed"}));
}

TEST(NotificationCenter, ObserverRemovedDuringDeliveryIsNotCalled) {
    NotificationCenter center;
    int calls = 0;
    NotificationCenter::Token second = 0;
    center.addObserver("X", nullptr, [&](const Notification&) {
        ++calls;
        center.removeObserver(second);
    });
    second = center.addObserver("X", nullptr, [&](const Notification&) { calls += 100; });
    center.post("X", nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, PostFromAnotherThreadIsDeliveredOnTheMainThread) {
    NotificationCenter center;
    std::thread::id deliveredOn;
    platform::Observation o("X", nullptr, [&](const Notification&) {
        deliveredOn = std::this_thread::get_id();
    }, center);
    std::thread([&] { center.post("X", nullptr); }).join();
    EXPECT_TRUE(testsupport::waitUntil([&] { return deliveredOn != std::thread::id(); }));
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
}

TEST(Observation, StopsObservingWhenDestroyed) {
    NotificationCenter center;
    int calls = 0;
    {
        platform::Observation o("X", nullptr, [&](const Notification&) { ++calls; }, center);
        center.post("X", nullptr);
    }
    center.post("X", nullptr);
    EXPECT_EQ(calls, 1);
}
