// The live pages' chart: a 1000 x 400 line chart with three series of 200 points, axes, grid and
// legend, repainted into an image (with and without the data store before each repaint, as the
// pages do at every sample); the same chart with one series of 10^6 points; and the floor: the
// same lines, grid lines and label texts drawn with bare QPainter calls.
//
// Each benchmark reports the median and the 95th percentile of one repaint in microseconds.
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/utils/QPainterGraphicsContext.h"
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

template <typename F> void timed(benchmark::State& state, F&& repaint) {
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        repaint();
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
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

// The floor: what the chart puts on the image, drawn straight with QPainter.
static void BM_LiveChartFloor(benchmark::State& state) {
    LiveChart chart(3, 200);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const auto content = chart.view.contentRect();
    const double left = content.origin.x, top = content.origin.y;
    const double w = content.size.width, h = content.size.height;
    const QFont font = chart.view.legend()->font();
    std::vector<std::vector<QPointF>> lines(3, std::vector<QPointF>(200));
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t j = 0; j < 200; ++j)
            lines[k][j] = QPointF(left + w * double(j) / 199,
                                  top + h * (0.5 - chart.entries[k][j]->y() / 2400));
    QPen grid(QColor(128, 128, 128, 230), 0.5);
    grid.setDashPattern({4 / 0.5, 2 / 0.5});
    grid.setCapStyle(Qt::FlatCap);
    timed(state, [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // x grid (vertical), y grid (horizontal, dashed), zero line, axis lines
        p.setPen(QPen(QColor(128, 128, 128, 230), 0.5, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i <= 10; ++i)
            p.drawLine(QPointF(left + w * i / 10, top), QPointF(left + w * i / 10, top + h));
        p.setPen(grid);
        for (int i = 0; i <= 24; ++i)
            p.drawLine(QPointF(left, top + h * i / 24), QPointF(left + w, top + h * i / 24));
        p.setPen(QPen(Qt::gray, 1, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(left, top + h / 2), QPointF(left + w, top + h / 2));
        p.setPen(QPen(QColor(255, 59, 48), 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(left, top), QPointF(left, top + h));
        p.setPen(QPen(Qt::gray, 0.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(left, top + h), QPointF(left + w, top + h));
        // the three series
        p.save();
        p.setClipRect(QRectF(left, top, w, h));
        for (std::size_t k = 0; k < 3; ++k) {
            p.setPen(QPen(kSeriesColors[k], 1, Qt::SolidLine, Qt::FlatCap));
            p.drawPolyline(lines[k].data(), int(lines[k].size()));
        }
        p.restore();
        // the legend: three squares and three labels
        p.setFont(font);
        double x = left + 5;
        for (int k = 0; k < 3; ++k) {
            p.fillRect(QRectF(x, kHeight - 16, 8, 8), kSeriesColors[k]);
            x += 13;
            const QString label = QStringLiteral("Gyro %1").arg(QChar('X' + k));
            const QRectF box(x, kHeight - 20, 60, 16);
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop, label);
            x += 45;
        }
    });
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
