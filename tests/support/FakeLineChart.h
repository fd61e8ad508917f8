#pragma once

#include "Charting/data/ChartData.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataProvider.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <memory>

namespace testsupport {

// A line chart as formatters and highlighters see it: its data, its y range and highlight
// distance, and a transformer per axis on a 100 x 100 view without offsets that shows x 0...10
// and y 0...10, so that value (x, y) is pixel (10x, 100 - 10y).
class FakeLineChart : public charting::LineChartDataProvider {
public:
    FakeLineChart() {
        for (auto& t : transformers_) {
            t = charting::Transformer::create(handler_);
            t->prepareMatrixValuePx(0, 10, 10, 0);
            t->prepareMatrixOffset(false);
        }
    }
    double chartXMin() override { return 0; }
    double chartXMax() override { return 10; }
    double chartYMin() override { return yMin; }
    double chartYMax() override { return yMax; }
    double maxHighlightDistance() override { return maxDistance; }
    double xRange() override { return 10; }
    platform::Point centerOffsets() override { return {50, 50}; }
    std::shared_ptr<charting::ChartData> data() override { return chartData; }
    int maxVisibleCount() override { return 100; }
    std::shared_ptr<charting::Transformer>
    getTransformerForAxis(charting::AxisDependency axis) override {
        return transformers_[axis == charting::AxisDependency::left ? 0 : 1];
    }
    bool isInverted(charting::AxisDependency) override { return false; }
    double lowestVisibleX() override { return 0; }
    double highestVisibleX() override { return 10; }
    std::shared_ptr<charting::LineChartData> lineData() override {
        return std::dynamic_pointer_cast<charting::LineChartData>(chartData);
    }
    std::shared_ptr<charting::YAxis> getAxis(charting::AxisDependency) override { return {}; }

    std::shared_ptr<charting::ChartData> chartData;
    double yMin = 0;
    double yMax = 10;
    double maxDistance = 500;

private:
    std::shared_ptr<charting::ViewPortHandler> handler_ =
        charting::ViewPortHandler::create(100, 100);
    std::shared_ptr<charting::Transformer> transformers_[2];
};

} // namespace testsupport
