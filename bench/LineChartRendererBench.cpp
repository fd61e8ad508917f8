// One line data set drawn through the line chart renderer into a 1000 x 400 image, beside the
// same polyline drawn by bare QPainter calls in the same run: 200 points (the live pages), 10^5
// and 10^6 points, solid and dashed (4, 2), one point wide, antialiased.
#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataProvider.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/renderers/LineChartRenderer.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace charting;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 400;

// A chart of kWidth x kHeight showing x 0...count - 1 and y -1.5...1.5 across the whole view.
class BenchChart : public LineChartDataProvider {
public:
    explicit BenchChart(int count) : count_(count) {
        transformer_->prepareMatrixValuePx(0, double(count - 1), 3, -1.5);
        transformer_->prepareMatrixOffset(false);
    }
    double chartXMin() override { return 0; }
    double chartXMax() override { return count_ - 1; }
    double chartYMin() override { return -1.5; }
    double chartYMax() override { return 1.5; }
    double maxHighlightDistance() override { return 500; }
    double xRange() override { return count_ - 1; }
    platform::Point centerOffsets() override { return {kWidth / 2.0, kHeight / 2.0}; }
    std::shared_ptr<ChartData> data() override { return data_; }
    int maxVisibleCount() override { return 100; }
    std::shared_ptr<Transformer> getTransformerForAxis(AxisDependency) override {
        return transformer_;
    }
    bool isInverted(AxisDependency) override { return false; }
    double lowestVisibleX() override { return 0; }
    double highestVisibleX() override { return count_ - 1; }
    std::shared_ptr<LineChartData> lineData() override { return data_; }
    std::shared_ptr<YAxis> getAxis(AxisDependency) override { return {}; }

    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(kWidth, kHeight);
    std::shared_ptr<LineChartData> data_;

private:
    int count_;
    std::shared_ptr<Transformer> transformer_ = Transformer::create(handler);
};

// A sensor-like signal: a slow sine with noise.
std::shared_ptr<LineChartDataSet> signal(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-0.1, 0.1);
    ChartDataSet::EntryList entries;
    entries.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        entries.push_back(ChartDataEntry::create(
            i, std::sin(i * 2 * M_PI / std::max(count / 3, 50)) + noise(random)));
    auto set = LineChartDataSet::create(std::move(entries), QStringLiteral("Gyro"));
    set->setDrawCirclesEnabled(false);
    set->setDrawValuesEnabled(false);
    set->setLineWidth(1);
    return set;
}

QGuiApplication& app() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return application;
}

void BM_Renderer(benchmark::State& state) {
    app();
    const int count = int(state.range(0));
    const bool dashed = state.range(1) != 0;
    const int sets = int(state.range(2));
    BenchChart chart(count);
    LineChartData::DataSetList list;
    for (int s = 0; s < sets; ++s) {
        auto set = signal(count, 7 + unsigned(s));
        if (dashed)
            set->setLineDashLengths(std::vector<double>{4, 2});
        list.push_back(set);
    }
    chart.data_ = LineChartData::create(list);
    auto renderer = LineChartRenderer::create(&chart, Animator::create(), chart.handler);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterGraphicsContext context(painter);
        renderer->drawData(context);
    }
    state.SetItemsProcessed(state.iterations() * count * sets);
}

void BM_BareQPainter(benchmark::State& state) {
    app();
    const int count = int(state.range(0));
    const bool dashed = state.range(1) != 0;
    const int sets = int(state.range(2));
    BenchChart chart(count);
    const auto matrix = chart.getTransformerForAxis(AxisDependency::left)->valueToPixelMatrix();
    std::vector<QPolygonF> lines;
    for (int s = 0; s < sets; ++s) {
        auto set = signal(count, 7 + unsigned(s));
        QPolygonF line;
        line.reserve(count);
        for (const auto& e : set->entries()) {
            const platform::Point p = matrix.apply(platform::Point{e->x(), e->y()});
            line << QPointF(p.x, p.y);
        }
        lines.push_back(std::move(line));
    }
    QPen pen(QColor(140, 234, 255), 1);
    pen.setCapStyle(Qt::FlatCap);
    if (dashed)
        pen.setDashPattern({4, 2});
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(pen);
        for (const auto& line : lines)
            painter.drawPolyline(line);
    }
    state.SetItemsProcessed(state.iterations() * count * sets);
}

void arguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "dashed", "sets"});
    for (int count : {200, 100'000, 1'000'000})
        for (int dashed : {0, 1})
            b->Args({count, dashed, 1});
    b->Args({1'000'000, 0, 2}); // two dense data sets in one image
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Renderer)->Apply(arguments);
BENCHMARK(BM_BareQPainter)->Apply(arguments);
