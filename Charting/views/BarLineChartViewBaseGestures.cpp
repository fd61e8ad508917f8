// The gestures of the bar-line view: click to highlight, double click to zoom, pinch to zoom,
// drag to move (with deceleration) or to highlight.
#include "Charting/views/BarLineChartViewBase.h"

#include "Charting/components/YAxis.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/MediaClock.h"
#include "Charting/utils/NSUIDisplayLink.h"
#include "Charting/utils/ViewPortHandler.h"

#include <cmath>

namespace charting {

using platform::AffineTransform;
using platform::Point;

void BarLineChartViewBase::makeGestureRecognizers() {
    if (gestureTracker_)
        return;
    gestureTracker_ = new GestureTracker(this);
    tapGestureRecognizer_ = GestureRecognizer::create(
        GestureKind::click, [this](GestureRecognizer& r) { tapGestureRecognized(r); });
    doubleTapGestureRecognizer_ = GestureRecognizer::create(
        GestureKind::click, [this](GestureRecognizer& r) { doubleTapGestureRecognized(r); });
    doubleTapGestureRecognizer_->setNumberOfClicksRequired(2);
    panGestureRecognizer_ = GestureRecognizer::create(
        GestureKind::pan, [this](GestureRecognizer& r) { panGestureRecognized(r); });
    panGestureRecognizer_->setDelegate(this);
    gestureTracker_->addGestureRecognizer(tapGestureRecognizer_);
    gestureTracker_->addGestureRecognizer(doubleTapGestureRecognizer_);
    gestureTracker_->addGestureRecognizer(panGestureRecognizer_);
    doubleTapGestureRecognizer_->setEnabled(doubleTapToZoomEnabled_);
    panGestureRecognizer_->setEnabled(dragXEnabled_ || dragYEnabled_);

    pinchGestureRecognizer_ = GestureRecognizer::create(
        GestureKind::magnification, [this](GestureRecognizer& r) { pinchGestureRecognized(r); });
    pinchGestureRecognizer_->setDelegate(this);
    gestureTracker_->addGestureRecognizer(pinchGestureRecognizer_);
    updatePinchEnabled();
}

void BarLineChartViewBase::dropGestureRecognizers() {
    stopDeceleration();
    // The tracker goes before the rest of the view: the widget's own teardown (hiding) must
    // not reach the handlers of a view that is half gone.
    delete gestureTracker_;
    gestureTracker_ = nullptr;
}

bool BarLineChartViewBase::isTouchInverted() {
    return isAnyAxisInverted() && closestDataSetToTouch_ &&
           getAxis(closestDataSetToTouch_->axisDependency())->isInverted();
}

Point BarLineChartViewBase::allowedDrag(Point translation) const {
    if (!dragXEnabled_)
        translation.x = 0;
    else if (!dragYEnabled_)
        translation.y = 0;
    return translation;
}

void BarLineChartViewBase::tapGestureRecognized(GestureRecognizer& recognizer) {
    if (!data() || recognizer.state() != GestureRecognizerState::ended ||
        !isHighLightPerTapEnabled())
        return;
    const auto h = getHighlightByTouchPoint(recognizer.location());
    const auto last = lastHighlighted();
    if (!h || h->isEqual(last.get())) {
        setLastHighlighted(nullptr);
        highlightValue(std::shared_ptr<Highlight>(), true);
    } else {
        setLastHighlighted(h);
        highlightValue(h, true);
    }
}

void BarLineChartViewBase::doubleTapGestureRecognized(GestureRecognizer& recognizer) {
    const auto d = data();
    if (recognizer.state() != GestureRecognizerState::ended || !d || !doubleTapToZoomEnabled_ ||
        d->entryCount() < 1)
        return;
    const auto vph = viewPortHandler();
    const Point location = recognizer.location();
    // The click in the touch matrix's space (y counts up from the content's bottom edge, or
    // down from its top edge on an inverted axis, as negative numbers) ...
    Point touched{location.x - vph->offsetLeft(),
                  isTouchInverted() ? -(location.y - vph->offsetTop())
                                    : -(bounds().size.height - location.y - vph->offsetBottom())};
    // ... taken back through the current zoom and pan, so that the scaling (applied before the
    // touch matrix) keeps the clicked point where it is also on a zoomed chart.
    touched = vph->touchMatrix().inverted().apply(touched);
    zoom(isScaleXEnabled() ? 1.4 : 1.0, isScaleYEnabled() ? 1.4 : 1.0, touched.x, -touched.y);
    if (const auto observer = delegate())
        observer->chartScaled(*this, scaleX(), scaleY());
}

void BarLineChartViewBase::pinchGestureRecognized(GestureRecognizer& recognizer) {
    switch (recognizer.state()) {
    case GestureRecognizerState::began:
        stopDeceleration();
        if (!data())
            return;
        if (pinchZoomEnabled_) {
            isScaling_ = true;
            gestureScaleAxis_ = GestureScaleAxis::both;
        } else if (scaleXEnabled_ || scaleYEnabled_) {
            isScaling_ = true;
            if (scaleXEnabled_ && scaleYEnabled_)
                gestureScaleAxis_ = GestureScaleAxis::both;
            else
                gestureScaleAxis_ = scaleXEnabled_ ? GestureScaleAxis::x : GestureScaleAxis::y;
        }
        return;
    case GestureRecognizerState::changed: {
        if (!isScaling_)
            return;
        const auto vph = viewPortHandler();
        const double scale = recognizer.magnification() + 1.0;
        const bool zoomingOut = scale < 1;
        const bool canX = zoomingOut ? vph->canZoomOutMoreX() : vph->canZoomInMoreX();
        const bool canY = zoomingOut ? vph->canZoomOutMoreY() : vph->canZoomInMoreY();
        const bool useX = canX && scaleXEnabled_ && gestureScaleAxis_ != GestureScaleAxis::y;
        const bool useY = canY && scaleYEnabled_ && gestureScaleAxis_ != GestureScaleAxis::x;
        if (useX || useY) {
            const Point location = recognizer.location();
            const double x = location.x - vph->offsetLeft();
            const double y = isTouchInverted()
                                 ? -(location.y - vph->offsetTop())
                                 : -(vph->chartHeight() - location.y - vph->offsetBottom());
            const double sx = useX ? scale : 1.0;
            const double sy = useY ? scale : 1.0;
            const AffineTransform about =
                AffineTransform::makeTranslation(x, y).scaledBy(sx, sy).translatedBy(-x, -y);
            vph->refresh(vph->touchMatrix().concatenating(about), this, true);
            if (const auto observer = delegate())
                observer->chartScaled(*this, sx, sy);
        }
        recognizer.setMagnification(0);
        return;
    }
    case GestureRecognizerState::ended:
    case GestureRecognizerState::cancelled:
        if (isScaling_) {
            isScaling_ = false;
            calculateOffsets();
            redraw();
        }
        return;
    default:
        return;
    }
}

void BarLineChartViewBase::panGestureRecognized(GestureRecognizer& recognizer) {
    switch (recognizer.state()) {
    case GestureRecognizerState::began: {
        stopDeceleration();
        if (!data() || !isDragEnabled())
            return;
        if (hasNoDragOffset() && isFullyZoomedOut()) {
            // Nothing to move: the drag highlights, when it may.
            if (highlightPerDragEnabled_)
                isDragging_ = false;
            return;
        }
        isDragging_ = true;
        closestDataSetToTouch_ = getDataSetByTouchPoint(recognizer.location());
        const Point t = allowedDrag(recognizer.translation());
        if ((t.x != 0 || t.y != 0) && !applyPanTranslation(t) && outerScrollView_) {
            // The chart cannot move that way: the enclosing scroll area takes over.
            outerScrollView_.clear();
            isDragging_ = false;
        }
        lastPanPoint_ = recognizer.translation();
        return;
    }
    case GestureRecognizerState::changed:
        if (isDragging_) {
            const Point now = recognizer.translation();
            applyPanTranslation(allowedDrag({now.x - lastPanPoint_.x, now.y - lastPanPoint_.y}));
            lastPanPoint_ = now;
        } else if (highlightPerDragEnabled_ && data()) {
            const auto h = getHighlightByTouchPoint(recognizer.location());
            const auto last = lastHighlighted();
            if ((h && h->isEqual(last.get())) || (!h && !last))
                return;
            setLastHighlighted(h);
            highlightValue(h, true);
        }
        return;
    case GestureRecognizerState::ended:
    case GestureRecognizerState::cancelled:
        if (isDragging_) {
            if (recognizer.state() == GestureRecognizerState::ended &&
                isDragDecelerationEnabled()) {
                stopDeceleration();
                decelerationLastTime_ = mediaTime();
                // The movement goes on only along the axes the drag may move.
                decelerationVelocity_ = allowedDrag(recognizer.velocity());
                decelerationDisplayLink_ =
                    NSUIDisplayLink::create(decelerationTarget_, [this] { decelerationLoop(); });
                decelerationDisplayLink_->addToRunLoop();
            }
            isDragging_ = false;
        }
        outerScrollView_.clear();
        if (const auto observer = delegate())
            observer->chartViewDidEndPanning(*this);
        return;
    default:
        return;
    }
}

bool BarLineChartViewBase::applyPanTranslation(Point translation) {
    if (isTouchInverted()) {
        if (invertedAxisMirrorsDragX())
            translation.x = -translation.x;
        else
            translation.y = -translation.y;
    }
    const auto vph = viewPortHandler();
    const AffineTransform old = vph->touchMatrix();
    const AffineTransform moved =
        old.concatenating(AffineTransform::makeTranslation(translation.x, translation.y));
    const AffineTransform result = vph->refresh(moved, this, true);
    if (result != old) {
        if (const auto observer = delegate())
            observer->chartTranslated(*this, translation.x, translation.y);
    }
    return result.tx != old.tx || result.ty != old.ty;
}

void BarLineChartViewBase::decelerationLoop() {
    const double now = mediaTime();
    const double coefficient = dragDecelerationFrictionCoef();
    decelerationVelocity_.x *= coefficient;
    decelerationVelocity_.y *= coefficient;
    const double dt = now - decelerationLastTime_;
    if (!applyPanTranslation({decelerationVelocity_.x * dt, decelerationVelocity_.y * dt}))
        decelerationVelocity_ = {};
    decelerationLastTime_ = now;
    if (std::fabs(decelerationVelocity_.x) < 0.001 && std::fabs(decelerationVelocity_.y) < 0.001) {
        stopDeceleration();
        calculateOffsets();
        redraw();
    }
}

void BarLineChartViewBase::stopDeceleration() {
    if (!decelerationDisplayLink_)
        return;
    decelerationDisplayLink_->invalidate();
    decelerationDisplayLink_.reset();
}

bool BarLineChartViewBase::shouldBeginGesture(GestureRecognizer& recognizer) {
    if (&recognizer == panGestureRecognizer_.get()) {
        const Point v = recognizer.velocity();
        if (!data() || !isDragEnabled() ||
            (hasNoDragOffset() && isFullyZoomedOut() && !highlightPerDragEnabled_))
            return false;
        if (!dragYEnabled_ && std::fabs(v.y) > std::fabs(v.x))
            return false;
        if (!dragXEnabled_ && std::fabs(v.x) > std::fabs(v.y))
            return false;
        return true;
    }
    if (&recognizer == pinchGestureRecognizer_.get())
        return data() && (pinchZoomEnabled_ || scaleXEnabled_ || scaleYEnabled_);
    return true;
}

bool BarLineChartViewBase::gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
    GestureRecognizer& recognizer, GestureRecognizer& other) {
    const GestureKind a = recognizer.kind();
    const GestureKind b = other.kind();
    if ((a == GestureKind::magnification && b == GestureKind::pan) ||
        (a == GestureKind::pan && b == GestureKind::magnification))
        return true;
    if (a != GestureKind::pan || b != GestureKind::pan ||
        &recognizer != panGestureRecognizer_.get())
        return false;
    QAbstractScrollArea* scrollArea = nullptr;
    for (QWidget* w = parentWidget(); w && !scrollArea; w = w->parentWidget())
        scrollArea = qobject_cast<QAbstractScrollArea*>(w);
    if (!scrollArea)
        return false;
    // A scroll area directly inside another one: the outer one scrolls.
    if (QWidget* above = scrollArea->parentWidget()) {
        auto* outer = qobject_cast<QAbstractScrollArea*>(above);
        if (!outer && above->parentWidget())
            outer = qobject_cast<QAbstractScrollArea*>(above->parentWidget());
        if (outer && (outer == above || outer->viewport() == above))
            scrollArea = outer;
    }
    for (QWidget* watched : {static_cast<QWidget*>(scrollArea), scrollArea->viewport()}) {
        const GestureTracker* tracker = GestureTracker::trackerOf(watched);
        if (!tracker)
            continue;
        for (const auto& candidate : tracker->gestureRecognizers()) {
            if (candidate->kind() != GestureKind::pan)
                continue;
            if (candidate.get() != &other)
                return false;
            outerScrollView_ = scrollArea;
            return true;
        }
    }
    return false;
}

} // namespace charting
