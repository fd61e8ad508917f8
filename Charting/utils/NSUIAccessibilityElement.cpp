#include "Charting/utils/NSUIAccessibilityElement.h"

#include <QAccessible>

namespace charting {

std::shared_ptr<NSUIAccessibilityElement> NSUIAccessibilityElement::create(QWidget* containerView) {
    return std::make_shared<NSUIAccessibilityElement>(containerView);
}

NSUIAccessibilityElement::NSUIAccessibilityElement(QWidget* containerView)
    : containerView_(containerView) {}

void NSUIAccessibilityElement::setElementFrame(const platform::Rect& frameInContainer) {
    QWidget* container = containerView_.data();
    if (!container)
        return;
    const platform::Rect r = frameInContainer.standardized();
    const QPointF topLeft = container->mapToGlobal(QPointF(r.origin.x, r.origin.y));
    frame_ = platform::Rect(topLeft.x(), topLeft.y(), r.size.width, r.size.height);
}

void accessibilityPostLayoutChangedNotification(const NSUIAccessibilityElement* element) {
    if (!element || !element->containerView())
        return;
    QAccessibleEvent event(element->containerView(), QAccessible::LocationChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace charting
