#include "Charting/components/ChartMarker.h"
#include "Charting/components/Description.h"
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/data/Highlight.h"
#include "Charting/jobs/AnimatedMoveViewJob.h"
#include "Charting/jobs/ViewPortJob.h"
#include "Charting/utils/ChartUtils.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/LineChartView.h"
#include "platform/Log.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace charting;
using platform::Point;

namespace {

std::shared_ptr<LineChartData> lineData(std::vector<std::vector<double>> series) {
    auto data = LineChartData::create();
    std::vector<std::shared_ptr<ChartDataSetProtocol>> sets;
    int k = 0;
    for (const auto& ys : series) {
        ChartDataSet::EntryList entries;
        for (std::size_t i = 0; i < ys.size(); ++i)
            entries.push_back(ChartDataEntry::create(double(i), ys[i]));
        sets.push_back(LineChartDataSet::create(entries, QStringLiteral("S%1").arg(k++)));
    }
    data->setDataSets(sets);
    return data;
}

// A chart view given its size the way a layout does.
void sizeView(ChartViewBase& view, int width, int height) {
    view.resize(width, height);
    view.boundsDidChange();
}

struct RecordingDelegate : ChartViewDelegate {
    std::vector<std::string> calls;
    void chartValueSelected(ChartViewBase&, const std::shared_ptr<ChartDataEntry>&,
                            const Highlight&) override {
        calls.push_back("selected");
    }
    void chartValueNothingSelected(ChartViewBase&) override { calls.push_back("nothing"); }
    void chartViewAnimatorDidStop(ChartViewBase&, Animator&) override { calls.push_back("stop"); }
};

class LoggingJob : public ViewPortJob {
public:
    LoggingJob(ChartViewBase& view, std::vector<std::string>& log, std::string name)
        : ViewPortJob(view.viewPortHandler(), 0, 0, nullptr, &view), log_(log),
          name_(std::move(name)) {}
    void doJob() override {
        auto handler = viewPortHandler();
        log_.push_back(name_ + "@" + std::to_string(int(handler->chartWidth())));
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// A line view whose notifyDataSetChanged is logged.
class LoggingLineChartView : public LineChartView {
public:
    std::vector<std::string>* log = nullptr;
    void notifyDataSetChanged() override {
        if (log)
            log->push_back("notify");
        LineChartView::notifyDataSetChanged();
    }
};

} // namespace

TEST(ChartViewBase, TheNoDataTextIsCentredAndOffsetsWaitForData) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    LineChartView view;
    sizeView(view, 400, 300);
    RecordingGraphicsContext context;
    view.drawRect(&context, view.bounds());
    const auto texts = context.callsNamed("drawTextInRect");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "No chart data available.");
    // 24 characters of 6 points, one line of 15: the box centred in the view.
    EXPECT_EQ(texts[0].args, (std::vector<double>{200 - 72, 150 - 7.5, 144, 15}));
    EXPECT_EQ(texts[0].attributes->font.pointSizeF(), 12);
    EXPECT_EQ(texts[0].attributes->paragraphStyle.alignment, TextAlignment::left);
    EXPECT_FALSE(view.offsetsCalculated());

    view.setNoDataText("");
    context.clear();
    view.drawRect(&context, view.bounds());
    EXPECT_TRUE(context.paintCalls().empty());
    EXPECT_TRUE(view.offsetsCalculated());
}

TEST(ChartViewBase, StoringDataSetsTheSharedFormatterAndItsDecimals) {
    LineChartView view;
    auto data = lineData({{-1200, 0, 1200}});
    auto own = DefaultValueFormatter::create(4);
    data->dataSets()[0]->setValueFormatter(own);
    auto second = lineData({{1, 2}});
    auto custom = DefaultValueFormatter::withBlock(
        [](double, const std::shared_ptr<ChartDataEntry>&, int, ViewPortHandler*) {
            return QString("x");
        });
    view.setData(data);
    auto shared = std::dynamic_pointer_cast<DefaultValueFormatter>(view.defaultValueFormatter());
    ASSERT_TRUE(shared);
    EXPECT_EQ(data->dataSets()[0]->valueFormatter(), shared);
    EXPECT_EQ(shared->decimals(), decimalPlacesForValue(2400));

    view.setData(lineData({{0.5}}));
    EXPECT_EQ(shared->decimals(), decimalPlacesForValue(0.5));

    // A formatter of another kind is kept; a block-made default one is still a default one.
    class Other : public ChartValueFormatter {
        QString stringForValue(double, const std::shared_ptr<ChartDataEntry>&, int,
                               ViewPortHandler*) override {
            return "o";
        }
    };
    auto other = std::make_shared<Other>();
    second->dataSets()[0]->setValueFormatter(other);
    view.setData(second);
    EXPECT_EQ(second->dataSets()[0]->valueFormatter(), other);
    (void)custom;
}

TEST(ChartViewBase, StoringTheSameDataAgainRecomputes) {
    LoggingLineChartView view;
    std::vector<std::string> log;
    view.log = &log;
    auto data = lineData({{1, 2, 3}});
    view.setData(data);
    data->dataSets()[0]->entryForIndex(2)->setY(30);
    data->dataSets()[0]->notifyDataSetChanged();
    data->notifyDataChanged();
    view.setData(data);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(view.leftAxis()->axisMaximum() >= 30, true);
    view.setData(nullptr);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_FALSE(view.offsetsCalculated());
}

TEST(ChartViewBase, HighlightingChecksTheDataSetIndexAndCallsTheDelegate) {
    LineChartView view;
    RecordingDelegate delegate;
    view.setDelegate(&delegate);
    {
        platform::ScopedLogCapture log;
        view.highlightValue(1.0, 2.0, 0, 0, true);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0], "Value not highlighted because data is nil");
        EXPECT_EQ(view.getHighlightByTouchPoint({1, 1}), nullptr);
        EXPECT_EQ(log.lines()[1], "Can't select by touch. No data set.");
    }
    view.setData(lineData({{1, 2, 3}}));
    view.highlightValue(1.0, 2.0, 0, 0, true);
    ASSERT_EQ(view.highlighted().size(), 1u);
    EXPECT_EQ(view.highlighted()[0]->x(), 1);
    for (int badIndex : {5, -1}) {
        view.highlightValue(1.0, 2.0, badIndex, 0, true);
        EXPECT_TRUE(view.highlighted().empty());
    }
    EXPECT_EQ(delegate.calls, (std::vector<std::string>{"selected", "nothing", "nothing"}));
    view.highlightValue(1.0, 0, 0, false);
    EXPECT_EQ(delegate.calls.size(), 3u);

    view.highlightValues({Highlight::create(0, 1, 0, 0), Highlight::create(2, 3, 0, 0)});
    EXPECT_EQ(view.highlighted().size(), 2u);
    EXPECT_EQ(view.lastHighlighted()->x(), 0);
    view.highlightValues({});
    EXPECT_TRUE(view.highlighted().empty());
    EXPECT_EQ(view.lastHighlighted(), nullptr);
}

TEST(ChartViewBase, FrictionIsClamped) {
    LineChartView view;
    view.setDragDecelerationFrictionCoef(1.5);
    EXPECT_DOUBLE_EQ(view.dragDecelerationFrictionCoef(), 0.999);
    view.setDragDecelerationFrictionCoef(-0.2);
    EXPECT_EQ(view.dragDecelerationFrictionCoef(), 0);
}

TEST(ChartViewBase, JobsWaitForTheFirstRealSizeAndRunInOrder) {
    LoggingLineChartView view;
    std::vector<std::string> log;
    view.log = &log;
    view.setData(lineData({{1, 2, 3}}));
    log.clear();
    // Never sized: the handler has no size (not a default widget size), so the jobs wait.
    EXPECT_FALSE(view.viewPortHandler()->hasChartDimens());
    view.addViewportJob(std::make_shared<LoggingJob>(view, log, "first"));
    view.addViewportJob(std::make_shared<LoggingJob>(view, log, "second"));
    auto removed = std::make_shared<LoggingJob>(view, log, "removed");
    view.addViewportJob(removed);
    view.removeViewportJob(removed);
    EXPECT_TRUE(log.empty());

    sizeView(view, 300, 200);
    EXPECT_EQ(log, (std::vector<std::string>{"notify", "first@300", "second@300"}));
    EXPECT_TRUE(view.viewportJobs().empty());

    // The same size again: nothing; a job now runs at once.
    view.boundsDidChange();
    view.addViewportJob(std::make_shared<LoggingJob>(view, log, "now"));
    EXPECT_EQ(log.back(), "now@300");
    EXPECT_EQ(log.size(), 4u);
}

TEST(ChartViewBase, AGoingViewStopsItsAnimationsWithoutFinishingThem) {
    std::shared_ptr<Animator> animator;
    std::shared_ptr<AnimatedMoveViewJob> job;
    {
        LineChartView view;
        sizeView(view, 300, 200);
        view.setData(lineData({{1, 2, 3}}));
        RecordingDelegate delegate;
        view.setDelegate(&delegate);
        animator = view.chartAnimator();
        view.animate(10, 10);
        EXPECT_TRUE(animator->isRunning());
        job = std::make_shared<AnimatedMoveViewJob>(
            view.viewPortHandler(), 1, 1, view.getTransformerForAxis(AxisDependency::left), &view,
            0, 0, 10, ChartEasingFunctionBlock());
        view.addViewportJob(job);
        EXPECT_TRUE(job->isRunning());
        view.setDelegate(nullptr);
    }
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(animator->delegate(), nullptr);
    EXPECT_FALSE(job->isRunning());
    EXPECT_LT(job->phase(), 1.0);
}

TEST(ChartViewBase, ExportKeepsTransparencyForPngAndWhiteForJpeg) {
    LineChartView view;
    sizeView(view, 120, 80);
    view.setData(lineData({{1, 2, 3}}));
    QTemporaryDir dir;
    const QString png = dir.filePath("chart.png");
    const QString jpeg = dir.filePath("chart.jpg");
    ASSERT_TRUE(view.saveToPath(png, ChartViewBase::ImageFormat::png, 1));
    QImage readPng(png);
    ASSERT_FALSE(readPng.isNull());
    EXPECT_EQ(readPng.size(), QSize(120, 80) * readPng.devicePixelRatio());
    EXPECT_EQ(qAlpha(readPng.pixel(1, 1)), 0);

    ASSERT_TRUE(view.saveToPath(jpeg, ChartViewBase::ImageFormat::jpeg, 0.9));
    QImage readJpeg(jpeg);
    ASSERT_FALSE(readJpeg.isNull());
    EXPECT_GT(qRed(readJpeg.pixel(1, 1)), 245);
    EXPECT_GT(qBlue(readJpeg.pixel(1, 1)), 245);

    view.setBackgroundColor(QColor(0, 0, 200));
    ASSERT_TRUE(view.saveToPath(jpeg, ChartViewBase::ImageFormat::jpeg, 0.9));
    EXPECT_GT(qBlue(QImage(jpeg).pixel(1, 1)), 180);
    EXPECT_LT(qRed(QImage(jpeg).pixel(1, 1)), 40);

    EXPECT_FALSE(view.saveToPath(dir.filePath("missing/dir/chart.png"),
                                 ChartViewBase::ImageFormat::png, 1));
}

TEST(ChartViewBase, MarkersOnlyForRevealedValuesInsideTheContent) {
    struct CountingMarker : ChartMarker {
        std::vector<Point> drawn;
        Point offset() const override { return {}; }
        Point offsetForDrawing(Point) const override { return {}; }
        void refreshContent(const std::shared_ptr<ChartDataEntry>&, const Highlight&) override {}
        void draw(GraphicsContext&, Point point) override { drawn.push_back(point); }
    };
    LineChartView view;
    sizeView(view, 400, 300);
    std::vector<double> ys(200, 1.0);
    view.setData(lineData({ys}));
    auto marker = std::make_shared<CountingMarker>();
    view.setMarker(marker);
    auto at150 = Highlight::create(150, 1, 0, -1);
    at150->setDraw(200, 150);
    auto at100 = Highlight::create(100, 1, 0, -1);
    at100->setDraw(210, 150);
    auto outside = Highlight::create(10, 1, 0, -1);
    outside->setDraw(-50, 150);
    view.highlightValues({at150, at100, outside});
    view.chartAnimator()->setPhaseX(0.5);
    RecordingGraphicsContext context;
    view.drawMarkersInContext(context);
    EXPECT_EQ(marker->drawn, (std::vector<Point>{{210, 150}}));

    view.setDrawMarkers(false);
    view.drawMarkersInContext(context);
    EXPECT_EQ(marker->drawn.size(), 1u);
}

TEST(ChartViewBase, DescriptionSitsAboveTheContentsBottomRightCorner) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    LineChartView view;
    sizeView(view, 400, 300);
    view.setData(lineData({{1, 2}}));
    RecordingGraphicsContext context;
    view.drawDescription(context);
    EXPECT_TRUE(context.paintCalls().empty()); // no text by default

    auto description = view.chartDescription();
    description->setText("abcd");
    description->setFont(QFont("Sans", 10));
    view.setViewPortOffsets(20, 20, 30, 40);
    view.drawDescription(context);
    auto texts = context.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 1u);
    // Right-aligned: x moves left by the width (4 x 5); y above the font's height (12.5).
    EXPECT_EQ(texts[0].args, (std::vector<double>{400 - 30 - 5 - 20, 300 - 40 - 5 - 12.5}));

    description->setTextAlign(TextAlignment::center);
    description->setPosition(Point{100, 50});
    context.clear();
    view.drawDescription(context);
    EXPECT_EQ(context.callsNamed("drawText")[0].args, (std::vector<double>{90, 50}));
}
