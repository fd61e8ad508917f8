#include "Charting/components/ChartLimitLine.h"
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/renderers/DataRenderer.h"
#include "Charting/renderers/XAxisRenderer.h"
#include "Charting/renderers/YAxisRenderer.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "support/ChartImage.h"
#include "support/EventCounter.h"
#include "support/EventLoop.h"
#include "support/RecordingGraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/LineChartView.h"

#include <QDir>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace charting;
using platform::Point;

namespace {

std::shared_ptr<LineChartData> lineData(std::vector<std::vector<double>> series,
                                        AxisDependency axis = AxisDependency::left) {
    auto data = LineChartData::create();
    std::vector<std::shared_ptr<ChartDataSetProtocol>> sets;
    int k = 0;
    for (const auto& ys : series) {
        ChartDataSet::EntryList entries;
        for (std::size_t i = 0; i < ys.size(); ++i)
            entries.push_back(ChartDataEntry::create(double(i), ys[i]));
        auto set = LineChartDataSet::create(entries, QStringLiteral("Series %1").arg(++k));
        set->setAxisDependency(axis);
        sets.push_back(set);
    }
    data->setDataSets(sets);
    return data;
}

void sizeView(ChartViewBase& view, int width, int height) {
    view.resize(width, height);
    view.boundsDidChange();
}

using Log = std::vector<std::string>;

// Renderers that only log what the view asks of them; the log also notes the clip depth.
class LoggingXAxisRenderer : public XAxisRenderer {
public:
    LoggingXAxisRenderer(BarLineChartViewBase& view, Log& log)
        : XAxisRenderer(view.viewPortHandler(), view.xAxis(),
                        view.getTransformerForAxis(AxisDependency::left)),
          log_(log) {}
    void computeAxis(double, double, bool) override { log_.push_back("x.compute"); }
    void renderAxisLabels(GraphicsContext&) override { log_.push_back("x.labels"); }
    void renderAxisLine(GraphicsContext&) override { log_.push_back("x.line"); }
    void renderGridLines(GraphicsContext& g) override {
        log_.push_back(g.state().clips.empty() ? "x.grid" : "x.grid(clipped)");
    }
    void renderLimitLines(GraphicsContext&) override { log_.push_back("x.limits"); }

private:
    Log& log_;
};

class LoggingYAxisRenderer : public YAxisRenderer {
public:
    LoggingYAxisRenderer(BarLineChartViewBase& view, AxisDependency side, Log& log)
        : YAxisRenderer(view.viewPortHandler(), view.getAxis(side),
                        view.getTransformerForAxis(side)),
          log_(log), name_(side == AxisDependency::left ? "left" : "right") {}
    void computeAxis(double, double, bool) override { log_.push_back(name_ + ".compute"); }
    void renderAxisLabels(GraphicsContext&) override { log_.push_back(name_ + ".labels"); }
    void renderAxisLine(GraphicsContext&) override { log_.push_back(name_ + ".line"); }
    void renderGridLines(GraphicsContext& g) override {
        log_.push_back(name_ + (g.state().clips.empty() ? ".grid" : ".grid(clipped)"));
    }
    void renderLimitLines(GraphicsContext&) override { log_.push_back(name_ + ".limits"); }

private:
    Log& log_;
    std::string name_;
};

class LoggingDataRenderer : public DataRenderer {
public:
    LoggingDataRenderer(std::shared_ptr<ViewPortHandler> handler, Log& log)
        : handler_(std::move(handler)), log_(log) {}
    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const override { return handler_; }
    const AccessibilityElements& accessibleChartElements() const override { return elements_; }
    void setAccessibleChartElements(AccessibilityElements e) override { elements_ = e; }
    const std::shared_ptr<Animator>& animator() const override { return animator_; }
    void drawData(GraphicsContext& g) override {
        log_.push_back(g.state().clips.empty() ? "data" : "data(clipped)");
    }
    void drawValues(GraphicsContext& g) override {
        log_.push_back(g.state().clips.empty() ? "values" : "values(clipped)");
    }
    void drawExtras(GraphicsContext&) override { log_.push_back("extras"); }
    void drawHighlighted(GraphicsContext&, const Highlights& h) override {
        log_.push_back("highlighted" + std::to_string(h.size()));
    }
    void initBuffers() override { log_.push_back("initBuffers"); }
    bool isDrawingValuesAllowed(ChartDataProvider*) override { return true; }

private:
    std::shared_ptr<ViewPortHandler> handler_;
    std::shared_ptr<Animator> animator_;
    AccessibilityElements elements_;
    Log& log_;
};

struct LoggedView {
    LineChartView view;
    Log log;
    LoggedView() {
        sizeView(view, 400, 300);
        view.setXAxisRenderer(std::make_shared<LoggingXAxisRenderer>(view, log));
        view.setLeftYAxisRenderer(
            std::make_shared<LoggingYAxisRenderer>(view, AxisDependency::left, log));
        view.setRightYAxisRenderer(
            std::make_shared<LoggingYAxisRenderer>(view, AxisDependency::right, log));
        view.setRenderer(std::make_shared<LoggingDataRenderer>(view.viewPortHandler(), log));
        view.legend()->setEnabled(false);
        view.setData(lineData({{1, 2, 3}}));
        log.clear();
    }
    Log draw() {
        RecordingGraphicsContext context;
        log.clear();
        view.drawRect(&context, view.bounds());
        EXPECT_EQ(context.savedStateCount(), 0);
        return log;
    }
};

} // namespace

TEST(BarLineChartViewBase, DataChangesComputeAxesRenderersAndLayoutInOrder) {
    LoggedView v;
    v.view.setData(lineData({{1, 2}}));
    EXPECT_EQ(v.log, (Log{"initBuffers", "left.compute", "right.compute", "x.compute"}));
    EXPECT_EQ(v.view.lineData(), v.view.data());
    v.view.setData(ChartData::create());
    EXPECT_EQ(v.view.lineData(), nullptr);
}

TEST(BarLineChartViewBase, DrawingPassOrderForEachFlagCombination) {
    struct Case {
        const char* name;
        std::function<void(LineChartView&)> configure;
        Log expected;
    };
    const Log axesComputed{"left.compute", "right.compute", "x.compute"};
    const auto with = [&](Log tail) {
        Log all = axesComputed;
        all.insert(all.end(), tail.begin(), tail.end());
        return all;
    };
    const Log linesAndGridBehind{"x.line", "left.line", "right.line", "x.grid", "left.grid",
                                 "right.grid"};
    const auto behind = [&](Log tail) {
        Log all = linesAndGridBehind;
        all.insert(all.end(), tail.begin(), tail.end());
        return with(all);
    };
    const std::vector<Case> cases = {
        {"defaults: grid lines behind the data", [](LineChartView&) {},
         behind({"data(clipped)", "extras", "x.limits", "left.limits", "right.limits",
                 "x.labels", "left.labels", "right.labels", "values"})},
        {"grid in front of the data, inside the clip (the x axis decides for all three)",
         [](LineChartView& view) { view.xAxis()->setDrawGridLinesBehindDataEnabled(false); },
         with({"x.line", "left.line", "right.line", "data(clipped)", "x.grid(clipped)",
               "left.grid(clipped)", "right.grid(clipped)", "extras", "x.limits", "left.limits",
               "right.limits", "x.labels", "left.labels", "right.labels", "values"})},
        {"limit lines behind data by each axis's own flag",
         [](LineChartView& view) {
             view.leftAxis()->setDrawLimitLinesBehindDataEnabled(true);
             view.leftAxis()->setDrawGridLinesBehindDataEnabled(false);
         },
         behind({"left.limits", "data(clipped)", "extras", "x.limits", "right.limits",
                 "x.labels", "left.labels", "right.labels", "values"})},
        {"disabled axes compute and draw no limit lines",
         [](LineChartView& view) {
             view.rightAxis()->setEnabled(false);
             view.xAxis()->setEnabled(false);
         },
         {"left.compute", "x.line", "left.line", "right.line", "x.grid", "left.grid",
          "right.grid", "data(clipped)", "extras", "left.limits", "x.labels", "left.labels",
          "right.labels", "values"}},
        {"no data clip, values clipped, highlights",
         [](LineChartView& view) {
             view.setClipDataToContentEnabled(false);
             view.setClipValuesToContentEnabled(true);
             view.xAxis()->setDrawGridLinesBehindDataEnabled(false);
             view.highlightValue(1.0, 2.0, 0, 0);
         },
         with({"x.line", "left.line", "right.line", "data", "x.grid", "left.grid", "right.grid",
               "highlighted1", "extras", "x.limits", "left.limits", "right.limits", "x.labels",
               "left.labels", "right.labels", "values(clipped)"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoggedView v;
        c.configure(v.view);
        EXPECT_EQ(v.draw(), c.expected);
    }
}

TEST(BarLineChartViewBase, WithoutDataOrRendererOnlyTheBaseDraws) {
    LoggedView v;
    v.view.setRenderer(nullptr);
    EXPECT_TRUE(v.draw().empty());
    v.view.setData(nullptr);
    EXPECT_TRUE(v.draw().empty());
}

TEST(BarLineChartViewBase, OffsetsTable) {
    struct Case {
        const char* name;
        std::function<void(LineChartView&)> configure;
        double left, top, right, bottom;
    };
    // Legend, both y axes' offsets and the x labels off unless a case turns them on.
    const auto bare = [](LineChartView& view) {
        view.legend()->setEnabled(false);
        view.leftAxis()->setDrawLabelsEnabled(false);
        view.rightAxis()->setDrawLabelsEnabled(false);
        view.xAxis()->setEnabled(false);
    };
    const auto horizontalLegend = [](LineChartView& view, Legend::VerticalAlignment align) {
        auto legend = view.legend();
        legend->setEnabled(true);
        legend->setVerticalAlignment(align);
        legend->setNeededHeight(30);
        legend->setNeededWidth(50);
        legend->setYOffset(5);
    };
    const std::vector<Case> cases = {
        {"min offset wins over a small extra offset",
         [](LineChartView& v) { v.setExtraOffsets(4, 4, 4, 4); }, 10, 10, 10, 10},
        {"a large extra offset wins",
         [](LineChartView& v) { v.setExtraOffsets(25, 0, 25, 0); }, 25, 10, 25, 10},
        {"horizontal legend at the bottom",
         [&](LineChartView& v) { horizontalLegend(v, Legend::VerticalAlignment::bottom); }, 10,
         10, 10, 35},
        {"horizontal legend at the top",
         [&](LineChartView& v) { horizontalLegend(v, Legend::VerticalAlignment::top); }, 10, 35,
         10, 10},
        {"horizontal legend centred takes nothing",
         [&](LineChartView& v) { horizontalLegend(v, Legend::VerticalAlignment::center); }, 10,
         10, 10, 10},
        {"legend drawn inside takes nothing",
         [&](LineChartView& v) {
             horizontalLegend(v, Legend::VerticalAlignment::bottom);
             v.legend()->setDrawInside(true);
         },
         10, 10, 10, 10},
        {"vertical legend at the right",
         [&](LineChartView& v) {
             horizontalLegend(v, Legend::VerticalAlignment::bottom);
             v.legend()->setOrientation(Legend::Orientation::vertical);
             v.legend()->setHorizontalAlignment(Legend::HorizontalAlignment::right);
         },
         10, 10, 55, 10},
        {"vertical legend centred at the top",
         [&](LineChartView& v) {
             horizontalLegend(v, Legend::VerticalAlignment::top);
             v.legend()->setOrientation(Legend::Orientation::vertical);
             v.legend()->setHorizontalAlignment(Legend::HorizontalAlignment::center);
         },
         10, 35, 10, 10},
        {"x labels at both sides",
         [](LineChartView& v) {
             v.xAxis()->setEnabled(true);
             v.xAxis()->setLabelRotatedHeight(16);
             v.xAxis()->setLabelPosition(XAxis::LabelPosition::both);
         },
         10, 20, 10, 20},
        {"x labels inside take nothing",
         [](LineChartView& v) {
             v.xAxis()->setEnabled(true);
             v.xAxis()->setLabelRotatedHeight(16);
             v.xAxis()->setLabelPosition(XAxis::LabelPosition::topInside);
         },
         10, 10, 10, 10},
        {"left axis labels outside",
         [](LineChartView& v) {
             v.leftAxis()->setDrawLabelsEnabled(true);
             v.leftAxis()->setMinWidth(40);
         },
         40, 10, 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LineChartView view;
        sizeView(view, 400, 400);
        view.setData(lineData({{1, 2, 3}}));
        bare(view);
        c.configure(view);
        view.calculateOffsets();
        const auto h = view.viewPortHandler();
        EXPECT_DOUBLE_EQ(h->offsetLeft(), c.left);
        EXPECT_DOUBLE_EQ(h->offsetTop(), c.top);
        EXPECT_DOUBLE_EQ(h->offsetRight(), c.right);
        EXPECT_DOUBLE_EQ(h->offsetBottom(), c.bottom);
    }
}

TEST(BarLineChartViewBase, TheLegendTakesAtMostItsShareOfTheChart) {
    LineChartView view;
    sizeView(view, 400, 20);
    view.setData(lineData({{1, 2}}));
    view.xAxis()->setEnabled(false);
    view.leftAxis()->setEnabled(false);
    view.rightAxis()->setEnabled(false);
    auto legend = view.legend();
    legend->setNeededHeight(30);
    legend->setYOffset(5);
    view.calculateOffsets();
    EXPECT_DOUBLE_EQ(view.viewPortHandler()->offsetBottom(), 19 + 5);
}

TEST(BarLineChartViewBase, CustomOffsetsStayButMatricesFollow) {
    LineChartView view;
    sizeView(view, 400, 300);
    view.setData(lineData({{0, 10}}));
    view.setViewPortOffsets(20, 30, 40, 50);
    view.leftAxis()->setInverted(true);
    view.calculateOffsets();
    const auto h = view.viewPortHandler();
    EXPECT_EQ(h->offsetLeft(), 20);
    EXPECT_EQ(h->offsetBottom(), 50);
    // Inverted: the axis minimum now maps to the content's top.
    const auto top = view.getTransformerForAxis(AxisDependency::left)
                         ->pixelForValues(0, view.leftAxis()->axisMinimum());
    EXPECT_NEAR(top.y, 30, 1e-9);
    view.resetViewPortOffsets();
    EXPECT_NE(h->offsetLeft(), 20);
}

TEST(BarLineChartViewBase, AxisExtremesAndVisibleRange) {
    LineChartView view;
    sizeView(view, 400, 300);
    view.setData(lineData({{0, 10}}));
    view.leftAxis()->setAxisMaximum(10);
    view.leftAxis()->setAxisMinimum(-2);
    view.rightAxis()->setAxisMaximum(3);
    view.rightAxis()->setAxisMinimum(0);
    EXPECT_EQ(view.chartYMax(), 10);
    EXPECT_EQ(view.chartYMin(), -2);

    view.setData(lineData({{0, 1, 2, 3, 4}}));
    EXPECT_EQ(view.lowestVisibleX(), 0);
    EXPECT_EQ(view.highestVisibleX(), 4);
    // Zoomed in twice at the left edge: x 0...2 shows; the left edge never gives less than the
    // axis minimum.
    const auto h = view.viewPortHandler();
    h->refresh(h->zoom(2, 1, 0, 0), &view, false);
    EXPECT_EQ(view.lowestVisibleX(), 0);
    EXPECT_NEAR(view.highestVisibleX(), 2, 1e-9);
}

TEST(BarLineChartViewBase, AutoScaleFollowsTheVisibleRange) {
    LineChartView view;
    sizeView(view, 400, 300);
    view.setAutoScaleMinMaxEnabled(true);
    view.setData(lineData({{0, 100, 5, 7, 6}}));
    EXPECT_GE(view.leftAxis()->axisMaximum(), 100);
    // Show only x 2...4 (scale x 2.5, moved to the right end).
    const auto h = view.viewPortHandler();
    h->refresh(h->zoom(2, 1, h->contentRight(), 0), &view, false);
    auto m = h->touchMatrix();
    m.tx = -h->contentWidth() * 1.5;
    h->refresh(m, &view, false);
    RecordingGraphicsContext context;
    view.drawRect(&context, view.bounds());
    EXPECT_LT(view.leftAxis()->axisMaximum(), 10);
    EXPECT_GE(view.leftAxis()->axisMaximum(), 7);
    EXPECT_LE(view.leftAxis()->axisMinimum(), 5);
}

namespace {

QImage paint(LineChartView& view) { return testsupport::paintChart(view); }

} // namespace

TEST(BarLineChartViewBase, GridBackgroundBorderAndLimitLinePixels) {
    LineChartView view;
    sizeView(view, 300, 200);
    view.legend()->setEnabled(false);
    view.xAxis()->setEnabled(false);
    view.leftAxis()->setDrawLabelsEnabled(false);
    view.leftAxis()->setDrawGridLinesEnabled(false);
    view.leftAxis()->setDrawAxisLineEnabled(false);
    view.rightAxis()->setEnabled(false);
    view.setDrawGridBackgroundEnabled(true);
    view.setGridBackgroundColor(QColor(0, 200, 0));
    view.setDrawBordersEnabled(true);
    view.setBorderColor(QColor(0, 0, 255));
    view.setBorderLineWidth(2);
    auto limit = ChartLimitLine::create(25);
    limit->setLineColor(QColor(255, 0, 0));
    limit->setLineWidth(3);
    view.leftAxis()->addLimitLine(limit);
    auto data = lineData({{0, 0, 0}});
    view.setData(data);
    view.leftAxis()->setAxisMinimum(0);
    view.leftAxis()->setAxisMaximum(100);
    view.setData(data);

    const QImage image = paint(view);
    const auto content = view.contentRect();
    // Content 10...290 x 10...190; value 25 maps to y = 190 - 0.25 * 180 = 145.
    EXPECT_EQ(content, platform::Rect(10, 10, 280, 180));
    EXPECT_EQ(image.pixelColor(150, 60), QColor(0, 200, 0));
    EXPECT_EQ(image.pixelColor(10, 60), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(150, 10), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(150, 145), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(5, 60), QColor(Qt::white));
}

// The line chart of known data, written under the build folder for a look.
TEST(LineChartView, ScreenshotOfKnownData) {
    LineChartView view;
    sizeView(view, 800, 400);
    std::vector<std::vector<double>> series(3);
    for (int i = 0; i < 50; ++i) {
        series[0].push_back(800 * std::sin(i * 0.2));
        series[1].push_back(600 * std::cos(i * 0.15));
        series[2].push_back(-400 + 16 * i);
    }
    auto data = lineData(series);
    const QColor colors[3] = {QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222)};
    for (int k = 0; k < 3; ++k) {
        auto set = std::dynamic_pointer_cast<LineChartDataSet>(data->dataSets()[std::size_t(k)]);
        set->setColors({colors[k]});
        set->setDrawCirclesEnabled(false);
        set->setLabel(QStringLiteral("Gyro %1").arg(QChar('X' + k)));
    }
    view.leftAxis()->setAxisMinimum(-1200);
    view.leftAxis()->setAxisMaximum(1200);
    view.rightAxis()->setEnabled(false);
    view.setData(data);
    const QImage image = paint(view);

    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath("LineChartView.png");
    ASSERT_TRUE(image.save(path));
    // The legend sits below the content, left-aligned: its first form has the first colour.
    const auto vph = view.viewPortHandler();
    EXPECT_GT(vph->offsetBottom(), 20);
    bool legendColourFound = false;
    for (int x = 0; x < 60 && !legendColourFound; ++x)
        for (int y = int(vph->contentBottom()); y < 400 && !legendColourFound; ++y)
            legendColourFound = image.pixelColor(x, y) == colors[0];
    EXPECT_TRUE(legendColourFound);
}

namespace {


} // namespace

// A shown chart paints once and then rests until something changes: a paint must not ask for the
// next one (a live page would otherwise keep a processor core busy).
TEST(BarLineChartViewBase, AShownChartPaintsOnlyWhenSomethingChanged) {
    LineChartView view;
    view.setData(lineData({{1, 3, 2}, {-1, 0, 4}}));
    testsupport::EventCounter counter(QEvent::Paint);
    view.installEventFilter(&counter);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(testsupport::waitUntil([&] { return counter.count > 0; }, 10000));
    testsupport::pumpEvents(50);
    const int settled = counter.count;
    testsupport::pumpEvents(200);
    EXPECT_EQ(counter.count, settled);
    view.setData(lineData({{2, 1, 0}}));
    ASSERT_TRUE(testsupport::waitUntil([&] { return counter.count > settled; }, 10000));
}
