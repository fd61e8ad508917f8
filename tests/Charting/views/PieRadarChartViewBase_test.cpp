#include "Charting/components/Legend.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/ChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/PieHighlighter.h"
#include "Charting/highlight/PieRadarHighlighter.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/PieRadarChartViewBase.h"
#include "platform/Scheduler.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace charting;
using platform::Point;

namespace {

// A circle chart whose entries share the circle equally, starting at the rotation angle.
class CircleView : public PieRadarChartViewBase {
public:
    CircleView() {
        initialize();
        setHighlighter(PieHighlighter::create(this));
    }
    double radius() override { return diameter() / 2; }
    double requiredLegendOffset() override { return legendOffset; }
    double requiredBaseOffset() override { return baseOffset; }
    int indexForAngle(double angle) override {
        const auto d = data();
        if (!d || d->dataSetCount() == 0 || d->dataSets()[0]->entryCount() == 0)
            return -1;
        const int n = d->dataSets()[0]->entryCount();
        double a = std::fmod(angle - rotationAngle(), 360.0);
        if (a < 0)
            a += 360;
        return int(a / (360.0 / n));
    }
    double legendOffset = 0;
    double baseOffset = 0;
};

// The base itself, for the operations only a chart type can answer.
class BareCircleView : public PieRadarChartViewBase {};

std::shared_ptr<ChartData> fourSlices() {
    ChartDataSet::EntryList entries;
    // Entries at x 0...3, so that the plain chart data finds them by a highlight's x.
    for (int i = 0; i < 4; ++i)
        entries.push_back(ChartDataEntry::create(i, i + 1.0));
    return ChartData::create({ChartDataSet::create(entries)});
}

class CircleViewTest : public testing::Test {
protected:
    void SetUp() override {
        view.legend()->setEnabled(false);
        view.resize(200, 200);
        view.boundsDidChange(); // content 0...200 both ways, centre (100, 100), radius 100
    }
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped{clock};
    CircleView view;
};

void sendMouse(QWidget& w, QEvent::Type type, Point p) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(p.x, p.y), QPointF(p.x, p.y), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

void sendGesture(QWidget& w, Qt::NativeGestureType type, double value) {
    QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, QPointF(100, 100),
                              QPointF(100, 100), QPointF(100, 100), value, QPointF());
    QCoreApplication::sendEvent(&w, &event);
}

} // namespace

TEST_F(CircleViewTest, RotationAngleIsNormalisedAndTheRawValueKept) {
    struct Case {
        double set, normalised;
    };
    for (const Case c : {Case{-90, 270}, Case{720, 0}, Case{-360, 360}, Case{-0.0, 360},
                         Case{45, 45}, Case{370, 10}, Case{-725, 355}}) {
        view.setRotationAngle(c.set);
        EXPECT_DOUBLE_EQ(view.rotationAngle(), c.normalised) << c.set;
        EXPECT_EQ(view.rawRotationAngle(), c.set);
    }
}

TEST_F(CircleViewTest, AnglesAndDistancesAroundTheCentre) {
    EXPECT_EQ(view.centerOffsets(), Point(100, 100));
    struct Case {
        Point p;
        double angle;
    };
    for (const Case c : {Case{{110, 100}, 360}, Case{{100, 110}, 90}, Case{{90, 100}, 180},
                         Case{{100, 90}, 270}, Case{{110, 110}, 45}, Case{{110, 90}, 315}}) {
        EXPECT_NEAR(view.angleForPoint(c.p.x, c.p.y), c.angle, 1e-9) << c.p.x << "," << c.p.y;
        const Point back =
            view.getPosition({100, 100}, view.distanceToCenter(c.p.x, c.p.y), c.angle);
        EXPECT_NEAR(back.x, c.p.x, 1e-9);
        EXPECT_NEAR(back.y, c.p.y, 1e-9);
    }
    EXPECT_TRUE(std::isnan(view.angleForPoint(100, 100)));
    EXPECT_DOUBLE_EQ(view.distanceToCenter(103, 104), 5);
}

TEST_F(CircleViewTest, DiameterIsTheSmallerSideLessTheExtraOffsets) {
    EXPECT_DOUBLE_EQ(view.diameter(), 200);
    view.setExtraOffsets(10, 5, 30, 15);
    view.notifyDataSetChanged();
    // The content already gives room for the extra offsets, which come off once more.
    const auto content = view.viewPortHandler()->contentRect();
    EXPECT_EQ(content, platform::Rect(10, 5, 160, 180));
    EXPECT_DOUBLE_EQ(view.diameter(), 120);
}

TEST_F(CircleViewTest, LegendOffsetsBesideTheCircle) {
    auto l = view.legend();
    l->setNeededWidth(40);
    l->setNeededHeight(20);
    view.baseOffset = 7;
    view.legendOffset = 4;
    // A disabled legend adds nothing, but the bottom keeps the base offset.
    view.calculateOffsets();
    auto vph = view.viewPortHandler();
    EXPECT_EQ(vph->offsetLeft(), 0);
    EXPECT_EQ(vph->offsetTop(), 0);
    EXPECT_EQ(vph->offsetRight(), 0);
    EXPECT_EQ(vph->offsetBottom(), 7);

    // A horizontal legend at the bottom: its height plus the legend spacing, plus the base
    // offset on every side.
    l->setEnabled(true);
    l->setOrientation(Legend::Orientation::horizontal);
    l->setVerticalAlignment(Legend::VerticalAlignment::bottom);
    view.calculateOffsets();
    EXPECT_EQ(vph->offsetBottom(), 20 + 4 + 7);
    EXPECT_EQ(vph->offsetTop(), 7);

    // A vertical legend centred on the right: its width plus 13.
    l->setOrientation(Legend::Orientation::vertical);
    l->setHorizontalAlignment(Legend::HorizontalAlignment::right);
    l->setVerticalAlignment(Legend::VerticalAlignment::center);
    view.calculateOffsets();
    EXPECT_EQ(vph->offsetRight(), 40 + 13 + 7);
    EXPECT_EQ(vph->offsetLeft(), 7);

    // Drawn inside: nothing beside the circle.
    l->setDrawInside(true);
    view.setMinOffset(3);
    view.calculateOffsets();
    EXPECT_EQ(vph->offsetRight(), 3);
    EXPECT_EQ(vph->offsetBottom(), 7);
}

TEST_F(CircleViewTest, ADragRotatesAfterEightPointsOfTravel) {
    view.setRotationAngle(0);
    view.mouseDown({200, 100}); // angle 360 under the pointer: start angle 360
    // Within 8 points the chart follows the pointer without the drag becoming a rotation.
    view.mouseDragged({200, 105});
    EXPECT_FALSE(view.isRotating());
    EXPECT_NEAR(view.rotationAngle(), view.angleForPoint(200, 105), 1e-9);
    // The first event beyond 8 points only starts the rotation.
    const double before = view.rotationAngle();
    view.mouseDragged({100, 200});
    EXPECT_TRUE(view.isRotating());
    EXPECT_EQ(view.rotationAngle(), before);
    // Then the chart turns with the pointer: a quarter turn clockwise.
    view.mouseDragged({100, 200});
    EXPECT_NEAR(view.rotationAngle(), 90, 1e-9);
    view.setDragDecelerationEnabled(false);
    view.mouseUp({100, 200});
    EXPECT_FALSE(view.isRotating());
    EXPECT_FALSE(view.isDecelerating());

    // With rotation off nothing turns.
    view.setRotationEnabled(false);
    view.mouseDown({200, 100});
    view.mouseDragged({100, 0});
    view.mouseDragged({100, 0});
    EXPECT_NEAR(view.rotationAngle(), 90, 1e-9);
}

TEST_F(CircleViewTest, APressOrDragAtTheCentreIsIgnored) {
    view.setRotationAngle(30);
    view.mouseDown({100, 100});
    view.mouseDragged({150, 100});
    view.mouseDragged({100, 150});
    EXPECT_EQ(view.rotationAngle(), 30);
    view.mouseDown({200, 100});
    view.mouseDragged({100, 200});
    view.mouseDragged({100, 100});
    EXPECT_FALSE(std::isnan(view.rotationAngle()));
    view.mouseUp({100, 100});
    EXPECT_FALSE(std::isnan(view.rotationAngle()));
    // A drag with no press recorded (rotation switched on mid-drag) changes nothing.
    view.setRotationAngle(30);
    view.mouseDragged({100, 200});
    EXPECT_EQ(view.rotationAngle(), 30);
}

TEST_F(CircleViewTest, VelocitySamplesCoverOneSecondButKeepTwoEarlierOnes) {
    view.mouseDown({200, 100});
    view.mouseDragged({200, 101});
    clock.advance(1.5);
    view.mouseDragged({200, 102});
    ASSERT_EQ(view.velocitySamples().size(), 3u); // two old ones kept
    view.mouseDown({200, 100});
    for (int i = 1; i < 5; ++i)
        view.mouseDragged({200, 100.0 + i});
    clock.advance(2);
    view.mouseDragged({200, 110});
    ASSERT_EQ(view.velocitySamples().size(), 3u);
    EXPECT_EQ(view.velocitySamples()[0].angle, view.angleForPoint(200, 103));
    EXPECT_EQ(view.velocitySamples()[1].angle, view.angleForPoint(200, 104));
    EXPECT_EQ(view.velocitySamples()[2].time, clock.now());
}

TEST_F(CircleViewTest, AngularVelocityAcrossTheSeamAndAtOneInstant) {
    const auto at = [&](double angle) { return view.getPosition({100, 100}, 50, angle); };
    // Two samples at the same time: the difference over 0.1 s.
    view.mouseDown(at(10));
    view.mouseDragged(at(30));
    EXPECT_NEAR(view.angularVelocity(), 200, 1e-6);
    // 350 then 10 within half a second: clockwise across the seam, 40 degrees per second.
    view.mouseDown(at(350));
    clock.advance(0.5);
    view.mouseDragged(at(10));
    EXPECT_NEAR(view.angularVelocity(), 40, 1e-6);
    // And back: counter-clockwise.
    view.mouseDown(at(10));
    clock.advance(0.5);
    view.mouseDragged(at(350));
    EXPECT_NEAR(view.angularVelocity(), -40, 1e-6);
    // A pointer at rest at the end keeps the direction of the last move.
    view.mouseDown(at(100));
    clock.advance(0.25);
    view.mouseDragged(at(80));
    clock.advance(0.25);
    view.mouseDragged(at(80));
    EXPECT_NEAR(view.angularVelocity(), -40, 1e-6);
}

TEST_F(CircleViewTest, AReleaseSpinsOutAndComesToRest) {
    const auto at = [&](double angle) { return view.getPosition({100, 100}, 80, angle); };
    view.setRotationAngle(0);
    view.mouseDown(at(0));
    clock.advance(0.1);
    view.mouseDragged(at(30)); // starts the rotation
    clock.advance(0.1);
    view.mouseDragged(at(60));
    view.mouseUp(at(60));
    EXPECT_NEAR(view.rotationAngle(), 60, 1e-9);
    EXPECT_TRUE(view.isDecelerating());
    const double velocity = view.decelerationAngularVelocity();
    EXPECT_NEAR(velocity, 300, 1e-6); // 60 degrees in 0.2 s

    // Each frame the friction (0.9) applies first, then the step of that frame.
    clock.advance(1.0 / 60);
    EXPECT_NEAR(view.decelerationAngularVelocity(), velocity * 0.9, 1e-9);
    EXPECT_NEAR(view.rotationAngle(), 60 + velocity * 0.9 / 60, 1e-6);
    clock.advance(5);
    EXPECT_FALSE(view.isDecelerating());
    EXPECT_LT(std::fabs(view.decelerationAngularVelocity()), 0.001);
    const double rest = view.rotationAngle();
    // The spin-out turned on: the geometric sum of the frames, about 0.9/0.1 * 300/60.
    EXPECT_NEAR(rest, 60 + 300 * 0.9 / 0.1 / 60, 0.1);
    clock.advance(1);
    EXPECT_EQ(view.rotationAngle(), rest);
    EXPECT_EQ(clock.pending(), 0u);

    // A new press stops a spin-out.
    view.mouseDown(at(0));
    clock.advance(0.1);
    view.mouseDragged(at(30));
    view.mouseDragged(at(40));
    view.mouseUp(at(40));
    ASSERT_TRUE(view.isDecelerating());
    view.mouseDown(at(40));
    EXPECT_FALSE(view.isDecelerating());
}

TEST_F(CircleViewTest, NoSpinOutWithoutDecelerationOrWithoutVelocity) {
    view.setDragDecelerationEnabled(false);
    view.mouseDown({200, 100});
    clock.advance(0.1);
    view.mouseDragged({100, 200});
    view.mouseDragged({100, 200});
    view.mouseUp({100, 200});
    EXPECT_FALSE(view.isDecelerating());
    view.setDragDecelerationEnabled(true);
    view.mouseDown({200, 100});
    view.mouseUp({200, 100});
    EXPECT_EQ(view.decelerationAngularVelocity(), 0);
    EXPECT_FALSE(view.isDecelerating());
}

TEST_F(CircleViewTest, SpinTurnsOverTheDurationAndASecondSpinStartsFromTheFirstTarget) {
    view.spin(1.0, 0, 90);
    clock.advance(0.5);
    EXPECT_NEAR(view.rotationAngle(), 45, 2);
    view.spin(1.0, 200, 300, ChartEasingOption::linear);
    // The first spin jumped to its target before the second began.
    EXPECT_EQ(view.rawRotationAngle(), 90);
    clock.advance(2);
    EXPECT_EQ(view.rotationAngle(), 300);
    EXPECT_FALSE(view.isSpinning());
    view.spin(1.0, 0, 120);
    clock.advance(0.1);
    view.stopSpinAnimation();
    EXPECT_EQ(view.rotationAngle(), 120);
    EXPECT_FALSE(view.isSpinning());
    EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(CircleViewTest, TwoFingerRotationTurnsTheChartOnlyWhenEnabled) {
    view.setRotationAngle(270);
    sendGesture(view, Qt::BeginNativeGesture, 0);
    sendGesture(view, Qt::RotateNativeGesture, 20);
    sendGesture(view, Qt::EndNativeGesture, 0);
    EXPECT_EQ(view.rotationAngle(), 270);

    view.setRotationWithTwoFingers(true);
    sendGesture(view, Qt::BeginNativeGesture, 0);
    sendGesture(view, Qt::RotateNativeGesture, 20); // fingers turn clockwise
    EXPECT_NEAR(view.rotationAngle(), 290, 1e-9);
    sendGesture(view, Qt::RotateNativeGesture, 10);
    EXPECT_NEAR(view.rotationAngle(), 300, 1e-9);
    sendGesture(view, Qt::EndNativeGesture, 0);
    EXPECT_NEAR(view.rotationAngle(), 300, 1e-9);
    // The spin-out after two fingers has a fixed velocity.
    EXPECT_TRUE(view.isDecelerating());
    EXPECT_EQ(view.decelerationAngularVelocity(), 5.729577951308232);

    // A new gesture begins from the raw angle and stops the spin-out.
    view.rotationGestureRecognized(PieRadarChartViewBase::GestureState::began, 0);
    EXPECT_FALSE(view.isDecelerating());
    view.rotationGestureRecognized(PieRadarChartViewBase::GestureState::changed,
                                   std::numbers::pi / 2);
    EXPECT_NEAR(view.rotationAngle(), 300 - 90, 1e-6);
}

TEST_F(CircleViewTest, AClickSelectsTheSliceUnderItAndMouseDragsRotate) {
    view.setData(fourSlices());
    view.setRotationAngle(0);
    view.setDragDecelerationEnabled(false);
    // Slice 1 covers 90...180: a click below the centre.
    sendMouse(view, QEvent::MouseButtonPress, {95, 150});
    sendMouse(view, QEvent::MouseButtonRelease, {95, 150});
    ASSERT_EQ(view.highlighted().size(), 1u);
    EXPECT_EQ(view.highlighted()[0]->x(), 1);
    EXPECT_EQ(view.highlighted()[0]->y(), 2);
    // A click outside the circle selects nothing.
    sendMouse(view, QEvent::MouseButtonPress, {195, 195});
    sendMouse(view, QEvent::MouseButtonRelease, {195, 195});
    EXPECT_TRUE(view.highlighted().empty());
    // A drag is no click: it turns the chart and keeps the selection as it is.
    sendMouse(view, QEvent::MouseButtonPress, {190, 100});
    sendMouse(view, QEvent::MouseMove, {100, 190});
    sendMouse(view, QEvent::MouseMove, {100, 190});
    sendMouse(view, QEvent::MouseButtonRelease, {100, 190});
    EXPECT_NEAR(view.rotationAngle(), 90, 1e-9);
    EXPECT_TRUE(view.highlighted().empty());
}

TEST_F(CircleViewTest, MaxVisibleCountIsTheEntryCountAndTheYRangeIsZero) {
    EXPECT_EQ(view.maxVisibleCount(), 0);
    view.setData(fourSlices());
    EXPECT_EQ(view.maxVisibleCount(), 4);
    EXPECT_EQ(view.chartYMax(), 0);
    EXPECT_EQ(view.chartYMin(), 0);
}

TEST(PieRadarChartViewBase, TheChartTypesOperationsStopTheProgramOnTheBase) {
    struct Case {
        double (*call)(BareCircleView&);
        const char* message;
    };
    const Case cases[] = {
        {[](BareCircleView& v) { return double(v.indexForAngle(10)); },
         "indexForAngle\\(\\) cannot be called on PieRadarChartViewBase"},
        {[](BareCircleView& v) { return v.radius(); },
         "radius cannot be called on PieRadarChartViewBase"},
        {[](BareCircleView& v) { return v.requiredLegendOffset(); },
         "requiredLegendOffset cannot be called on PieRadarChartViewBase"},
        {[](BareCircleView& v) { return v.requiredBaseOffset(); },
         "requiredBaseOffset cannot be called on PieRadarChartViewBase"},
    };
    for (const auto& c : cases) {
        EXPECT_DEATH(
            {
                BareCircleView view;
                c.call(view);
            },
            c.message);
    }
}

TEST_F(CircleViewTest, TheHighlighterHitsUpToTheRimAndNamesTheSliceUnderTheAngle) {
    view.setData(fourSlices());
    view.setRotationAngle(0);
    auto highlighter = PieHighlighter::create(&view);
    // On the rim is a hit (slice 0 starts at the rotation angle); one point beyond is not.
    auto onRim = highlighter->getHighlight(200, 100);
    ASSERT_TRUE(onRim);
    EXPECT_EQ(onRim->x(), 0);
    EXPECT_EQ(onRim->dataSetIndex(), 0);
    EXPECT_EQ(onRim->xPx(), 200);
    EXPECT_EQ(onRim->yPx(), 100);
    EXPECT_FALSE(highlighter->getHighlight(100, 201));
    auto left = highlighter->getHighlight(50, 90); // just above the left: slice 2
    ASSERT_TRUE(left);
    EXPECT_EQ(left->x(), 2);
    EXPECT_EQ(left->y(), 3);
    // Without data sets nothing is named.
    view.setData(ChartData::create());
    EXPECT_FALSE(highlighter->getHighlight(150, 100));
    // Once the chart is gone the highlighter finds nothing.
    auto orphan = [] {
        auto other = std::make_unique<CircleView>();
        return PieHighlighter::create(other.get());
    }();
    EXPECT_FALSE(orphan->getHighlight(1, 1));
}

TEST(PieRadarHighlighter, TheBaseCannotBuildAHighlight) {
    EXPECT_DEATH(
        {
            CircleView view;
            PieRadarHighlighter::create(&view)->closestHighlight(0, 1, 1);
        },
        "closestHighlight\\(index, x, y\\) cannot be called on PieRadarChartHighlighter");
}
