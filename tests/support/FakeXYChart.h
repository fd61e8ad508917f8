#pragma once

#include "Charting/data/BubbleChartData.h"
#include "Charting/data/BubbleChartDataProvider.h"
#include "Charting/data/CandleChartData.h"
#include "Charting/data/CandleChartDataProvider.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/data/ScatterChartDataProvider.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <memory>

namespace testsupport {

// A scatter, bubble or candle chart as its renderer sees it: its data and a transformer per axis on a 100 x 100
// view without offsets that shows x 0...10 and y 0...10, so that value (x, y) is pixel
// (10x, 100 - 10y). The visible x range is settable.
class FakeXYChart : public charting::ScatterChartDataProvider,
                    public charting::BubbleChartDataProvider,
                    public charting::CandleChartDataProvider {
public:
    FakeXYChart() {
        for (auto& t : transformers_) {
            t = charting::Transformer::create(handler);
            t->prepareMatrixValuePx(0, 10, 10, 0);
            t->prepareMatrixOffset(false);
        }
    }
    double chartXMin() override { return 0; }
    double chartXMax() override { return 10; }
    double chartYMin() override { return 0; }
    double chartYMax() override { return 10; }
    double maxHighlightDistance() override { return 500; }
    double xRange() override { return 10; }
    platform::Point centerOffsets() override { return {50, 50}; }
    std::shared_ptr<charting::ChartData> data() override { return chartData; }
    int maxVisibleCount() override { return maxVisible; }
    std::shared_ptr<charting::Transformer>
    getTransformerForAxis(charting::AxisDependency axis) override {
        return transformers_[axis == charting::AxisDependency::left ? 0 : 1];
    }
    bool isInverted(charting::AxisDependency) override { return false; }
    double lowestVisibleX() override { return low; }
    double highestVisibleX() override { return high; }
    std::shared_ptr<charting::ScatterChartData> scatterData() override {
        return std::dynamic_pointer_cast<charting::ScatterChartData>(chartData);
    }
    std::shared_ptr<charting::BubbleChartData> bubbleData() override {
        return std::dynamic_pointer_cast<charting::BubbleChartData>(chartData);
    }
    std::shared_ptr<charting::CandleChartData> candleData() override {
        return std::dynamic_pointer_cast<charting::CandleChartData>(chartData);
    }

    std::shared_ptr<charting::ViewPortHandler> handler =
        charting::ViewPortHandler::create(100, 100);
    std::shared_ptr<charting::ChartData> chartData;
    int maxVisible = 100;
    double low = 0;
    double high = 10;

private:
    std::shared_ptr<charting::Transformer> transformers_[2];
};

} // namespace testsupport
