#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataSet.h"
#include "Charting/data/CandleChartDataSet.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/LineScatterCandleRadarChartDataSet.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSet.h"
#include "Charting/renderers/LegendRenderer.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"
#include "Charting/utils/ViewPortHandler.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;

namespace {

constexpr double kRow = 12.5; // legend font 10 under the fake measurer

ChartDataSet::EntryList makeEntries(int count) {
    ChartDataSet::EntryList list;
    for (int i = 0; i < count; ++i)
        list.push_back(ChartDataEntry::create(i, i));
    return list;
}

class FakeBarDataSet : public BarLineScatterCandleBubbleChartDataSet,
                       public virtual BarChartDataSetProtocol {
public:
    FakeBarDataSet(int count, QString label)
        : BarLineScatterCandleBubbleChartDataSet(makeEntries(count), label) {}
    bool isStacked() const override { return stackSize_ > 1; }
    int stackSize() const override { return stackSize_; }
    QStringList stackLabels() const override { return stackLabels_; }
    void setStackLabels(QStringList labels) override { stackLabels_ = labels; }
    QColor barShadowColor() const override { return {}; }
    void setBarShadowColor(QColor) override {}
    double barBorderWidth() const override { return 0; }
    void setBarBorderWidth(double) override {}
    QColor barBorderColor() const override { return {}; }
    void setBarBorderColor(QColor) override {}
    double highlightAlpha() const override { return 0; }
    void setHighlightAlpha(double) override {}
    int stackSize_ = 1;
    QStringList stackLabels_;
};

struct EntryView {
    std::optional<QString> label;
    LegendForm form;
    std::optional<QColor> color;
    friend bool operator==(const EntryView&, const EntryView&) = default;
};

std::vector<EntryView> viewOf(const Legend& legend) {
    std::vector<EntryView> out;
    for (const auto& e : legend.entries())
        out.push_back({e->label(), e->form(), e->formColor()});
    return out;
}

class LegendRendering : public ::testing::Test {
protected:
    LegendRendering() {
        legend->setFont(QFont("Sans", 10));
        handler->restrainViewPort(20, 10, 30, 40); // content 20...270 x 10...160
    }
    // The texts drawn with their top-left corners, and the forms drawn (fill rectangles or line
    // segments) with their device paths' bounding boxes.
    std::vector<std::pair<QString, Point>> labels() const {
        std::vector<std::pair<QString, Point>> out;
        for (const auto& call : context.callsNamed("drawText"))
            out.push_back({call.text, {call.args[0], call.args[1]}});
        return out;
    }
    std::vector<platform::Rect> forms() const {
        std::vector<platform::Rect> out;
        for (const auto& call : context.paintCalls())
            if (call.op != "drawText")
                out.push_back(call.path.boundingBox());
        return out;
    }

    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped{measurer};
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(300, 200);
    std::shared_ptr<Legend> legend = Legend::create();
    LegendRenderer renderer{handler, legend};
    RecordingGraphicsContext context;
};

std::shared_ptr<LegendEntry> labelled(const QString& label) {
    auto entry = LegendEntry::create(label);
    entry->setFormColor(QColor(Qt::red));
    return entry;
}

} // namespace

TEST_F(LegendRendering, EntriesComeFromEachKindOfDataSet) {
    auto line = LineChartDataSet::create(makeEntries(200), "gyro");
    line->setColors({Qt::red});
    auto perValue = LineChartDataSet::create(makeEntries(2), "two");
    perValue->setColors({Qt::red, Qt::green, Qt::blue});
    perValue->setForm(LegendForm::line);
    auto bar = std::make_shared<FakeBarDataSet>(2, "bars");
    bar->setColors({Qt::red, Qt::green, Qt::blue, Qt::yellow});
    bar->stackSize_ = 3;
    bar->stackLabels_ = {"low", "mid"};
    auto pie = PieChartDataSet::create(
        ChartDataSet::EntryList{PieChartDataEntry::create(1, QString("slice")),
                                ChartDataEntry::create(1, 2)},
        QString("pie"));
    pie->setColors({Qt::cyan, Qt::magenta, Qt::gray});
    auto candle = CandleChartDataSet::create(makeEntries(3), QString("candles"));
    candle->setDecreasingColor(QColor(Qt::darkRed));
    candle->setIncreasingColor(QColor(Qt::darkGreen));
    // No decreasing colour.
    auto plainCandle = CandleChartDataSet::create(makeEntries(3), QString("candles"));
    plainCandle->setColors({Qt::black});
    auto extra = labelled("extra");
    legend->setExtraEntries({extra});

    auto data = ChartData::create({line, perValue, bar, pie, candle, plainCandle});
    renderer.computeLegend(*data);

    const auto square = LegendForm::default_;
    EXPECT_EQ(viewOf(*legend),
              (std::vector<EntryView>{
                  {"gyro", square, QColor(Qt::red)},
                  {std::nullopt, LegendForm::line, QColor(Qt::red)},
                  {"two", LegendForm::line, QColor(Qt::green)},
                  {"low", square, QColor(Qt::red)},
                  {"mid", square, QColor(Qt::green)},
                  {std::nullopt, square, QColor(Qt::blue)},
                  {"bars", LegendForm::none, std::nullopt},
                  {"slice", square, QColor(Qt::cyan)},
                  {std::nullopt, square, QColor(Qt::magenta)},
                  {"pie", LegendForm::none, std::nullopt},
                  {std::nullopt, square, QColor(Qt::darkRed)},
                  {"candles", square, QColor(Qt::darkGreen)},
                  {"candles", square, QColor(Qt::black)},
                  {"extra", square, QColor(Qt::red)},
              }));
    EXPECT_EQ(legend->entries().back(), extra);
    EXPECT_EQ(legend->calculatedLabelSizes().size(), legend->entries().size());
}

TEST_F(LegendRendering, CustomEntriesAreKeptButMeasured) {
    legend->setCustom({labelled("abc")});
    auto line = LineChartDataSet::create(makeEntries(3), "gyro");
    renderer.computeLegend(*ChartData::create({line}));
    ASSERT_EQ(legend->entries().size(), 1u);
    EXPECT_EQ(legend->entries()[0]->label(), "abc");
    EXPECT_EQ(legend->neededWidth(), 8 + 5 + 15 + 5);
}

TEST_F(LegendRendering, HorizontalLeftToRightAtTheBottomLeft) {
    auto stackedEntry = LegendEntry::create();
    stackedEntry->setFormColor(QColor(Qt::blue));
    legend->setCustom({labelled("ab"), stackedEntry, labelled("cd")});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);

    // x starts at content left + xOffset; y at chart height - yOffset - needed height.
    const double y = 200 - 3 - (kRow + 3);
    EXPECT_EQ(labels(), (std::vector<std::pair<QString, Point>>{
                            {"ab", {25 + 8 + 5, y}}, {"cd", {25 + 8 + 5 + 10 + 6 + 8 + 3 + 8 + 5, y}}}));
    const auto drawn = forms();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0], platform::Rect(25, y + kRow / 2 - 4, 8, 8));
    EXPECT_EQ(drawn[1].origin.x, 25 + 8 + 5 + 10 + 6);
    EXPECT_EQ(drawn[2].origin.x, 25 + 8 + 5 + 10 + 6 + 8 + 3);
}

TEST_F(LegendRendering, RightToLeftDrawsFormsLeftOfXAndLabelsEndingAtX) {
    legend->setDirection(Legend::Direction::rightToLeft);
    legend->setCustom({labelled("ab"), labelled("cd")});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);
    const double origin = 25 + legend->neededWidth();
    const auto drawn = forms();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].origin.x, origin - 8);
    ASSERT_EQ(labels().size(), 2u);
    EXPECT_EQ(labels()[0].second.x, origin - 8 - 5 - 10);
    EXPECT_EQ(drawn[1].origin.x, origin - 8 - 5 - 10 - 6 - 8);
}

TEST_F(LegendRendering, CentredRowsStartHalfTheirOwnWidthLeftOfTheOrigin) {
    legend->setHorizontalAlignment(Legend::HorizontalAlignment::center);
    legend->setVerticalAlignment(Legend::VerticalAlignment::top);
    // Content 250 wide: 237.5 per row; entries 8 + 5 + 100 = 113, two per row (232).
    const QString twenty(20, u'a');
    legend->setCustom({labelled(twenty), labelled(twenty), labelled("a")});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);
    const double origin = 20 + 250 / 2.0 + 5;
    const auto drawn = forms();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].origin.x, origin - 232 / 2.0);
    EXPECT_EQ(drawn[2].origin.x, origin - 18 / 2.0);
    EXPECT_EQ(labels()[0].second.y, 3);
    EXPECT_EQ(labels()[2].second.y, 3 + kRow);
}

TEST_F(LegendRendering, VerticalStackPutsTheLabelOnTheNextRowAtTheOrigin) {
    legend->setOrientation(Legend::Orientation::vertical);
    legend->setVerticalAlignment(Legend::VerticalAlignment::top);
    auto stackedEntry = LegendEntry::create();
    stackedEntry->setFormColor(QColor(Qt::blue));
    legend->setCustom({stackedEntry, labelled("ab"), labelled("cd")});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);
    // Origin: xOffset; y from content top + yOffset.
    const double top = 10 + 3;
    EXPECT_EQ(labels(), (std::vector<std::pair<QString, Point>>{
                            {"ab", {5, top + kRow}}, {"cd", {5 + 8 + 5, top + 2 * kRow}}}));
    const auto drawn = forms();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].origin, (Point{5, top + kRow / 2 - 4}));
    EXPECT_EQ(drawn[1].origin, (Point{5 + 8 + 3, top + kRow / 2 - 4}));
}

TEST_F(LegendRendering, FormsByKindAndColour) {
    auto clear = labelled("clear");
    clear->setFormColor(QColor(Qt::transparent));
    auto line = labelled("line");
    line->setForm(LegendForm::line);
    line->setFormLineDashLengths(std::vector<double>{});
    auto circle = labelled("circle");
    circle->setForm(LegendForm::circle);
    legend->setCustom({clear, line, circle});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);

    EXPECT_EQ(context.callsNamed("fillRect").size(), 0u);
    const auto segments = context.callsNamed("strokeLineSegments");
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_TRUE(segments[0].state.lineDashLengths.empty());
    EXPECT_EQ(segments[0].state.lineWidth, 3);
    EXPECT_EQ(segments[0].state.strokeColor, QColor(Qt::red));
    EXPECT_EQ(context.callsNamed("fillEllipse").size(), 1u);
    // The clear form still takes its room: "line"'s form starts after it.
    EXPECT_EQ(labels()[1].second.x, 25 + 8 + 5 + 25 + 6 + 8 + 5);
    EXPECT_EQ(context.savedStateCount(), 0);
}

TEST_F(LegendRendering, LegendFormNoneKeepsTheRoomButDrawsNothing) {
    legend->setForm(LegendForm::none);
    auto entry = labelled("ab");
    legend->setCustom({entry});
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);
    EXPECT_TRUE(forms().empty());
    EXPECT_EQ(labels()[0].second.x, 25 + 8 + 5);
}

TEST_F(LegendRendering, EntriesChangedWithoutMeasuringAreMeasuredOnTheSpot) {
    legend->setCustom({labelled("ab")});
    renderer.computeLegend(*ChartData::create());
    legend->setEntries({labelled("ab"), labelled("abcd"), labelled("x")});
    renderer.renderLegend(context);
    ASSERT_EQ(labels().size(), 3u);
    EXPECT_EQ(labels()[1].second.x, 25 + 8 + 5 + 10 + 6 + 8 + 5);
    EXPECT_EQ(labels()[2].second.x, 25 + 2 * (8 + 5 + 6) + 10 + 20 + 8 + 5);
}

TEST_F(LegendRendering, DisabledOrMissingLegendDrawsNothing) {
    legend->setCustom({labelled("ab")});
    renderer.computeLegend(*ChartData::create());
    legend->setEnabled(false);
    renderer.renderLegend(context);
    renderer.setLegend(nullptr);
    renderer.computeLegend(*ChartData::create());
    renderer.renderLegend(context);
    EXPECT_TRUE(context.calls().empty());
}
