#pragma once

#include "Charting/views/ChartViewBase.h"

#include <memory>
#include <optional>
#include <vector>

class QMouseEvent;
class QNativeGestureEvent;

namespace charting {

class NSUIDisplayLink;

// The base of the charts drawn around a centre (pie and radar): the rotation angle, the geometry
// of angles and distances about the centre, the legend placed beside the circle, rotation by
// dragging with a spin-out after the release, rotation with two fingers, a timed spin and
// selection by a click.
//
// Angles are in degrees and grow clockwise on screen (y points down): 0 is right of the centre,
// 90 below, 180 left, 270 above. The radius, the angle-to-entry mapping and two legend offsets
// belong to the chart type; the base stops the program when asked for them.
class PieRadarChartViewBase : public ChartViewBase {
public:
    // Where the pointer was at a moment of a drag (media clock seconds, degrees).
    struct AngularVelocitySample {
        double time = 0;
        double angle = 0;
    };
    // The phases of a gesture, as the click and rotation actions are told them.
    enum class GestureState { possible, began, changed, ended, cancelled, failed };

    // Travel (points) beyond which a press becomes a rotation and is no longer a click.
    static constexpr double kRotationStartDistance = 8.0;
    // The spin-out after a two-finger rotation, in degrees per second (0.1 radian per second):
    // the platform's rotation reports no velocity.
    static constexpr double kTwoFingerSpinOutVelocity = 5.729577951308232;

    ~PieRadarChartViewBase() override;

    virtual bool rotationEnabled() const { return rotationEnabled_; }
    virtual void setRotationEnabled(bool enabled) { rotationEnabled_ = enabled; }
    virtual bool isRotationEnabled() const { return rotationEnabled(); }
    // Smallest offset on each side of the content; no redraw.
    virtual double minOffset() const { return minOffset_; }
    virtual void setMinOffset(double offset) { minOffset_ = offset; }

    // Normalised: [0, 360) for a non-negative value, (0, 360] for a negative one (a negative
    // multiple of 360 and -0 give 360). Setting it redraws.
    virtual double rotationAngle() const { return rotationAngle_; }
    virtual void setRotationAngle(double angle);
    // The value last given to setRotationAngle, as given.
    virtual double rawRotationAngle() const { return rawRotationAngle_; }

    // Whether the two-finger rotation gesture turns the chart (off by default).
    virtual bool rotationWithTwoFingers() const { return rotationWithTwoFingers_; }
    virtual void setRotationWithTwoFingers(bool enabled) { rotationWithTwoFingers_ = enabled; }
    virtual bool isRotationWithTwoFingers() const { return rotationWithTwoFingers(); }

    // The angle of a view point about the centre, in (0, 360]; NaN at the centre itself.
    virtual double angleForPoint(double x, double y);
    // The point at a distance and angle from a centre.
    virtual platform::Point getPosition(platform::Point center, double dist, double angle);
    virtual double distanceToCenter(double x, double y);
    // The entry index under an angle (the chart type's).
    virtual int indexForAngle(double angle);
    // The smaller side of the content rectangle less the extra offsets.
    virtual double diameter();
    // The chart type's radius, legend spacing and room below the chart.
    virtual double radius();
    virtual double requiredLegendOffset();
    virtual double requiredBaseOffset();

    double chartYMax() override { return 0; }
    double chartYMin() override { return 0; }
    // The data's total entry count; 0 without data.
    int maxVisibleCount() override;

    // Turns the chart from one angle to another over a duration (seconds); a running spin
    // first jumps to its target.
    virtual void spin(double duration, double fromAngle, double toAngle,
                      ChartEasingFunctionBlock easing);
    // A raw value outside the easing options stops the program.
    virtual void spin(double duration, double fromAngle, double toAngle,
                      ChartEasingOption easingOption);
    virtual void spin(double duration, double fromAngle, double toAngle);
    // Ends a running spin at its target angle.
    virtual void stopSpinAnimation();
    bool isSpinning() const { return spinAnimator_ != nullptr; }

    // The drag's angular velocity in degrees per second, from the samples of the last second.
    virtual double angularVelocity() const;
    const std::vector<AngularVelocitySample>& velocitySamples() const { return velocitySamples_; }
    // Ends the spin-out after a drag.
    virtual void stopDeceleration();
    // One step of the spin-out (the display link's action).
    virtual void decelerationLoop();
    bool isDecelerating() const { return decelerationDisplayLink_ != nullptr; }
    double decelerationAngularVelocity() const { return decelerationAngularVelocity_; }
    bool isRotating() const { return isRotating_; }

    // The gesture actions: a click selects the value under it (when tap highlighting is on); a
    // two-finger rotation (radians, counter-clockwise positive) turns the chart.
    virtual void tapGestureRecognized(GestureState state, platform::Point location);
    virtual void rotationGestureRecognized(GestureState state, double rotation);

    // Press, drag and release of the mouse at a point of the view. A press or drag exactly at
    // the centre, which has no angle, is ignored.
    virtual void mouseDown(platform::Point location);
    virtual void mouseDragged(platform::Point location);
    virtual void mouseUp(platform::Point location);

    void notifyDataSetChanged() override;
    // Puts the legend beside the circle and restrains the view port.
    void calculateOffsets() override;

protected:
    explicit PieRadarChartViewBase(QWidget* parent = nullptr);

    // The angle and distance of a point about a given centre (the chart types' own centres).
    static double angleForPoint(double x, double y, platform::Point center);
    static double distanceToCenter(double x, double y, platform::Point center);
    // The smallest offset the layout keeps on every side (a chart type may need more).
    virtual double requiredMinOffset() { return minOffset(); }

    // The platform's mouse events and two-finger rotation gesture.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void addVelocitySample(platform::Point location);
    void startDecelerationLink();
    void nativeRotation(QNativeGestureEvent* event);

    double rotationAngle_ = 270;
    double rawRotationAngle_ = 270;
    bool rotationEnabled_ = true;
    double minOffset_ = 0;
    bool rotationWithTwoFingers_ = false;
    std::shared_ptr<Animator> spinAnimator_;
    std::optional<platform::Point> rotationGestureStartPoint_;
    bool isRotating_ = false;
    double startAngle_ = 0;
    std::vector<AngularVelocitySample> velocitySamples_;
    double decelerationLastTime_ = 0;
    std::shared_ptr<NSUIDisplayLink> decelerationDisplayLink_;
    double decelerationAngularVelocity_ = 0;

    // The platform side of the click and the two-finger rotation.
    std::optional<platform::Point> clickStart_;
    bool clickMoved_ = false;
    bool twoFingerRotationBegan_ = false;
    double twoFingerRotation_ = 0; // radians, counter-clockwise positive
};

} // namespace charting
