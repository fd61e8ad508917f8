#include "OVX_Configurator/UserNotificationCenter.h"

#include <algorithm>

UserNotificationCenter& UserNotificationCenter::defaultCenter() {
    static UserNotificationCenter center;
    return center;
}

void UserNotificationCenter::removeDeliveredNotification(const UserNotification& notification) {
    std::erase_if(delivered_, [&](const UserNotification& n) {
        return n.identifier == notification.identifier;
    });
}

void UserNotificationCenter::deliver(const UserNotification& notification) {
    delivered_.push_back(notification);
    if (delegate_)
        delegate_->userNotificationCenterDidDeliverNotification(*this, notification);
}

void UserNotificationCenter::activate(const UserNotification& notification) {
    if (delegate_)
        delegate_->userNotificationCenterDidActivateNotification(*this, notification);
}
