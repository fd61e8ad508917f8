// The live pages' chart: a 1000 x 400 line chart with three series of 200 points, axes, grid and
// legend, repainted into an image (with and without the data store before each repaint, as the
// pages do at every sample); the same chart with one series of 10^6 points; and the floor: the
// same scene (lines, grid lines, clips and legend) drawn with bare QPainter calls.
//
// Each benchmark reports the median and the 95th percentile of one repaint in microseconds; the
// floor also reports the pixels where its picture differs from the chart's (0: the same scene)
// and the chart's median repaint over its own.
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/views/LineChartView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

using namespace charting;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 400;
const QColor kSeriesColors[3] = {QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222)};

struct LiveChart {
    LineChartView view;
    std::vector<ChartDataSet::EntryList> entries;
    std::shared_ptr<LineChartData> data;

    explicit LiveChart(int series, int points) {
        view.resize(kWidth, kHeight);
        view.boundsDidChange();
        data = LineChartData::create();
        std::vector<std::shared_ptr<ChartDataSetProtocol>> sets;
        for (int k = 0; k < series; ++k) {
            ChartDataSet::EntryList list;
            list.reserve(std::size_t(points));
            for (int j = 0; j < points; ++j)
                list.push_back(ChartDataEntry::create(j, 0));
            auto set = LineChartDataSet::create(list, QStringLiteral("Gyro %1").arg(QChar('X' + k)));
            set->setColors({kSeriesColors[k % 3]});
            set->setDrawCirclesEnabled(false);
            set->setDrawCircleHoleEnabled(false);
            entries.push_back(std::move(list));
            sets.push_back(set);
        }
        data->setDataSets(sets);
        view.rightAxis()->setEnabled(false);
        const auto left = view.leftAxis();
        left->setAxisMinimum(-1200);
        left->setAxisMaximum(1200);
        left->setGranularity(100);
        left->setDrawLabelsEnabled(false);
        left->setAxisLineWidth(2);
        left->setAxisLineColor(QColor(255, 59, 48));
        left->setDrawZeroLineEnabled(true);
        left->setZeroLineWidth(1);
        left->setGridLineDashLengths(std::vector<double>{4, 2});
        view.xAxis()->setDrawLabelsEnabled(false);
        feed(0);
        view.setData(data);
    }

    // One sweep step: new y values everywhere (as after a run of samples).
    void feed(int step) {
        for (std::size_t k = 0; k < entries.size(); ++k)
            for (std::size_t j = 0; j < entries[k].size(); ++j)
                entries[k][j]->setY(1000 * std::sin(0.05 * double(j + std::size_t(step)) +
                                                    double(k)));
        for (const auto& set : data->dataSets())
            set->notifyDataSetChanged();
        data->notifyDataChanged();
    }
};

void report(benchmark::State& state, std::vector<double>& micros) {
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p95_us"] = micros[std::min(micros.size() - 1, micros.size() * 95 / 100)];
}

template <typename F> double microsOf(F&& repaint) {
    const auto start = std::chrono::steady_clock::now();
    repaint();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

template <typename F> void timed(benchmark::State& state, F&& repaint) {
    std::vector<double> micros;
    for (auto _ : state)
        micros.push_back(microsOf(repaint));
    report(state, micros);
}

void paintView(LineChartView& view, QImage& image) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterGraphicsContext context(painter);
    view.drawRect(&context, view.bounds());
}

} // namespace

static void BM_LiveChartRepaint(benchmark::State& state) {
    LiveChart chart(3, 200);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    timed(state, [&] { paintView(chart.view, image); });
}
BENCHMARK(BM_LiveChartRepaint)->Unit(benchmark::kMicrosecond);

// As the pages do it: store the data again (the view recomputes), then repaint.
static void BM_LiveChartSampleAndRepaint(benchmark::State& state) {
    LiveChart chart(3, 200);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    timed(state, [&] {
        chart.feed(++step);
        chart.view.setData(chart.data);
        paintView(chart.view, image);
    });
}
BENCHMARK(BM_LiveChartSampleAndRepaint)->Unit(benchmark::kMicrosecond);

static void BM_MillionPointsRepaint(benchmark::State& state) {
    LiveChart chart(1, 1000000);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    timed(state, [&] { paintView(chart.view, image); });
}
BENCHMARK(BM_MillionPointsRepaint)->Unit(benchmark::kMillisecond)->Iterations(20);

// The floor: the scene the chart puts on the image, drawn straight with QPainter. The same
// lines at the same places, widths, colours, dashes and clips, antialiased as the view draws
// them, and the same legend; only the work of the chart (placing, transforming, its graphics
// context) is left out. Its geometry is taken from the chart once, before the timing.
namespace {

struct FloorScene {
    struct Line {
        QLineF line;
        QPen pen;
    };
    struct Clipped {
        QRectF clip;
        QPen pen;
        std::vector<QLineF> lines;
    };
    struct LegendItem {
        QPainterPath form;
        QColor formColor;
        QPointF labelTopLeft;
        QString label;
    };
    std::vector<Line> axisLines;
    std::vector<Clipped> gridsAndZeroLine;
    QRectF content;
    std::vector<std::pair<QPen, std::vector<QPointF>>> series;
    std::vector<LegendItem> legend;
    QFont legendFont;
    QColor legendTextColor;

    static QPen pen(const QColor& color, double width, const std::vector<double>& dashes = {}) {
        QPen p(QBrush(color), width, Qt::SolidLine, Qt::FlatCap, Qt::SvgMiterJoin);
        if (!dashes.empty()) {
            // Qt counts the dashes of a line of one device pixel or less (the scene's dashed
            // grid is 0.5 wide) in device pixels.
            QList<qreal> pattern;
            for (double d : dashes)
                pattern << d;
            p.setDashPattern(pattern);
        }
        return p;
    }

    explicit FloorScene(LiveChart& chart) {
        LineChartView& view = chart.view;
        const auto c = view.contentRect();
        content = QRectF(c.origin.x, c.origin.y, c.size.width, c.size.height);
        const auto transformer = view.getTransformerForAxis(AxisDependency::left);
        const auto pixel = [&](double x, double y) {
            const auto p = transformer->pixelForValues(x, y);
            return QPointF(p.x, p.y);
        };
        const auto x = view.xAxis();
        const auto y = view.leftAxis();
        // The axis lines: x along the top of the content (its place by default), y on the left.
        axisLines.push_back({QLineF(content.topLeft(), content.topRight()),
                             pen(x->axisLineColor(), x->axisLineWidth())});
        axisLines.push_back({QLineF(content.topLeft(), content.bottomLeft()),
                             pen(y->axisLineColor(), y->axisLineWidth())});
        // The grids, each clipped to the content widened by half its line width across the
        // lines, and the zero line.
        const double xw = x->gridLineWidth();
        Clipped xGrid{
            content.adjusted(-xw / 2, 0, xw / 2, 0),
            pen(x->gridColor(), xw, x->gridLineDashLengths().value_or(std::vector<double>{})),
            {}};
        for (double v : x->entries())
            xGrid.lines.emplace_back(pixel(v, 0).x(), content.top(), pixel(v, 0).x(),
                                     content.bottom());
        const double yw = y->gridLineWidth();
        Clipped yGrid{
            content.adjusted(0, -yw / 2, 0, yw / 2),
            pen(y->gridColor(), yw, y->gridLineDashLengths().value_or(std::vector<double>{})),
            {}};
        for (double v : y->entries())
            yGrid.lines.emplace_back(content.left(), pixel(0, v).y(), content.right(),
                                     pixel(0, v).y());
        const double zw = y->zeroLineWidth();
        Clipped zero{content.adjusted(0, -zw / 2, 0, zw / 2),
                     pen(y->zeroLineColor().value_or(Qt::gray), zw),
                     {QLineF(content.left(), pixel(0, 0).y(), content.right(), pixel(0, 0).y())}};
        gridsAndZeroLine = {xGrid, yGrid, zero};
        // The series: one polyline each, clipped to the content.
        for (std::size_t k = 0; k < chart.entries.size(); ++k) {
            const auto set = std::dynamic_pointer_cast<LineChartDataSet>(chart.data->dataSets()[k]);
            std::vector<QPointF> points;
            for (const auto& e : chart.entries[k])
                points.push_back(pixel(e->x(), e->y()));
            series.emplace_back(pen(set->colorAtIndex(0), set->lineWidth()), std::move(points));
        }
        // The legend in one row below the content: a square and a label for each series.
        const auto l = view.legend();
        legendFont = l->font();
        legendTextColor = l->textColor();
        const auto& sizes = l->calculatedLabelSizes();
        const double top = kHeight - l->yOffset() - l->neededHeight();
        double left = content.left() + l->xOffset();
        for (std::size_t k = 0; k < series.size(); ++k) {
            const double lineHeight = sizes[k].height;
            LegendItem item;
            item.form.addRect(QRectF(left, top + lineHeight / 2 - l->formSize() / 2, l->formSize(),
                                     l->formSize()));
            item.formColor = series[k].first.color();
            left += l->formSize() + l->formToTextSpace();
            item.labelTopLeft = QPointF(left, top);
            item.label = chart.data->dataSets()[k]->label().value_or(QString());
            legend.push_back(item);
            left += sizes[k].width + l->xEntrySpace();
        }
    }

    void paint(QImage& image) const {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (const Line& a : axisLines) {
            p.setPen(a.pen);
            p.drawLine(a.line);
        }
        for (const Clipped& group : gridsAndZeroLine) {
            p.setClipRect(group.clip);
            p.setPen(group.pen);
            p.drawLines(group.lines.data(), int(group.lines.size()));
        }
        p.setClipRect(content);
        for (const auto& [pen, points] : series) {
            p.setPen(pen);
            p.drawPolyline(points.data(), int(points.size()));
        }
        p.setClipping(false);
        p.setFont(legendFont);
        for (const LegendItem& item : legend) {
            p.fillPath(item.form, item.formColor);
            p.setPen(legendTextColor);
            p.drawText(QRectF(item.labelTopLeft, QSizeF(1e5, 1e5)),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                       item.label);
        }
    }
};

} // namespace

static void BM_LiveChartFloor(benchmark::State& state) {
    LiveChart chart(3, 200);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const FloorScene scene(chart);
    // How far the floor's picture is from the chart's: the pixels that differ.
    QImage drawn(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    paintView(chart.view, drawn);
    scene.paint(image);
    int differing = 0;
    for (int row = 0; row < kHeight; ++row)
        for (int col = 0; col < kWidth; ++col)
            differing += image.pixel(col, row) != drawn.pixel(col, row);
    timed(state, [&] { scene.paint(image); });
    state.counters["differing_px"] = differing;
    // The chart's repaint of the scene as many times: its median over the floor's.
    std::vector<double> chartMicros;
    for (benchmark::IterationCount i = 0; i < state.iterations(); ++i)
        chartMicros.push_back(microsOf([&] { paintView(chart.view, drawn); }));
    std::sort(chartMicros.begin(), chartMicros.end());
    if (!chartMicros.empty())
        state.counters["chart_over_floor"] =
            chartMicros[chartMicros.size() / 2] / state.counters["median_us"].value;
}
BENCHMARK(BM_LiveChartFloor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
