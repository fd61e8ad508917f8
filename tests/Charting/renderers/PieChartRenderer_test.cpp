#include "Charting/components/Description.h"
#include "Charting/components/Legend.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartData.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSet.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/renderers/PieChartRenderer.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/views/PieChartView.h"
#include "support/PieChartTestData.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace charting;
using platform::Point;

namespace {

constexpr double kDegree = std::numbers::pi / 180;

Point onCircle(Point c, double r, double degrees) {
    return {c.x + r * std::cos(degrees * kDegree), c.y + r * std::sin(degrees * kDegree)};
}

void expectNear(Point actual, Point expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-6) << what;
}

// The end point of a path element.
Point endOf(const Path::Element& e) {
    return e.type == Path::ElementType::curveTo ? e.points[2] : e.points[0];
}

// A 200 x 200 pie without legend, selection shift or hole unless asked: centre (100, 100),
// radius 100, rotation 0.
class PieRendering : public testing::Test {
protected:
    void show(std::vector<double> values, double width = 200, double height = 200) {
        view.legend()->setEnabled(false);
        view.resize(int(width), int(height));
        view.boundsDidChange();
        ChartDataSet::EntryList entries;
        const char* names[] = {"A", "B", "C", "D", "E"};
        for (std::size_t i = 0; i < values.size(); ++i)
            entries.push_back(PieChartDataEntry::create(values[i], QString(names[i % 5])));
        set = PieChartDataSet::create(entries, QStringLiteral("Sales"));
        set->setSelectionShift(0);
        set->setColors({Qt::red, Qt::green, Qt::blue, Qt::yellow});
        data = PieChartData::create({set});
        view.setData(data);
        set->setValueFormatter(DefaultValueFormatter::create(0));
        view.setRotationAngle(0);
        view.setDrawHoleEnabled(false);
        renderer = std::dynamic_pointer_cast<PieChartRenderer>(view.renderer());
    }
    std::vector<RecordingGraphicsContext::Call> slices() {
        RecordingGraphicsContext context;
        renderer->drawData(context);
        EXPECT_EQ(context.savedStateCount(), 0);
        return context.callsNamed("fillPath");
    }

    PieChartView view;
    std::shared_ptr<PieChartDataSet> set;
    std::shared_ptr<PieChartData> data;
    std::shared_ptr<PieChartRenderer> renderer;
};

} // namespace

TEST_F(PieRendering, SlicesRunFromTheRotationAngleToTheCentre) {
    show({1, 1});
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 2u);
    const Point c{100, 100};
    for (std::size_t k = 0; k < 2; ++k) {
        const auto& e = fills[k].path.elements();
        EXPECT_EQ(fills[k].args, std::vector<double>{1}); // even-odd
        EXPECT_EQ(fills[k].state.fillColor, k == 0 ? QColor(Qt::red) : QColor(Qt::green));
        ASSERT_GE(e.size(), 4u);
        expectNear(e.front().points[0], onCircle(c, 100, 180.0 * k), "arc start");
        ASSERT_EQ(e.back().type, Path::ElementType::closeSubpath);
        expectNear(endOf(e[e.size() - 3]), onCircle(c, 100, 180.0 * (k + 1)), "arc end");
        EXPECT_EQ(endOf(e[e.size() - 2]), c);
    }
}

TEST_F(PieRendering, SpacingAndHoleGiveEachSliceAnInnerArc) {
    show({1, 1});
    set->setSliceSpace(10);
    view.setDrawHoleEnabled(true);
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 2u);
    const Point c{100, 100};
    const double outerGap = 10 / (100 * kDegree); // degrees of the rim the space takes
    const double innerGap = 10 / (50 * kDegree);
    const auto& e = fills[0].path.elements();
    expectNear(e.front().points[0], onCircle(c, 100, outerGap / 2), "outer start");
    // After the outer arc: a line in to the hole's rim at the inner end angle, then back.
    std::size_t line = 1;
    while (line < e.size() && e[line].type != Path::ElementType::lineTo)
        ++line;
    ASSERT_LT(line, e.size());
    expectNear(endOf(e[line - 1]), onCircle(c, 100, 180 - outerGap / 2), "outer end");
    expectNear(e[line].points[0], onCircle(c, 50, 180 - innerGap / 2), "inner end");
    expectNear(endOf(e[e.size() - 2]), onCircle(c, 50, innerGap / 2), "inner start");
}

TEST_F(PieRendering, SpacedEdgesMeetOnlyForSlicesUpToHalfTheCircle) {
    show({1, 3});
    set->setSliceSpace(10);
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 2u);
    const Point c{100, 100};
    // The quarter slice closes where its spaced edges meet, on its middle line off the centre.
    const auto& quarter = fills[0].path.elements();
    const Point meet = endOf(quarter[quarter.size() - 2]);
    EXPECT_GT(std::hypot(meet.x - c.x, meet.y - c.y), 1);
    EXPECT_NEAR(std::atan2(meet.y - c.y, meet.x - c.x) / kDegree, 45, 1e-6);
    // The three-quarter slice goes to the centre itself.
    const auto& rest = fills[1].path.elements();
    EXPECT_EQ(endOf(rest[rest.size() - 2]), c);
}

TEST_F(PieRendering, ASingleVisibleSliceIsAWholeRingWithoutSpacing) {
    show({5, 0, 0});
    set->setSliceSpace(10);
    view.setDrawHoleEnabled(true);
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 1u); // the zero values leave gaps of no width
    const auto& e = fills[0].path.elements();
    const Point c{100, 100};
    expectNear(e.front().points[0], onCircle(c, 100, 0), "outer start");
    std::size_t line = 1;
    while (line < e.size() && e[line].type != Path::ElementType::lineTo)
        ++line;
    ASSERT_LT(line, e.size());
    expectNear(endOf(e[line - 1]), onCircle(c, 100, 360), "outer end");
    expectNear(e[line].points[0], onCircle(c, 50, 360), "inner end");
    expectNear(endOf(e[e.size() - 2]), onCircle(c, 50, 0), "inner start");
}

TEST_F(PieRendering, AnimationScalesStartsWithPhaseYAndAdvancesWithPhaseX) {
    show({1, 1});
    view.chartAnimator()->setPhaseX(0.5);
    view.chartAnimator()->setPhaseY(0.5);
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 2u);
    const Point c{100, 100};
    // Slice 0: 0 sweeping 90. Slice 1 starts at (180 x 0.5) x 0.5 = 45 and sweeps 90.
    expectNear(fills[0].path.elements().front().points[0], onCircle(c, 100, 0), "first");
    const auto& second = fills[1].path.elements();
    expectNear(second.front().points[0], onCircle(c, 100, 45), "second start");
    expectNear(endOf(second[second.size() - 3]), onCircle(c, 100, 135), "second end");
}

TEST_F(PieRendering, AutomaticSpacingGivesWayToTheSmallestSlice) {
    show({1, 99}, 200, 300);
    set->setSliceSpace(10);
    EXPECT_EQ(renderer->getSliceSpace(*set), 10); // not automatic
    set->setAutomaticallyDisableSliceSpacing(true);
    EXPECT_EQ(renderer->getSliceSpace(*set), 0); // 10 / 200 = 0.05 > 2 x 1 / 100
    show({30, 70}, 200, 300);
    set->setSliceSpace(10);
    set->setAutomaticallyDisableSliceSpacing(true);
    EXPECT_EQ(renderer->getSliceSpace(*set), 10);
}

TEST_F(PieRendering, MinimumRadiusOfASpacedSlice) {
    show({1});
    // A quarter arc of radius 100 from 0: chord (100, 0)-(0, 100), its middle 29.29 from the
    // arc's middle; the triangle over half the chord at (180 - 60) / 2 degrees.
    const double result =
        renderer->calculateMinimumRadiusForSpacedSlice({0, 0}, 100, 60, 100, 0, 0, 90);
    const double half = std::hypot(100, 100) / 2;
    EXPECT_NEAR(result, 100 - half * std::tan(60 * kDegree) - (100 - half), 1e-9);
}

TEST_F(PieRendering, AccessibilityTextsOfTheHeaderAndTheSlices) {
    show({1, 2, 0, 4});
    view.chartDescription()->setText(QStringLiteral("Sales"));
    RecordingGraphicsContext context;
    renderer->drawData(context);
    auto rows = renderer->accessibleChartElements();
    ASSERT_EQ(rows.size(), 4u); // the zero value has no element
    EXPECT_EQ(rows[0]->elementLabel(), QStringLiteral("Sales. 4 Elements"));
    EXPECT_TRUE(rows[0]->isHeader());
    EXPECT_EQ(rows[0]->role(), AccessibilityRole::staticText);
    EXPECT_EQ(rows[1]->elementLabel(), QStringLiteral("A : 1 "));
    EXPECT_EQ(rows[3]->elementLabel(), QStringLiteral("D : 4 "));
    // The element's frame holds its slice: slice 0 lies below right of the centre.
    const auto frame = rows[1]->elementFrame();
    EXPECT_GT(frame.size.width, 0);

    // A prefix names the slices by number; a counted suffix gets an s unless the value is 1.
    data->setAccessibilityEntryLabelPrefix(QStringLiteral("Servo "));
    data->setAccessibilityEntryLabelSuffix(QStringLiteral("step"));
    data->setAccessibilityEntryLabelSuffixIsCount(true);
    view.setUsePercentValuesEnabled(true);
    renderer->drawData(context);
    rows = renderer->accessibleChartElements();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0]->elementLabel(), QStringLiteral("Sales. 4 Servo s"));
    EXPECT_EQ(rows[1]->elementLabel(), QStringLiteral("Servo 1 : 14 step"));
    EXPECT_EQ(rows[2]->elementLabel(), QStringLiteral("Servo 2 : 29 steps"));

    // Without a description the data set's label names the chart; one entry has no plural.
    view.chartDescription()->setText(std::nullopt);
    show({3});
    renderer->drawData(context);
    EXPECT_EQ(renderer->accessibleChartElements()[0]->elementLabel(),
              QStringLiteral("Sales. 1 Element"));
    set->setLabel(std::nullopt);
    view.setCenterText(QStringLiteral("Middle"));
    renderer->drawData(context);
    EXPECT_EQ(renderer->accessibleChartElements()[0]->elementLabel(),
              QStringLiteral("Middle. 1 Element"));
}

TEST_F(PieRendering, AHighlightedSliceIsDrawnShiftedAndSelected) {
    show({1, 1});
    set->setSelectionShift(10);
    set->setHighlightColor(QColor(Qt::black));
    view.notifyDataSetChanged(); // the circle box shrinks by the shift: radius 90
    view.highlightValue(Highlight::create(1, 1, 0, -1));
    RecordingGraphicsContext context;
    renderer->drawData(context);
    const auto plain = context.callsNamed("fillPath");
    ASSERT_EQ(plain.size(), 1u); // the highlighted slice is left to the highlight pass
    context.clear();
    renderer->drawHighlighted(context, view.highlighted());
    const auto fills = context.callsNamed("fillPath");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].state.fillColor, QColor(Qt::black));
    const auto& e = fills[0].path.elements();
    expectNear(e.front().points[0], onCircle({100, 100}, 100, 180), "shifted start");
    const auto& rows = renderer->accessibleChartElements();
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(rows.back()->isSelected());
    EXPECT_EQ(rows.back()->elementLabel(), QStringLiteral("B : 1 "));
}

TEST_F(PieRendering, HoleRingAndCenterText) {
    show({1, 1});
    view.setDrawHoleEnabled(true);
    view.setHoleColor(QColor(Qt::white));
    view.setCenterText(QStringLiteral("Total"));
    RecordingGraphicsContext context;
    renderer->drawExtras(context);
    const auto hole = context.callsNamed("fillEllipse");
    ASSERT_EQ(hole.size(), 1u);
    EXPECT_EQ(hole[0].args, (std::vector<double>{50, 50, 100, 100}));
    const auto ring = context.callsNamed("fillPath");
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0].args, std::vector<double>{1}); // even-odd: only the ring
    EXPECT_EQ(ring[0].state.fillColor.alpha(), 105);
    const auto text = context.callsNamed("drawTextInRect");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].text, QStringLiteral("Total"));
    EXPECT_EQ(context.savedStateCount(), 0);

    view.setDrawCenterTextEnabled(false);
    view.setDrawHoleEnabled(false);
    context.clear();
    renderer->drawExtras(context);
    EXPECT_TRUE(context.paintCalls().empty());
}

TEST_F(PieRendering, ValuesInsideAndOutside) {
    show({1, 3});
    RecordingGraphicsContext context;
    renderer->drawValues(context);
    // Inside: the value and the entry label of each slice.
    auto texts = context.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, QStringLiteral("1"));
    EXPECT_EQ(texts[1].text, QStringLiteral("A"));
    EXPECT_TRUE(context.callsNamed("strokePath").empty());

    set->setYValuePosition(PieChartDataSet::ValuePosition::outside);
    view.setDrawEntryLabelsEnabled(false);
    context.clear();
    renderer->drawValues(context);
    texts = context.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 2u);
    // Outside: a line to each value, on the right for the first slice (middle at 45 degrees).
    const auto lines = context.callsNamed("strokePath");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_GT(texts[0].args[0], 200);

    // Slices below the threshold get no text.
    view.setSliceTextDrawingThreshold(100);
    context.clear();
    renderer->drawValues(context);
    EXPECT_EQ(context.callsNamed("drawText").size(), 1u);
}

TEST_F(PieRendering, SeveralDataSetsFollowEachOtherRoundTheCircle) {
    show({1, 1});
    auto second = testsupport::pieSet({2});
    second->setSelectionShift(0);
    second->setColors({Qt::blue});
    data->setDataSets({set, second});
    view.notifyDataSetChanged();
    const auto fills = slices();
    ASSERT_EQ(fills.size(), 3u);
    const Point c{100, 100};
    // Each slice takes its share of all drawn values: 90, 90, then the second set's 180.
    const auto& last = fills[2].path.elements();
    EXPECT_EQ(fills[2].state.fillColor, QColor(Qt::blue));
    expectNear(last.front().points[0], onCircle(c, 100, 180), "second set start");
    expectNear(endOf(last[last.size() - 3]), onCircle(c, 100, 360), "second set end");
    // Headers per data set: Sales (2 slices), then the second (1 slice).
    const auto& rows = renderer->accessibleChartElements();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(rows[3]->isHeader());
    EXPECT_EQ(rows[3]->elementLabel(), QStringLiteral("Slices. 1 Element"));
}
