#pragma once

#include "platform/Geometry.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QInputEvent;
class QMouseEvent;
class QNativeGestureEvent;
class QWheelEvent;

namespace charting {

// Where a gesture stands. Clicks go straight from possible to ended; continuous gestures pass
// through began and changed to ended or cancelled. After the action has seen ended or cancelled
// the recogniser is possible again.
enum class GestureRecognizerState : int {
    possible = 0,
    began = 1,
    changed = 2,
    ended = 3,
    cancelled = 4,
};

// What a recogniser looks for: clicks (a number of them in quick succession), a drag with the
// left mouse button, a magnification (touchpad pinch, or Ctrl + wheel) or a rotation (touchpad).
enum class GestureKind : int { click, pan, magnification, rotation };

class GestureRecognizer;

// Asked by the tracker when a continuous gesture would start while another one runs.
class GestureRecognizerDelegate {
public:
    virtual ~GestureRecognizerDelegate() = default;
    // Whether `recognizer` may run together with `other`; by default not (the one that runs
    // first keeps the input).
    virtual bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
        GestureRecognizer& recognizer, GestureRecognizer& other) {
        (void)recognizer, (void)other;
        return false;
    }
};

// One gesture of a view: its state and what it measured, and the action run on every change of
// state. Created by its owner and handed to the view's GestureTracker.
class GestureRecognizer {
public:
    using Action = std::function<void(GestureRecognizer&)>;

    static std::shared_ptr<GestureRecognizer> create(GestureKind kind, Action action);
    GestureRecognizer(GestureKind kind, Action action);
    virtual ~GestureRecognizer() = default;
    GestureRecognizer(const GestureRecognizer&) = delete;
    GestureRecognizer& operator=(const GestureRecognizer&) = delete;

    GestureKind kind() const { return kind_; }
    GestureRecognizerState state() const { return state_; }
    bool isActive() const {
        return state_ == GestureRecognizerState::began || state_ == GestureRecognizerState::changed;
    }

    // A disabled recogniser recognises nothing; disabling a running gesture cancels it.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Not owned.
    GestureRecognizerDelegate* delegate() const { return delegate_; }
    void setDelegate(GestureRecognizerDelegate* delegate) { delegate_ = delegate; }

    // Clicks: how many clicks in quick succession make the gesture (1 or 2).
    int numberOfClicksRequired() const { return numberOfClicksRequired_; }
    void setNumberOfClicksRequired(int clicks) { numberOfClicksRequired_ = clicks; }

    // The view the recogniser's tracker watches (nullptr before it is added to one).
    QWidget* view() const { return view_; }
    // Where the gesture is, in the view's coordinates.
    platform::Point location() const { return location_; }
    // Pan: the distance moved since the button went down, and the speed over the last
    // 0.1 seconds (points per second).
    platform::Point translation() const { return translation_; }
    platform::Point velocity() const { return velocity_; }
    // Magnification: the change of scale since the gesture began or since it was last set
    // (0 is no change, 0.1 is 10 % larger). The owner may set it back to 0 after applying it.
    double magnification() const { return magnification_; }
    void setMagnification(double magnification) { magnification_ = magnification; }
    // Rotation: the angle turned, in radians, since the gesture began or since it was last set.
    double rotation() const { return rotation_; }
    void setRotation(double rotation) { rotation_ = rotation; }

private:
    friend class GestureTracker;
    // Moves to `state` and runs the action; ended and cancelled fall back to possible after it.
    void transition(GestureRecognizerState state);

    GestureKind kind_;
    Action action_;
    GestureRecognizerState state_ = GestureRecognizerState::possible;
    bool enabled_ = true;
    GestureRecognizerDelegate* delegate_ = nullptr;
    int numberOfClicksRequired_ = 1;
    QPointer<QWidget> view_;
    platform::Point location_;
    platform::Point translation_;
    platform::Point velocity_;
    double magnification_ = 0;
    double rotation_ = 0;
};

// Recognises gestures on one view from Qt's mouse, wheel and native gesture events and runs the
// recognisers' actions:
// - clicks with the left button (a second click within the platform's double-click interval and
//   distance counts as a double click; then counting starts again);
// - a pan once the left button has moved more than kPanThreshold points, with the speed of the
//   last 0.1 seconds when the button is released;
// - a magnification from the touchpad's zoom increments, or one step per Ctrl + wheel notch;
// - a rotation from the touchpad's rotation increments.
// Losing the mouse (a missed release shown by the next press, the window deactivated, the view
// hidden) cancels what is running. Plain wheel events pass on to the view's parents (an enclosing scroll area).
// A meta-object class, so that trackerOf finds it by its type among a widget's children.
class GestureTracker : public QObject {
    Q_OBJECT

public:
    static constexpr double kPanThreshold = 3.0;
    static constexpr double kVelocityWindow = 0.1;
    // Scale factor of one Ctrl + wheel notch.
    static constexpr double kWheelStepScale = 1.1;

    // Watches `view`, whose child it becomes.
    explicit GestureTracker(QWidget* view);
    ~GestureTracker() override;

    void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    void removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }
    // The tracker that watches `view`, if any (none when no child of `view` is a tracker).
    static GestureTracker* trackerOf(const QWidget* view);

    // Cancels every running gesture and forgets the button.
    void cancelAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sample {
        double time;
        platform::Point position;
    };

    bool mousePressed(QMouseEvent* event);
    bool mouseMoved(QMouseEvent* event);
    bool mouseReleased(QMouseEvent* event);
    bool wheelTurned(QWheelEvent* event);
    bool nativeGesture(QNativeGestureEvent* event);
    // Starts `recognizer` unless another running gesture keeps it out.
    bool begin(GestureRecognizer& recognizer, platform::Point location);
    void addSample(double time, platform::Point position);
    platform::Point velocity() const;
    // The first enabled recogniser of that kind.
    std::shared_ptr<GestureRecognizer> firstOfKind(GestureKind kind) const;
    int mostClicksRequired() const;

    QWidget* view_;
    std::vector<std::shared_ptr<GestureRecognizer>> recognizers_;
    // The left button.
    bool pressed_ = false;
    platform::Point pressPosition_;
    bool panning_ = false;
    std::deque<Sample> samples_;
    // Click counting.
    int clickCount_ = 0;
    std::uint64_t lastPressTime_ = 0;
    platform::Point lastPressPosition_;
};

} // namespace charting
