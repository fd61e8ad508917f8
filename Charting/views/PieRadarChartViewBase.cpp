#include "Charting/views/PieRadarChartViewBase.h"

#include "Charting/components/Legend.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/Highlight.h"
#include "Charting/renderers/LegendRenderer.h"
#include "Charting/utils/MediaClock.h"
#include "Charting/utils/NSUIDisplayLink.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

#include <QMouseEvent>
#include <QNativeGestureEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charting {

using platform::Point;

namespace {
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// Spin-out ends below this velocity (degrees per second).
constexpr double kRestingVelocity = 0.001;
// Velocity samples older than this (seconds) are dropped, keeping at least two earlier ones.
constexpr double kSampleWindow = 1.0;

Point pointOf(const QMouseEvent* event) {
    const QPointF p = event->position();
    return {p.x(), p.y()};
}
} // namespace

PieRadarChartViewBase::PieRadarChartViewBase(QWidget* parent) : ChartViewBase(parent) {}

PieRadarChartViewBase::~PieRadarChartViewBase() {
    stopDeceleration();
    if (spinAnimator_) {
        // Nothing may step into the view once it is going.
        spinAnimator_->setUpdateBlock({});
        spinAnimator_->setStopBlock({});
        spinAnimator_->stop();
    }
}

void PieRadarChartViewBase::setRotationAngle(double angle) {
    rawRotationAngle_ = angle;
    double r = std::fmod(angle, 360.0);
    if (std::signbit(angle))
        r += 360.0;
    rotationAngle_ = r;
    redraw();
}

double PieRadarChartViewBase::angleForPoint(double x, double y, Point center) {
    const double tx = x - center.x;
    const double ty = y - center.y;
    const double length = std::sqrt(tx * tx + ty * ty);
    double angle = std::acos(ty / length) * kDegreesPerRadian;
    if (x > center.x)
        angle = 360.0 - angle;
    angle += 90.0;
    if (angle > 360.0)
        angle -= 360.0;
    return angle;
}

double PieRadarChartViewBase::distanceToCenter(double x, double y, Point center) {
    const double dx = std::fabs(x - center.x);
    const double dy = std::fabs(y - center.y);
    return std::sqrt(dx * dx + dy * dy);
}

double PieRadarChartViewBase::angleForPoint(double x, double y) {
    return angleForPoint(x, y, centerOffsets());
}

Point PieRadarChartViewBase::getPosition(Point center, double dist, double angle) {
    const double radians = angle / kDegreesPerRadian;
    return {center.x + dist * std::cos(radians), center.y + dist * std::sin(radians)};
}

double PieRadarChartViewBase::distanceToCenter(double x, double y) {
    return distanceToCenter(x, y, centerOffsets());
}

int PieRadarChartViewBase::indexForAngle(double) {
    platform::fatal("indexForAngle() cannot be called on PieRadarChartViewBase");
}

double PieRadarChartViewBase::radius() {
    platform::fatal("radius cannot be called on PieRadarChartViewBase");
}

double PieRadarChartViewBase::requiredLegendOffset() {
    platform::fatal("requiredLegendOffset cannot be called on PieRadarChartViewBase");
}

double PieRadarChartViewBase::requiredBaseOffset() {
    platform::fatal("requiredBaseOffset cannot be called on PieRadarChartViewBase");
}

double PieRadarChartViewBase::diameter() {
    platform::Rect content = viewPortHandler()->contentRect();
    content.origin.x += extraLeftOffset();
    content.origin.y += extraTopOffset();
    content.size.width -= extraLeftOffset() + extraRightOffset();
    content.size.height -= extraTopOffset() + extraBottomOffset();
    return std::min(std::fabs(content.size.width), std::fabs(content.size.height));
}

int PieRadarChartViewBase::maxVisibleCount() {
    const auto d = data();
    return d ? d->entryCount() : 0;
}

void PieRadarChartViewBase::notifyDataSetChanged() {
    computeAxisRanges();
    if (const auto d = data())
        legendRenderer()->computeLegend(*d);
    calculateOffsets();
    redraw();
}

void PieRadarChartViewBase::calculateOffsets() {
    double legendLeft = 0, legendRight = 0, legendTop = 0, legendBottom = 0;
    const auto l = legend();
    const auto vph = viewPortHandler();
    if (l->isEnabled() && !l->drawInside()) {
        const double fullLegendWidth =
            std::min(l->neededWidth(), vph->chartWidth() * l->maxSizePercent());
        const double cappedHeight =
            std::min(l->neededHeight(), vph->chartHeight() * l->maxSizePercent());
        using H = Legend::HorizontalAlignment;
        using V = Legend::VerticalAlignment;
        if (l->orientation() == Legend::Orientation::vertical) {
            double xLegendOffset = 0;
            if (l->horizontalAlignment() == H::left || l->horizontalAlignment() == H::right) {
                if (l->verticalAlignment() == V::center) {
                    xLegendOffset = fullLegendWidth + 13;
                } else {
                    // The legend's corner nearest the circle, against the rim at that angle.
                    const double legendWidth = fullLegendWidth + 8;
                    const double legendHeight = l->neededHeight() + l->textHeightMax();
                    const Point c = midPoint();
                    const auto b = bounds();
                    const double bottomX = l->horizontalAlignment() == H::right
                                               ? b.size.width - legendWidth + 15
                                               : legendWidth - 15;
                    const double bottomY = legendHeight + 15;
                    const double distLegend = distanceToCenter(bottomX, bottomY);
                    const Point reference =
                        getPosition(c, radius(), angleForPoint(bottomX, bottomY));
                    const double distReference = distanceToCenter(reference.x, reference.y);
                    if (bottomY >= c.y && b.size.height - legendWidth > b.size.width)
                        xLegendOffset = legendWidth;
                    else if (distLegend < distReference)
                        xLegendOffset = 5 + (distReference - distLegend);
                }
            }
            switch (l->horizontalAlignment()) {
            case H::left:
                legendLeft = xLegendOffset;
                break;
            case H::right:
                legendRight = xLegendOffset;
                break;
            case H::center:
                if (l->verticalAlignment() == V::top)
                    legendTop = cappedHeight;
                else if (l->verticalAlignment() == V::bottom)
                    legendBottom = cappedHeight;
                break;
            }
        } else {
            double yLegendOffset = 0;
            if (l->verticalAlignment() == V::top || l->verticalAlignment() == V::bottom)
                yLegendOffset = std::min(l->neededHeight() + requiredLegendOffset(),
                                         vph->chartHeight() * l->maxSizePercent());
            if (l->verticalAlignment() == V::top)
                legendTop = yLegendOffset;
            else if (l->verticalAlignment() == V::bottom)
                legendBottom = yLegendOffset;
        }
        legendLeft += requiredBaseOffset();
        legendRight += requiredBaseOffset();
        legendTop += requiredBaseOffset();
        legendBottom += requiredBaseOffset();
    }
    legendTop += extraTopOffset();
    legendRight += extraRightOffset();
    legendBottom += extraBottomOffset();
    legendLeft += extraLeftOffset();

    const double m = requiredMinOffset();
    vph->restrainViewPort(std::max(m, legendLeft), std::max(m, legendTop), std::max(m, legendRight),
                          std::max(m, std::max(requiredBaseOffset(), legendBottom)));
}

// Spin.

void PieRadarChartViewBase::spin(double duration, double fromAngle, double toAngle,
                                 ChartEasingFunctionBlock easing) {
    if (spinAnimator_) {
        // The stop closure drops the view's reference: keep the animator until it returns.
        const auto previous = spinAnimator_;
        previous->stop();
    }
    auto animator = Animator::create();
    Animator* raw = animator.get();
    animator->setUpdateBlock([this, raw, fromAngle, toAngle]() {
        setRotationAngle((toAngle - fromAngle) * raw->phaseX() + fromAngle);
    });
    animator->setStopBlock([this]() { spinAnimator_.reset(); });
    spinAnimator_ = animator;
    animator->animateX(duration, std::move(easing));
}

void PieRadarChartViewBase::spin(double duration, double fromAngle, double toAngle,
                                 ChartEasingOption easingOption) {
    spin(duration, fromAngle, toAngle, easingFunctionForOption(easingOption));
}

void PieRadarChartViewBase::spin(double duration, double fromAngle, double toAngle) {
    spin(duration, fromAngle, toAngle, ChartEasingFunctionBlock());
}

void PieRadarChartViewBase::stopSpinAnimation() {
    if (spinAnimator_) {
        // The stop closure drops the view's reference: keep the animator until it returns.
        const auto keep = spinAnimator_;
        keep->stop();
    }
}

// Rotation by dragging.

void PieRadarChartViewBase::addVelocitySample(Point location) {
    const double now = mediaTime();
    const double angle = angleForPoint(location.x, location.y);
    while (velocitySamples_.size() > 2 && now - velocitySamples_.front().time > kSampleWindow)
        velocitySamples_.erase(velocitySamples_.begin());
    velocitySamples_.push_back({now, angle});
}

double PieRadarChartViewBase::angularVelocity() const {
    if (velocitySamples_.empty())
        return 0;
    AngularVelocitySample first = velocitySamples_.front();
    AngularVelocitySample last = velocitySamples_.back();
    // The latest sample whose angle differs from the last one's.
    AngularVelocitySample beforeLast = first;
    for (auto i = velocitySamples_.size() - 1; i-- > 0;) {
        if (!(velocitySamples_[i].angle == last.angle)) {
            beforeLast = velocitySamples_[i];
            break;
        }
    }
    double timeDelta = last.time - first.time;
    if (timeDelta == 0)
        timeDelta = 0.1;
    bool clockwise = last.angle >= beforeLast.angle;
    if (std::fabs(last.angle - beforeLast.angle) > 270)
        clockwise = !clockwise;
    // Across the 0/360 seam the two angles are brought to the same side.
    if (last.angle - first.angle > 180)
        first.angle += 360;
    else if (first.angle - last.angle > 180)
        last.angle += 360;
    const double velocity = std::fabs((last.angle - first.angle) / timeDelta);
    return clockwise ? velocity : -velocity;
}

void PieRadarChartViewBase::startDecelerationLink() {
    decelerationLastTime_ = mediaTime();
    // The link holds the view weakly, through the view's lifetime token.
    const std::weak_ptr<void> target = std::const_pointer_cast<void>(lifetimeToken().lock());
    decelerationDisplayLink_ = NSUIDisplayLink::create(target, [this]() { decelerationLoop(); });
    decelerationDisplayLink_->addToRunLoop();
}

void PieRadarChartViewBase::stopDeceleration() {
    if (decelerationDisplayLink_) {
        decelerationDisplayLink_->invalidate();
        decelerationDisplayLink_.reset();
    }
}

void PieRadarChartViewBase::decelerationLoop() {
    const double now = mediaTime();
    decelerationAngularVelocity_ *= dragDecelerationFrictionCoef();
    setRotationAngle(rotationAngle() +
                     decelerationAngularVelocity_ * (now - decelerationLastTime_));
    decelerationLastTime_ = now;
    if (std::fabs(decelerationAngularVelocity_) < kRestingVelocity)
        stopDeceleration();
}

void PieRadarChartViewBase::mouseDown(Point location) {
    if (!rotationEnabled())
        return;
    stopDeceleration();
    velocitySamples_.clear();
    rotationGestureStartPoint_.reset();
    const double angle = angleForPoint(location.x, location.y);
    if (std::isnan(angle))
        return; // the centre has no angle to turn by
    addVelocitySample(location);
    startAngle_ = angle - rotationAngle();
    rotationGestureStartPoint_ = location;
}

void PieRadarChartViewBase::mouseDragged(Point location) {
    // Without a recorded press (rotation switched on mid-drag, or a press at the centre) there
    // is nothing to turn from.
    if (!rotationEnabled() || !rotationGestureStartPoint_)
        return;
    const double angle = angleForPoint(location.x, location.y);
    if (std::isnan(angle))
        return;
    if (isDragDecelerationEnabled())
        addVelocitySample(location);
    const Point start = *rotationGestureStartPoint_;
    if (!isRotating_ &&
        std::hypot(location.x - start.x, location.y - start.y) > kRotationStartDistance) {
        isRotating_ = true;
        return;
    }
    setRotationAngle(angle - startAngle_);
    redraw();
}

void PieRadarChartViewBase::mouseUp(Point location) {
    if (rotationEnabled() && isDragDecelerationEnabled()) {
        stopDeceleration();
        if (rotationGestureStartPoint_ && !std::isnan(angleForPoint(location.x, location.y)))
            addVelocitySample(location);
        decelerationAngularVelocity_ = angularVelocity();
        if (decelerationAngularVelocity_ != 0)
            startDecelerationLink();
    }
    rotationGestureStartPoint_.reset();
    isRotating_ = false;
}

// Gestures.

void PieRadarChartViewBase::tapGestureRecognized(GestureState state, Point location) {
    if (state != GestureState::ended || !isHighLightPerTapEnabled())
        return;
    highlightValue(getHighlightByTouchPoint(location), true);
}

void PieRadarChartViewBase::rotationGestureRecognized(GestureState state, double rotation) {
    if (state == GestureState::began) {
        stopDeceleration();
        startAngle_ = rawRotationAngle();
    }
    if (state == GestureState::began || state == GestureState::changed) {
        setRotationAngle(startAngle_ - rotation * kDegreesPerRadian);
        redraw();
    } else if (state == GestureState::ended) {
        setRotationAngle(startAngle_ - rotation * kDegreesPerRadian);
        redraw();
        if (isDragDecelerationEnabled()) {
            stopDeceleration();
            decelerationAngularVelocity_ = kTwoFingerSpinOutVelocity;
            startDecelerationLink();
        }
    }
}

// The platform's events.

void PieRadarChartViewBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ChartViewBase::mousePressEvent(event);
        return;
    }
    const Point p = pointOf(event);
    clickStart_ = p;
    clickMoved_ = false;
    mouseDown(p);
    event->accept();
}

void PieRadarChartViewBase::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        ChartViewBase::mouseMoveEvent(event);
        return;
    }
    const Point p = pointOf(event);
    if (clickStart_ &&
        std::hypot(p.x - clickStart_->x, p.y - clickStart_->y) > kRotationStartDistance)
        clickMoved_ = true;
    mouseDragged(p);
    event->accept();
}

void PieRadarChartViewBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        ChartViewBase::mouseReleaseEvent(event);
        return;
    }
    const Point p = pointOf(event);
    const bool click = clickStart_ && !clickMoved_;
    clickStart_.reset();
    mouseUp(p);
    if (click)
        tapGestureRecognized(GestureState::ended, p);
    event->accept();
}

void PieRadarChartViewBase::nativeRotation(QNativeGestureEvent* event) {
    switch (event->gestureType()) {
    case Qt::BeginNativeGesture:
        twoFingerRotationBegan_ = false;
        twoFingerRotation_ = 0;
        break;
    case Qt::RotateNativeGesture: {
        if (!rotationWithTwoFingers())
            break;
        // Qt reports each step in degrees, clockwise positive on screen.
        twoFingerRotation_ -= event->value() / kDegreesPerRadian;
        const auto state = twoFingerRotationBegan_ ? GestureState::changed : GestureState::began;
        twoFingerRotationBegan_ = true;
        rotationGestureRecognized(state, twoFingerRotation_);
        break;
    }
    case Qt::EndNativeGesture:
        if (twoFingerRotationBegan_ && rotationWithTwoFingers())
            rotationGestureRecognized(GestureState::ended, twoFingerRotation_);
        twoFingerRotationBegan_ = false;
        twoFingerRotation_ = 0;
        break;
    default:
        break;
    }
}

bool PieRadarChartViewBase::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        nativeRotation(static_cast<QNativeGestureEvent*>(event));
        event->accept();
        return true;
    }
    return ChartViewBase::event(event);
}

} // namespace charting
