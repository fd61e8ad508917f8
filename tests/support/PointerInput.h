#pragma once

#include <QEvent>
#include <QPoint>
#include <QPointF>
#include <Qt>

#include <cstdint>
#include <vector>

class QWidget;

namespace testsupport {

// Mouse, wheel and touchpad input sent straight to one widget, in the order the platform
// delivers it, with event times (milliseconds) that move only as the caller says.
class PointerInput {
public:
    explicit PointerInput(QWidget& widget) : widget_(widget) {}

    // The left button, each `afterMs` after the previous event.
    void press(QPoint at, int afterMs = 10);
    void move(QPoint at, int afterMs = 10);
    void release(QPoint at, int afterMs = 10);
    // Press and release 10 ms apart, `afterMs` after the previous event (by default long enough
    // not to make a double click with it).
    void click(QPoint at, int afterMs = 1000);
    // Two clicks 10 ms apart, as Qt delivers them: press, release, press, double click, release.
    void doubleClick(QPoint at, int afterMs = 1000);
    // Press at the first point, a move to each next one and the release at the last one, one
    // every `stepMs`.
    void drag(const std::vector<QPoint>& path, int stepMs = 10);

    // A touchpad gesture event; whether the widget took it.
    bool nativeGesture(Qt::NativeGestureType type, double value, QPointF at);
    // Begin, one zoom increment, end.
    void pinch(QPointF at, double increment);
    // A wheel turned by `angle` eighths of a degree; whether the widget took it.
    bool wheel(QPointF at, int angle, Qt::KeyboardModifiers modifiers);

    std::uint64_t time() const { return time_; }

private:
    void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, int afterMs);

    QWidget& widget_;
    std::uint64_t time_ = 1'000'000;
    Qt::MouseButtons buttons_;
};

} // namespace testsupport
