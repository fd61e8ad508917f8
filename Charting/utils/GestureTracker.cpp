#include "Charting/utils/GestureTracker.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QStyleHints>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charting {

namespace {

platform::Point pointOf(const QPointF& p) { return {p.x(), p.y()}; }

double distance(platform::Point a, platform::Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

bool isContinuous(GestureKind kind) { return kind != GestureKind::click; }

} // namespace

std::shared_ptr<GestureRecognizer> GestureRecognizer::create(GestureKind kind, Action action) {
    return std::make_shared<GestureRecognizer>(kind, std::move(action));
}

GestureRecognizer::GestureRecognizer(GestureKind kind, Action action)
    : kind_(kind), action_(std::move(action)) {}

void GestureRecognizer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && isActive())
        transition(GestureRecognizerState::cancelled);
}

void GestureRecognizer::transition(GestureRecognizerState state) {
    state_ = state;
    if (action_) {
        const Action action = action_; // the action may replace itself
        action(*this);
    }
    if (state_ == GestureRecognizerState::ended || state_ == GestureRecognizerState::cancelled)
        state_ = GestureRecognizerState::possible;
}

GestureTracker::GestureTracker(QWidget* view) : QObject(view), view_(view) {
    view_->installEventFilter(this);
}

GestureTracker::~GestureTracker() = default;

void GestureTracker::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    if (!recognizer || std::find(recognizers_.begin(), recognizers_.end(), recognizer) !=
                           recognizers_.end())
        return;
    recognizer->view_ = view_;
    recognizers_.push_back(recognizer);
}

void GestureTracker::removeGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer) {
    const auto found = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
    if (found == recognizers_.end())
        return;
    const auto kept = *found;
    recognizers_.erase(found);
    if (kept->isActive())
        kept->transition(GestureRecognizerState::cancelled);
    kept->view_ = nullptr;
}

GestureTracker* GestureTracker::trackerOf(const QWidget* view) {
    return view ? view->findChild<GestureTracker*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
}

void GestureTracker::cancelAll() {
    pressed_ = false;
    panning_ = false;
    samples_.clear();
    const auto recognizers = recognizers_;
    for (const auto& recognizer : recognizers)
        if (recognizer->isActive())
            recognizer->transition(GestureRecognizerState::cancelled);
}

std::shared_ptr<GestureRecognizer> GestureTracker::firstOfKind(GestureKind kind) const {
    for (const auto& recognizer : recognizers_)
        if (recognizer->kind() == kind && recognizer->isEnabled())
            return recognizer;
    return nullptr;
}

int GestureTracker::mostClicksRequired() const {
    int most = 1;
    for (const auto& recognizer : recognizers_)
        if (recognizer->kind() == GestureKind::click)
            most = std::max(most, recognizer->numberOfClicksRequired());
    return most;
}

bool GestureTracker::begin(GestureRecognizer& recognizer, platform::Point location) {
    for (const auto& other : recognizers_) {
        if (other.get() == &recognizer || !other->isActive() || !isContinuous(other->kind()))
            continue;
        const bool together =
            (recognizer.delegate() &&
             recognizer.delegate()->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
                 recognizer, *other)) ||
            (other->delegate() &&
             other->delegate()->gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
                 *other, recognizer));
        if (!together)
            return false;
    }
    recognizer.location_ = location;
    recognizer.transition(GestureRecognizerState::began);
    return true;
}

bool GestureTracker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return mousePressed(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return mouseMoved(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
        return wheelTurned(static_cast<QWheelEvent*>(event));
    case QEvent::NativeGesture:
        return nativeGesture(static_cast<QNativeGestureEvent*>(event));
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
    case QEvent::UngrabMouse:
    case QEvent::TouchCancel:
        cancelAll();
        return false;
    default:
        return false;
    }
}

bool GestureTracker::mousePressed(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return false;
    event->accept();
    // The platform's double click follows the second press, or comes in place of it; either way
    // the button counts once, and the platform's word settles the count.
    const bool platformDoubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (pressed_ && platformDoubleClick) {
        if (!panning_ && clickCount_ == 1 && mostClicksRequired() >= 2)
            clickCount_ = 2;
        return true;
    }
    // A press while the button is still down: its release went elsewhere.
    if (pressed_)
        cancelAll();
    const platform::Point position = pointOf(event->position());
    const std::uint64_t time = event->timestamp();
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool closeInTimeAndPlace =
        time >= lastPressTime_ &&
        time - lastPressTime_ <= std::uint64_t(hints->mouseDoubleClickInterval()) &&
        distance(position, lastPressPosition_) <= hints->mouseDoubleClickDistance();
    const bool follows = clickCount_ > 0 && clickCount_ < mostClicksRequired() &&
                         (platformDoubleClick || closeInTimeAndPlace);
    clickCount_ = follows ? clickCount_ + 1 : 1;
    lastPressTime_ = time;
    lastPressPosition_ = position;
    pressed_ = true;
    panning_ = false;
    pressPosition_ = position;
    samples_.clear();
    addSample(time / 1000.0, position);
    return true;
}

bool GestureTracker::mouseMoved(QMouseEvent* event) {
    if (!pressed_)
        return false;
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere (seen by views that track the mouse).
        cancelAll();
        return false;
    }
    const platform::Point position = pointOf(event->position());
    addSample(event->timestamp() / 1000.0, position);
    const platform::Point translation{position.x - pressPosition_.x,
                                      position.y - pressPosition_.y};
    if (!panning_) {
        if (distance(position, pressPosition_) <= kPanThreshold)
            return true;
        panning_ = true;
        clickCount_ = 0; // a drag is no click
        const auto pan = firstOfKind(GestureKind::pan);
        if (!pan)
            return true;
        pan->translation_ = translation;
        pan->velocity_ = velocity();
        begin(*pan, position);
        return true;
    }
    for (const auto& recognizer : std::vector(recognizers_)) {
        if (recognizer->kind() != GestureKind::pan || !recognizer->isActive())
            continue;
        recognizer->location_ = position;
        recognizer->translation_ = translation;
        recognizer->velocity_ = velocity();
        recognizer->transition(GestureRecognizerState::changed);
    }
    return true;
}

bool GestureTracker::mouseReleased(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return false;
    pressed_ = false;
    const platform::Point position = pointOf(event->position());
    if (panning_) {
        panning_ = false;
        addSample(event->timestamp() / 1000.0, position);
        const platform::Point speed = velocity();
        samples_.clear();
        for (const auto& recognizer : std::vector(recognizers_)) {
            if (recognizer->kind() != GestureKind::pan || !recognizer->isActive())
                continue;
            recognizer->location_ = position;
            recognizer->translation_ = {position.x - pressPosition_.x,
                                        position.y - pressPosition_.y};
            recognizer->velocity_ = speed;
            recognizer->transition(GestureRecognizerState::ended);
        }
        return true;
    }
    samples_.clear();
    const int clicks = clickCount_;
    if (clicks >= mostClicksRequired())
        clickCount_ = 0; // the next click starts a new count
    for (const auto& recognizer : std::vector(recognizers_)) {
        if (recognizer->kind() != GestureKind::click || !recognizer->isEnabled() ||
            recognizer->numberOfClicksRequired() != clicks)
            continue;
        recognizer->location_ = pressPosition_;
        recognizer->transition(GestureRecognizerState::ended);
    }
    return true;
}

bool GestureTracker::wheelTurned(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    const auto pinch = firstOfKind(GestureKind::magnification);
    if (!pinch || pinch->isActive())
        return false;
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return false;
    event->accept();
    // One notch is a whole small pinch: begin, one step, end.
    pinch->magnification_ = 0;
    if (!begin(*pinch, pointOf(event->position())))
        return true;
    if (pinch->isActive()) {
        pinch->magnification_ += std::pow(kWheelStepScale, steps) - 1.0;
        pinch->transition(GestureRecognizerState::changed);
    }
    if (pinch->isActive())
        pinch->transition(GestureRecognizerState::ended);
    return true;
}

bool GestureTracker::nativeGesture(QNativeGestureEvent* event) {
    const platform::Point position = pointOf(event->position());
    const auto running = [&](GestureKind kind) {
        std::vector<std::shared_ptr<GestureRecognizer>> found;
        for (const auto& r : recognizers_)
            if (r->kind() == kind && r->isActive())
                found.push_back(r);
        return found;
    };
    const auto step = [&](GestureKind kind, double increment) {
        auto active = running(kind);
        if (active.empty()) {
            const auto idle = firstOfKind(kind);
            if (!idle)
                return false;
            active.push_back(idle);
            auto& r = *idle;
            r.magnification_ = 0;
            r.rotation_ = 0;
            if (!begin(r, position))
                return true;
        }
        for (const auto& r : active) {
            if (!r->isActive())
                continue;
            r->location_ = position;
            if (kind == GestureKind::magnification)
                r->magnification_ += increment;
            else
                r->rotation_ += increment;
            r->transition(GestureRecognizerState::changed);
        }
        return true;
    };
    switch (event->gestureType()) {
    case Qt::ZoomNativeGesture:
        if (!step(GestureKind::magnification, event->value()))
            return false;
        event->accept();
        return true;
    case Qt::RotateNativeGesture:
        if (!step(GestureKind::rotation, event->value() * std::numbers::pi / 180.0))
            return false;
        event->accept();
        return true;
    case Qt::EndNativeGesture: {
        auto ending = running(GestureKind::magnification);
        const auto rotating = running(GestureKind::rotation);
        ending.insert(ending.end(), rotating.begin(), rotating.end());
        for (const auto& r : ending) {
            r->location_ = position;
            if (r->isActive())
                r->transition(GestureRecognizerState::ended);
        }
        if (ending.empty())
            return false;
        event->accept();
        return true;
    }
    default:
        return false;
    }
}

void GestureTracker::addSample(double time, platform::Point position) {
    samples_.push_back({time, position});
    while (samples_.size() > 1 && samples_.front().time < time - kVelocityWindow)
        samples_.pop_front();
}

platform::Point GestureTracker::velocity() const {
    if (samples_.size() < 2)
        return {};
    const Sample& first = samples_.front();
    const Sample& last = samples_.back();
    const double dt = last.time - first.time;
    if (!(dt > 0))
        return {};
    return {(last.position.x - first.position.x) / dt, (last.position.y - first.position.y) / dt};
}

} // namespace charting
