#include "Charting/components/Legend.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartData.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSet.h"
#include "Charting/highlight/PieHighlighter.h"
#include "Charting/renderers/PieChartRenderer.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/PieChartView.h"

#include "support/ChartImage.h"
#include "support/PieChartTestData.h"
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace charting;
using platform::Point;
using platform::Rect;
using testsupport::pieSet;

namespace {

// A pie view of the given size whose content is the whole view (no legend, no offsets).
class PieViewTest : public testing::Test {
protected:
    void SetUp() override { size(200, 200); }
    void size(int width, int height) {
        view.legend()->setEnabled(false);
        view.resize(width, height);
        view.boundsDidChange();
    }
    void show(std::vector<std::vector<double>> sets) {
        ChartData::DataSetList list;
        for (auto& values : sets)
            list.push_back(pieSet(values));
        view.setData(PieChartData::create(list));
    }
    PieChartView view;
};

} // namespace

TEST_F(PieViewTest, SliceAnglesAreSharesOfTheDrawnMagnitudes) {
    struct Case {
        const char* name;
        std::vector<std::vector<double>> sets;
        double maxAngle;
        std::vector<double> draw, absolute;
    };
    const Case cases[] = {
        {"plain", {{1, 1, 2}}, 360, {90, 90, 180}, {90, 180, 360}},
        {"negative", {{1, -1, 2}}, 360, {90, 90, 180}, {90, 180, 360}},
        {"half", {{1, 1, 2}}, 180, {45, 45, 90}, {45, 90, 180}},
        {"two sets", {{1, 1}, {2}}, 360, {90, 90, 180}, {90, 180, 360}},
        {"all zero", {{0, 0}}, 360, {0, 0}, {0, 0}},
        {"zero beside", {{0, 0}, {3, 1}}, 360, {0, 0, 270, 90}, {0, 0, 270, 360}},
        {"thirds", {{1, 1, 1}}, 360, {120, 120, 120}, {120, 240, 360}},
    };
    for (const auto& c : cases) {
        view.setMaxAngle(c.maxAngle);
        show(c.sets);
        const auto draw = view.drawAngles();
        const auto absolute = view.absoluteAngles();
        ASSERT_EQ(draw.size(), c.draw.size()) << c.name;
        for (std::size_t i = 0; i < draw.size(); ++i) {
            EXPECT_NEAR(draw[i], c.draw[i], 1e-9) << c.name << " " << i;
            EXPECT_NEAR(absolute[i], c.absolute[i], 1e-9) << c.name << " " << i;
            EXPECT_LE(absolute[i], c.maxAngle) << c.name;
        }
    }
    // A hidden data set takes no share and gets no angle.
    auto hidden = pieSet({6});
    hidden->setVisible(false);
    view.setMaxAngle(360);
    view.setData(PieChartData::create({pieSet({1, 3}), hidden}));
    EXPECT_EQ(view.drawAngles(), (std::vector<double>{90, 270, 0}));
    EXPECT_EQ(view.absoluteAngles(), (std::vector<double>{90, 360, 360}));
    // No data: no angles.
    view.setData(nullptr);
    view.computeSliceAngles();
    EXPECT_TRUE(view.drawAngles().empty());
}

TEST_F(PieViewTest, IndexForAngleAroundTheCircleAndAtTheSeams) {
    show({{1, 1, 2}});
    view.setRotationAngle(270);
    struct Case {
        double angle;
        int index;
    };
    for (const Case c : {Case{300, 0}, Case{270, 0}, Case{260, 2}, Case{0.5, 1}, Case{359.9, 0},
                         Case{360, 1}, Case{90, 2}, Case{269.999, 2}}) {
        EXPECT_EQ(view.indexForAngle(c.angle), c.index) << c.angle;
    }
    // Slices covering only half the circle: the other half names nothing.
    view.setMaxAngle(180);
    view.notifyDataSetChanged();
    view.setRotationAngle(0);
    EXPECT_EQ(view.indexForAngle(100), 2);
    EXPECT_EQ(view.indexForAngle(180), -1);
    EXPECT_EQ(view.indexForAngle(300), -1);
    view.setData(PieChartData::create());
    EXPECT_EQ(view.indexForAngle(10), -1);
}

TEST_F(PieViewTest, MaxAngleStaysWithinAQuarterAndAWholeTurn) {
    for (const auto& [set, stored] :
         std::vector<std::pair<double, double>>{{45, 90}, {400, 360}, {200, 200}, {90, 90}}) {
        view.setMaxAngle(set);
        EXPECT_EQ(view.maxAngle(), stored);
    }
}

TEST_F(PieViewTest, CircleBoxHalfPieAndSelectionShift) {
    Rect before = view.circleBox();
    view.calculateOffsets(); // without data the box stays
    EXPECT_EQ(view.circleBox(), before);

    auto set = pieSet({1, 2});
    set->setSelectionShift(18);
    view.setData(PieChartData::create({set}));
    EXPECT_EQ(view.circleBox(), Rect(18, 18, 164, 164));
    EXPECT_EQ(view.centerCircleBox(), Point(100, 100));
    EXPECT_EQ(view.radius(), 82);

    // A half pie in a wide content: the whole height as radius, the centre at the bottom.
    set->setSelectionShift(0);
    view.setMaxAngle(180);
    size(400, 200);
    EXPECT_EQ(view.effectiveRadius(), 200);
    EXPECT_EQ(view.effectiveCenter(), Point(200, 200));
    EXPECT_EQ(view.circleBox(), Rect(0, 0, 400, 400));
    // Angles and distances are measured from that centre.
    EXPECT_NEAR(view.angleForPoint(200, 100), 270, 1e-9);
    EXPECT_EQ(view.distanceToCenter(200, 100), 100);
    // A whole pie in the same content: half the smaller side.
    view.setMaxAngle(360);
    view.notifyDataSetChanged();
    EXPECT_EQ(view.effectiveRadius(), 100);
    EXPECT_EQ(view.effectiveCenter(), Point(200, 100));
}

TEST_F(PieViewTest, CenterTextAndAppearanceDefaults) {
    EXPECT_FALSE(view.centerText());
    view.setCenterText(QStringLiteral("abc"));
    EXPECT_EQ(view.centerText(), QStringLiteral("abc"));
    ASSERT_TRUE(view.centerAttributedText());
    const auto attributes = view.centerAttributedText()->attributes;
    EXPECT_EQ(attributes.paragraphStyle.alignment, TextAlignment::center);
    EXPECT_EQ(attributes.paragraphStyle.lineBreakMode, LineBreakMode::byTruncatingTail);
    EXPECT_EQ(attributes.font.pointSizeF(), 12);
    view.setCenterText(std::nullopt);
    EXPECT_FALSE(view.centerText());
    EXPECT_FALSE(view.centerAttributedText());

    EXPECT_EQ(view.rotationAngle(), 270);
    EXPECT_TRUE(view.isDrawHoleEnabled());
    EXPECT_EQ(view.holeRadiusPercent(), 0.5);
    EXPECT_EQ(view.transparentCircleRadiusPercent(), 0.55);
    EXPECT_EQ(view.transparentCircleColor()->alpha(), 105);
    EXPECT_EQ(view.entryLabelFont()->pointSizeF(), 13);
    EXPECT_EQ(view.requiredLegendOffset(), view.legend()->font().pointSizeF() * 2);
    EXPECT_EQ(view.requiredBaseOffset(), 0);
    EXPECT_TRUE(std::dynamic_pointer_cast<PieChartRenderer>(view.renderer()));
    EXPECT_TRUE(std::dynamic_pointer_cast<PieHighlighter>(view.highlighter()));
}

TEST_F(PieViewTest, HighlightsByClickAndTheirMarkerPosition) {
    show({{1, 1, 2}});
    view.setRotationAngle(0); // slice 0 from 0 to 90 (below right), 1 to 180, 2 the top half
    auto highlighter = view.highlighter();
    auto below = highlighter->getHighlight(100, 150); // angle 90: slice 1
    ASSERT_TRUE(below);
    EXPECT_EQ(below->x(), 1);
    EXPECT_EQ(below->dataSetIndex(), 0);
    EXPECT_EQ(below->xPx(), 100);
    // During the y animation at phase 0.5 the angle maps back to the full pie: 90 -> 180.
    view.chartAnimator()->setPhaseY(0.5);
    auto halfway = highlighter->getHighlight(100, 150);
    ASSERT_TRUE(halfway);
    EXPECT_EQ(halfway->x(), 2);
    view.chartAnimator()->setPhaseY(1);
    // Outside the circle (the box is shifted in by the selection shift of 18): nothing.
    EXPECT_FALSE(highlighter->getHighlight(100, 100 + 83));
    EXPECT_TRUE(highlighter->getHighlight(100, 100 + 82));

    // A click selects through the view; needsHighlight follows the highlight's x.
    view.tapGestureRecognized(PieRadarChartViewBase::GestureState::ended, {100, 150});
    EXPECT_TRUE(view.needsHighlight(1));
    EXPECT_FALSE(view.needsHighlight(0));
    for (double x : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300, 1e300}) {
        view.setHighlighted({Highlight::create(x, 0, 0, -1)});
        EXPECT_FALSE(view.needsHighlight(0)) << x;
        EXPECT_FALSE(view.needsHighlight(-1)) << x;
    }

    // The marker sits in the middle of the slice, half-way across the ring.
    const Point marker = view.getMarkerPosition(*Highlight::create(1, 1, 0, -1));
    const double r = 82, inner = r - (r - r * 0.5) / 2;
    EXPECT_NEAR(marker.x, 100 + inner * std::cos(135 * std::numbers::pi / 180), 1e-9);
    EXPECT_NEAR(marker.y, 100 + inner * std::sin(135 * std::numbers::pi / 180), 1e-9);
    // A highlight naming no slice gives the centre.
    EXPECT_EQ(view.getMarkerPosition(*Highlight::create(7, 1, 0, -1)), Point(100, 100));
    EXPECT_EQ(view.getMarkerPosition(*Highlight::create(std::nan(""), 1, 0, -1)), Point(100, 100));
}

TEST(PieChartViewDeathTest, NoXAxisAndOnlyPieData) {
    EXPECT_DEATH(
        {
            PieChartView view;
            view.xAxis();
        },
        "PieChart has no XAxis");
    EXPECT_DEATH(
        {
            PieChartView view;
            view.setData(ChartData::create({ChartDataSet::create({ChartDataEntry::create(0, 1)})}));
        },
        "PieChartView draws only PieChartData");
}

// A pie with a hole and centre text, written under the build folder for a look.
TEST(PieChartView, ScreenshotWithHoleAndCenterText) {
    PieChartView view;
    view.resize(480, 400);
    view.boundsDidChange();
    ChartDataSet::EntryList entries;
    const char* names[] = {"Aileron", "Elevator", "Rudder", "Gain", "Trim"};
    const double values[] = {30, 25, 20, 15, 10};
    for (int i = 0; i < 5; ++i)
        entries.push_back(PieChartDataEntry::create(values[i], QString::fromUtf8(names[i])));
    auto set = PieChartDataSet::create(entries, QStringLiteral("Channels"));
    const QColor colors[] = {QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222),
                             QColor(0, 122, 255), QColor(255, 59, 48)};
    set->setColors(std::vector<QColor>(std::begin(colors), std::end(colors)));
    set->setSliceSpace(2);
    view.setData(PieChartData::create({set}));
    view.setCenterText(QStringLiteral("Servo travel"));
    view.setUsePercentValuesEnabled(true);

    const QImage image = testsupport::paintChart(view);
    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image.save(QDir(dir).filePath("PieChartView.png")));

    // The first slice starts at the top (270) and turns clockwise: just right of the top, in the
    // ring, is its colour; the hole in the middle is white.
    const Point c = view.centerCircleBox();
    const double r = view.radius();
    const auto pixel = [&](double degrees, double distance) {
        const double a = degrees * std::numbers::pi / 180;
        return image.pixelColor(int(c.x + distance * std::cos(a)),
                                int(c.y + distance * std::sin(a)));
    };
    EXPECT_EQ(pixel(280, r * 0.9), colors[0]);
    EXPECT_EQ(pixel(270 + 360 * 0.3 + 10, r * 0.9), colors[1]);
    EXPECT_EQ(pixel(260, r * 0.9), colors[4]);
    EXPECT_EQ(image.pixelColor(int(c.x), int(c.y) - int(r * 0.25)), QColor(Qt::white));
    // The accessibility rows: the header and one per slice.
    const auto rows = view.accessibilityRows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0]->elementLabel(), QStringLiteral("Channels. 5 Elements"));
    EXPECT_EQ(rows[1]->elementLabel(), QStringLiteral("Aileron : 30.0 "));
}
