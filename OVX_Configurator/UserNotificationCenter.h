#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>
#include <vector>

// A desktop notification of the program and the user information it carries
// ({"MessageType": 2} for a program release, 3 for a firmware release).
struct UserNotification {
    QString identifier;
    QString title;
    QString informativeText;
    std::optional<QVariantMap> userInfo;
};

class UserNotificationCenter;

// Answers the centre's events; every operation is optional.
class UserNotificationCenterDelegate {
public:
    virtual ~UserNotificationCenterDelegate() = default;
    virtual void userNotificationCenterDidDeliverNotification(UserNotificationCenter&,
                                                              const UserNotification&) {}
    virtual void userNotificationCenterDidActivateNotification(UserNotificationCenter&,
                                                               const UserNotification&) {}
    virtual bool userNotificationCenterShouldPresentNotification(UserNotificationCenter&,
                                                                 const UserNotification&) {
        return false;
    }
};

// The program's notification centre: it keeps the delegate and the notifications delivered so
// far. Nothing in the program posts a notification yet; the desktop reports activations here.
class UserNotificationCenter {
public:
    static UserNotificationCenter& defaultCenter();

    UserNotificationCenterDelegate* delegate() const { return delegate_; }
    void setDelegate(UserNotificationCenterDelegate* delegate) { delegate_ = delegate; }

    const std::vector<UserNotification>& deliveredNotifications() const { return delivered_; }
    void removeDeliveredNotification(const UserNotification& notification);

    // The desktop showed `notification`: keeps it among the delivered ones and tells the
    // delegate.
    void deliver(const UserNotification& notification);
    // The user clicked `notification`: tells the delegate.
    void activate(const UserNotification& notification);

private:
    UserNotificationCenterDelegate* delegate_ = nullptr;
    std::vector<UserNotification> delivered_;
};
