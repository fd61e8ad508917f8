#include "support/PointerInput.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWidget>

namespace testsupport {

void PointerInput::sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, int afterMs) {
    time_ += std::uint64_t(afterMs);
    QMouseEvent event(type, QPointF(at), widget_.mapToGlobal(QPointF(at)), button, buttons_,
                      Qt::NoModifier, QPointingDevice::primaryPointingDevice());
    event.setTimestamp(time_);
    QCoreApplication::sendEvent(&widget_, &event);
}

void PointerInput::press(QPoint at, int afterMs) {
    buttons_ |= Qt::LeftButton;
    sendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, afterMs);
}

void PointerInput::move(QPoint at, int afterMs) {
    sendMouse(QEvent::MouseMove, at, Qt::NoButton, afterMs);
}

void PointerInput::release(QPoint at, int afterMs) {
    buttons_ &= ~Qt::MouseButtons(Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, afterMs);
}

void PointerInput::click(QPoint at, int afterMs) {
    press(at, afterMs);
    release(at);
}

void PointerInput::doubleClick(QPoint at, int afterMs) {
    click(at, afterMs);
    press(at);
    sendMouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, 0);
    release(at);
}

void PointerInput::drag(const std::vector<QPoint>& path, int stepMs) {
    if (path.empty())
        return;
    press(path.front(), stepMs);
    for (std::size_t i = 1; i < path.size(); ++i)
        move(path[i], stepMs);
    release(path.back(), stepMs);
}

bool PointerInput::nativeGesture(Qt::NativeGestureType type, double value, QPointF at) {
    QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, at, at,
                              widget_.mapToGlobal(at), value, QPointF());
    event.ignore();
    QCoreApplication::sendEvent(&widget_, &event);
    return event.isAccepted();
}

void PointerInput::pinch(QPointF at, double increment) {
    nativeGesture(Qt::BeginNativeGesture, 0, at);
    nativeGesture(Qt::ZoomNativeGesture, increment, at);
    nativeGesture(Qt::EndNativeGesture, 0, at);
}

bool PointerInput::wheel(QPointF at, int angle, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, widget_.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    event.ignore();
    QCoreApplication::sendEvent(&widget_, &event);
    return event.isAccepted();
}

} // namespace testsupport
