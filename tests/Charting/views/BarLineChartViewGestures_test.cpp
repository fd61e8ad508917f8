#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/utils/GestureTracker.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/LineChartView.h"
#include "platform/Scheduler.h"
#include "support/PointerInput.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

using namespace charting;
using platform::Point;

namespace {

// Eleven entries x = 0, 10, ..., 100 with y = x.
std::shared_ptr<LineChartData> rampData(int count = 11) {
    ChartDataSet::EntryList entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(ChartDataEntry::create(i * 10.0, i * 10.0));
    return LineChartData::create({LineChartDataSet::create(entries, QStringLiteral("ramp"))});
}

class RecordingDelegate : public ChartViewDelegate {
public:
    void chartValueSelected(ChartViewBase&, const std::shared_ptr<ChartDataEntry>& entry,
                            const Highlight&) override {
        selected.push_back(entry);
    }
    void chartValueNothingSelected(ChartViewBase&) override { ++nothingSelected; }
    void chartViewDidEndPanning(ChartViewBase&) override { ++panningEnded; }
    void chartScaled(ChartViewBase&, double sx, double sy) override { scaled.push_back({sx, sy}); }
    void chartTranslated(ChartViewBase&, double dx, double dy) override {
        translated.push_back({dx, dy});
    }
    std::vector<std::shared_ptr<ChartDataEntry>> selected;
    int nothingSelected = 0;
    int panningEnded = 0;
    std::vector<std::pair<double, double>> scaled;
    std::vector<std::pair<double, double>> translated;
};

// A line chart 420 x 220 whose content is (20, 10, 400, 200), both axes 0...100: the value
// (x, y) sits at the pixel (20 + 4x, 210 - 2y) while unzoomed.
struct Chart {
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped{clock};
    LineChartView view;
    std::shared_ptr<ViewPortHandler> vph;
    RecordingDelegate delegate;
    testsupport::PointerInput input{view};

    explicit Chart(std::shared_ptr<LineChartData> data = rampData()) {
        view.xAxis()->setAxisMinimum(0);
        view.xAxis()->setAxisMaximum(100);
        for (auto axis : {view.leftAxis(), view.rightAxis()}) {
            axis->setAxisMinimum(0);
            axis->setAxisMaximum(100);
        }
        view.resize(420, 220);
        view.boundsDidChange();
        view.setData(std::move(data));
        view.setViewPortOffsets(20, 10, 0, 10);
        view.setDelegate(&delegate);
        vph = view.viewPortHandler();
    }
    ~Chart() { view.setDelegate(nullptr); }

    Point valueAt(QPoint pixel) {
        return view.valueForTouchPoint({double(pixel.x()), double(pixel.y())},
                                       AxisDependency::left);
    }
    void pinch(QPoint at, double increment) { input.pinch(QPointF(at), increment); }
    void controlWheel(QPoint at, int angle) { input.wheel(QPointF(at), angle, Qt::ControlModifier); }
    void drag(const std::vector<QPoint>& path) { input.drag(path); }
    void doubleClick(QPoint at) { input.doubleClick(at); }
};

void expectNear(Point p, Point expected, double tolerance = 1e-6) {
    EXPECT_NEAR(p.x, expected.x, tolerance);
    EXPECT_NEAR(p.y, expected.y, tolerance);
}

} // namespace

TEST(BarLineChartViewGestures, DoubleClickZoomsAboutTheClick) {
    struct Case {
        const char* name;
        std::function<void(Chart&)> setUp;
        double scaleX, scaleY;
    };
    const std::vector<Case> cases = {
        {"both axes", [](Chart&) {}, 1.4, 1.4},
        {"y may not scale", [](Chart& c) { c.view.setScaleYEnabled(false); }, 1.4, 1.0},
        {"already zoomed and moved",
         [](Chart& c) { c.view.zoom(2, 2, 60, 30, AxisDependency::left); }, 2 * 1.4, 2 * 1.4},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Chart c;
        k.setUp(c);
        const double before = c.view.scaleX();
        const QPoint click(140, 90);
        const Point value = c.valueAt(click);
        c.doubleClick(click);
        EXPECT_NEAR(c.view.scaleX(), k.scaleX, 1e-9);
        EXPECT_NEAR(c.view.scaleY(), k.scaleY, 1e-9);
        EXPECT_GT(c.view.scaleX(), before);
        // The clicked value stays under the pointer.
        expectNear(c.valueAt(click), value);
        ASSERT_EQ(c.delegate.scaled.size(), 1u);
        EXPECT_EQ(c.delegate.scaled[0], std::pair(c.view.scaleX(), c.view.scaleY()));
    }
    {
        SCOPED_TRACE("no entries");
        Chart c(rampData(0));
        c.doubleClick(QPoint(140, 90));
        EXPECT_EQ(c.view.scaleX(), 1);
        EXPECT_TRUE(c.delegate.scaled.empty());
    }
    {
        SCOPED_TRACE("switched off");
        Chart c;
        c.view.setDoubleTapToZoomEnabled(false);
        c.doubleClick(QPoint(140, 90));
        EXPECT_EQ(c.view.scaleX(), 1);
    }
}

TEST(BarLineChartViewGestures, ClickingTogglesTheHighlight) {
    Chart c;
    c.view.setMaxHighlightDistance(10);
    const QPoint onThirty(140, 150); // the entry (30, 30)
    c.input.click(onThirty);
    ASSERT_EQ(c.view.highlighted().size(), 1u);
    EXPECT_EQ(c.view.highlighted()[0]->x(), 30);
    ASSERT_EQ(c.delegate.selected.size(), 1u);
    EXPECT_EQ(c.delegate.selected[0]->x(), 30);

    c.input.click(onThirty);
    EXPECT_TRUE(c.view.highlighted().empty());
    EXPECT_EQ(c.delegate.nothingSelected, 1);

    c.input.click(onThirty);
    EXPECT_EQ(c.view.highlighted().size(), 1u);
    c.input.click(QPoint(40, 30)); // far from every entry
    EXPECT_TRUE(c.view.highlighted().empty());
    EXPECT_EQ(c.delegate.nothingSelected, 2);

    c.view.setHighlightPerTapEnabled(false);
    c.input.click(onThirty);
    EXPECT_TRUE(c.view.highlighted().empty());
}

TEST(BarLineChartViewGestures, PinchScalesTheAxesTheFlagsAndLimitsAllow) {
    struct Case {
        const char* name;
        std::function<void(Chart&)> setUp;
        std::function<void(Chart&, QPoint)> gesture;
        double scaleX, scaleY;
    };
    const auto pinchBy = [](double increment) {
        return [increment](Chart& c, QPoint at) { c.pinch(at, increment); };
    };
    const std::vector<Case> cases = {
        {"default flags scale both axes", [](Chart&) {}, pinchBy(0.5), 1.5, 1.5},
        {"pinch zoom", [](Chart& c) { c.view.setPinchZoomEnabled(true); }, pinchBy(0.5), 1.5,
         1.5},
        {"only x", [](Chart& c) { c.view.setScaleYEnabled(false); }, pinchBy(0.5), 1.5, 1},
        {"only y", [](Chart& c) { c.view.setScaleXEnabled(false); }, pinchBy(0.5), 1, 1.5},
        {"pinch zoom without scale flags",
         [](Chart& c) {
             c.view.setScaleEnabled(false);
             c.view.setPinchZoomEnabled(true);
         },
         pinchBy(0.5), 1, 1},
        {"no scaling at all", [](Chart& c) { c.view.setScaleEnabled(false); }, pinchBy(0.5), 1,
         1},
        {"zooming out at the smallest scale", [](Chart&) {}, pinchBy(-0.3), 1, 1},
        {"x at its largest scale", [](Chart& c) { c.view.setVisibleXRangeMinimum(100); },
         pinchBy(0.5), 1, 1.5},
        {"one Ctrl + wheel notch", [](Chart&) {},
         [](Chart& c, QPoint at) { c.controlWheel(at, 120); }, 1.1, 1.1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Chart c;
        k.setUp(c);
        const QPoint at(220, 110);
        const Point value = c.valueAt(at);
        k.gesture(c, at);
        EXPECT_NEAR(c.view.scaleX(), k.scaleX, 1e-9);
        EXPECT_NEAR(c.view.scaleY(), k.scaleY, 1e-9);
        expectNear(c.valueAt(at), value); // scaled about the fingers
        EXPECT_EQ(c.view.pinchGestureRecognizer()->magnification(), 0);
        EXPECT_FALSE(c.view.isScaling());
    }
}

TEST(BarLineChartViewGestures, ADragHighlightsOrMovesAsTheFlagsSay) {
    struct Case {
        const char* name;
        std::function<void(Chart&)> setUp;
        double dx, dy; // expected movement of the touch matrix
        bool highlights;
    };
    const auto zoomed = [](std::function<void(Chart&)> more) {
        return [more](Chart& c) {
            c.view.zoom(2, 2, 50, 50, AxisDependency::left);
            more(c);
        };
    };
    const std::vector<Case> cases = {
        {"unzoomed: highlights", [](Chart&) {}, 0, 0, true},
        {"unzoomed, no drag highlighting",
         [](Chart& c) { c.view.setHighlightPerDragEnabled(false); }, 0, 0, false},
        {"zoomed: moves", zoomed([](Chart&) {}), -40, 30, false},
        {"zoomed, only along x", zoomed([](Chart& c) { c.view.setDragYEnabled(false); }), -40, 0,
         false},
        {"zoomed, only along y", zoomed([](Chart& c) { c.view.setDragXEnabled(false); }), 0, 30,
         false},
        {"zoomed, no dragging", zoomed([](Chart& c) { c.view.setDragEnabled(false); }), 0, 0,
         true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Chart c;
        c.view.setDragDecelerationEnabled(false);
        c.view.setMaxHighlightDistance(10);
        k.setUp(c);
        const auto before = c.vph->touchMatrix();
        // Ends over the pixel of the entry (30, 30) of the unzoomed chart.
        const QPoint end(140, 150);
        const QPoint start(end.x() + 40, end.y() - 30);
        c.drag({start, {start.x() - 10, start.y() + 10}, {start.x() - 30, start.y() + 20}, end});
        EXPECT_NEAR(c.vph->touchMatrix().tx - before.tx, k.dx, 1e-9);
        EXPECT_NEAR(c.vph->touchMatrix().ty - before.ty, k.dy, 1e-9);
        EXPECT_EQ(c.view.highlighted().size(), k.highlights ? 1u : 0u);
        EXPECT_EQ(c.delegate.panningEnded, 1);
        EXPECT_FALSE(c.view.isDragging());
    }
}

TEST(BarLineChartViewGestures, AFlungChartSlowsDownFrameByFrameAndComesToRest) {
    Chart c;
    c.view.zoom(4, 4, 50, 50, AxisDependency::left);
    const double coefficient = c.view.dragDecelerationFrictionCoef();
    // 100 pixels to the left, released 70 ms after the press.
    c.drag({{300, 100}, {280, 100}, {260, 100}, {240, 100}, {220, 100}, {200, 100}, {200, 100}});
    ASSERT_TRUE(c.view.isDecelerating());
    const double velocity = -100 / 0.07;
    const double released = c.vph->touchMatrix().tx;

    const double frame = 1.0 / 60;
    c.clock.advance(frame);
    EXPECT_NEAR(c.vph->touchMatrix().tx - released, velocity * coefficient * frame, 1e-6);

    int frames = 1;
    while (c.view.isDecelerating() && frames < 10000) {
        c.clock.advance(frame);
        ++frames;
    }
    EXPECT_FALSE(c.view.isDecelerating());
    // Every frame moved by the velocity times the coefficient to the frame's power.
    const double travelled = velocity * coefficient * (1 - std::pow(coefficient, frames)) /
                             (1 - coefficient) * frame;
    EXPECT_NEAR(c.vph->touchMatrix().tx - released, travelled, 1e-3);
    EXPECT_LT(std::fabs(velocity) * std::pow(coefficient, frames), 0.001);
    EXPECT_GT(std::fabs(velocity) * std::pow(coefficient, frames - 1), 0.001);

    // Flung against the edge: the first frame that cannot move ends it.
    c.drag({{10, 100}, {110, 100}, {210, 100}, {310, 100}, {410, 100}});
    ASSERT_TRUE(c.view.isDecelerating());
    for (int i = 0; i < 200 && c.view.isDecelerating(); ++i)
        c.clock.advance(frame);
    EXPECT_FALSE(c.view.isDecelerating());
    EXPECT_EQ(c.vph->touchMatrix().tx, 0);
}

TEST(BarLineChartViewGestures, AFlingOnlyGoesOnAlongTheAxesTheDragMayMove) {
    Chart c;
    c.view.zoom(4, 4, 50, 50, AxisDependency::left);
    c.view.setDragYEnabled(false);
    const double ty = c.vph->touchMatrix().ty;
    c.drag({{300, 100}, {280, 110}, {260, 120}, {240, 130}, {240, 130}});
    ASSERT_TRUE(c.view.isDecelerating());
    for (int i = 0; i < 30; ++i)
        c.clock.advance(1.0 / 60);
    EXPECT_EQ(c.vph->touchMatrix().ty, ty);
}

TEST(BarLineChartViewGestures, LosingTheMouseCancelsADrag) {
    Chart c;
    c.view.zoom(2, 2, 50, 50, AxisDependency::left);
    c.input.press(QPoint(200, 100));
    c.input.move(QPoint(170, 100));
    c.input.move(QPoint(140, 100));
    ASSERT_TRUE(c.view.isDragging());
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&c.view, &deactivate);
    EXPECT_FALSE(c.view.isDragging());
    EXPECT_FALSE(c.view.isDecelerating()); // cancelled, not ended
    EXPECT_EQ(c.delegate.panningEnded, 1);
    const auto matrix = c.vph->touchMatrix();
    c.input.move(QPoint(100, 100));
    c.input.release(QPoint(100, 100));
    EXPECT_EQ(c.vph->touchMatrix(), matrix);
    EXPECT_EQ(c.delegate.panningEnded, 1);
}

namespace {

// A chart inside a scroll area, or inside a scroll area that is another one's content; the
// chart goes back to its owner when the areas go.
struct Scrolled {
    QScrollArea outer;
    QScrollArea* inner = nullptr; // owned by `outer`
    QScrollArea* holder;

    Scrolled(QWidget& chart, bool nested) : holder(&outer) {
        if (nested) {
            inner = new QScrollArea;
            outer.setWidget(inner);
            holder = inner;
        }
        holder->setWidget(&chart);
    }
    ~Scrolled() { holder->takeWidget(); }
};

std::shared_ptr<GestureRecognizer> recognizer(GestureKind kind) {
    return GestureRecognizer::create(kind, [](GestureRecognizer&) {});
}

} // namespace

TEST(BarLineChartViewGestures, TheDragRunsTogetherOnlyWithTheEnclosingScrollAreasFirstDrag) {
    enum class Where { nowhere, outerArea, outerViewport, innerArea };
    enum class Holds { theAskedDrag, anotherDragFirst, aClickOnly };
    struct Case {
        const char* name;
        bool nested;
        Where tracker;
        Holds holds;
        bool together;
    };
    const Case cases[] = {
        {"one area without a tracker", false, Where::nowhere, Holds::theAskedDrag, false},
        {"one area, its drag", false, Where::outerArea, Holds::theAskedDrag, true},
        {"one area, its viewport's drag", false, Where::outerViewport, Holds::theAskedDrag, true},
        {"one area, another drag first", false, Where::outerArea, Holds::anotherDragFirst, false},
        {"one area, clicks only", false, Where::outerArea, Holds::aClickOnly, false},
        {"nested areas without a tracker", true, Where::nowhere, Holds::theAskedDrag, false},
        {"nested areas, the outer one's drag", true, Where::outerArea, Holds::theAskedDrag, true},
        {"nested areas, the outer viewport's drag", true, Where::outerViewport,
         Holds::theAskedDrag, true},
        // The outer area is the one asked: the inner one's drag does not count.
        {"nested areas, the inner one's drag", true, Where::innerArea, Holds::theAskedDrag, false},
        {"nested areas, clicks only", true, Where::outerArea, Holds::aClickOnly, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chart chart;
        Scrolled areas(chart.view, c.nested);
        const auto asked = recognizer(GestureKind::pan);
        QWidget* watched = nullptr;
        GestureTracker* tracker = nullptr;
        if (c.tracker != Where::nowhere) {
            watched = c.tracker == Where::outerArea       ? &areas.outer
                      : c.tracker == Where::outerViewport ? areas.outer.viewport()
                                                          : areas.inner;
            ASSERT_NE(watched, nullptr);
            tracker = new GestureTracker(watched);
            if (c.holds == Holds::anotherDragFirst)
                tracker->addGestureRecognizer(recognizer(GestureKind::pan));
            tracker->addGestureRecognizer(recognizer(GestureKind::click));
            if (c.holds != Holds::aClickOnly)
                tracker->addGestureRecognizer(asked);
        }
        // Only the tracker is found, never one of the areas' own children (viewports, scroll
        // bars, the inner area).
        for (QWidget* w : {static_cast<QWidget*>(&areas.outer), areas.outer.viewport(),
                           static_cast<QWidget*>(areas.inner),
                           areas.inner ? areas.inner->viewport() : nullptr}) {
            if (w) {
                EXPECT_EQ(GestureTracker::trackerOf(w), w == watched ? tracker : nullptr);
            }
        }
        auto& pan = *chart.view.panGestureRecognizer();
        EXPECT_EQ(chart.view.gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
                      pan, *asked),
                  c.together);
        // Asked the other way round, or about its own pinch and drag, the answer is fixed.
        EXPECT_FALSE(chart.view.gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
            *asked, pan));
        EXPECT_TRUE(chart.view.gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
            pan, *chart.view.pinchGestureRecognizer()));
    }
}

TEST(BarLineChartViewGestures, AChartOutsideAnyScrollAreaRunsItsDragAlone) {
    Chart c;
    const auto other = recognizer(GestureKind::pan);
    EXPECT_FALSE(c.view.gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
        *c.view.panGestureRecognizer(), *other));
}

TEST(BarLineChartViewGestures, AScrollAreaWhoseDragRunsTogetherTakesOverADragTheChartCannotFollow) {
    Chart c;
    Scrolled areas(c.view, false);
    auto* tracker = new GestureTracker(&areas.outer);
    const auto scrolling = recognizer(GestureKind::pan);
    tracker->addGestureRecognizer(scrolling);
    c.view.zoom(2, 2, 50, 50, AxisDependency::left);
    // To the left edge of the data: the chart cannot move further right.
    c.drag({{100, 100}, {300, 100}, {400, 100}});
    const auto matrix = c.vph->touchMatrix();

    // Without the question, the chart keeps the drag even though it cannot move.
    c.input.press(QPoint(100, 100));
    c.input.move(QPoint(130, 100));
    EXPECT_TRUE(c.view.isDragging());
    c.input.release(QPoint(130, 100));

    // Once it answered that the scroll area's drag runs together, the scroll area takes over.
    ASSERT_TRUE(c.view.gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
        *c.view.panGestureRecognizer(), *scrolling));
    c.input.press(QPoint(100, 100), 1000);
    c.input.move(QPoint(130, 100));
    EXPECT_FALSE(c.view.isDragging());
    c.input.move(QPoint(160, 100));
    c.input.release(QPoint(160, 100));
    EXPECT_EQ(c.vph->touchMatrix(), matrix);
}
