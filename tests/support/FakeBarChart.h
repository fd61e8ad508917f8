#pragma once

#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataProvider.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <memory>

namespace testsupport {

// A bar chart as bar renderers and highlighters see it: its data, flags and a transformer per
// axis on a 100 x 100 view without offsets. By default it shows x 0...10 and y 0...10, so that
// value (x, y) is pixel (10x, 100 - 10y); show() changes the ranges of both transformers.
class FakeBarChart : public charting::BarChartDataProvider {
public:
    FakeBarChart() { show(0, 10, 0, 10); }

    // Both transformers show x from xMin over deltaX and y from yMin over deltaY.
    void show(double xMin, double deltaX, double yMin, double deltaY) {
        for (int i = 0; i < 2; ++i) {
            if (!transformers_[i])
                transformers_[i] = charting::Transformer::create(handler);
            transformers_[i]->prepareMatrixValuePx(xMin, deltaX, deltaY, yMin);
            transformers_[i]->prepareMatrixOffset(inverted[i]);
        }
    }
    // Replaces both transformers (a horizontal bar chart's, for example).
    void setTransformers(std::shared_ptr<charting::Transformer> left,
                         std::shared_ptr<charting::Transformer> right) {
        transformers_[0] = std::move(left);
        transformers_[1] = std::move(right);
    }

    double chartXMin() override { return 0; }
    double chartXMax() override { return 10; }
    double chartYMin() override { return 0; }
    double chartYMax() override { return 10; }
    double maxHighlightDistance() override { return maxDistance; }
    double xRange() override { return 10; }
    platform::Point centerOffsets() override { return {50, 50}; }
    std::shared_ptr<charting::ChartData> data() override { return chartData; }
    int maxVisibleCount() override { return maxVisible; }
    std::shared_ptr<charting::Transformer>
    getTransformerForAxis(charting::AxisDependency axis) override {
        return transformers_[axis == charting::AxisDependency::left ? 0 : 1];
    }
    bool isInverted(charting::AxisDependency axis) override {
        return inverted[axis == charting::AxisDependency::left ? 0 : 1];
    }
    double lowestVisibleX() override { return 0; }
    double highestVisibleX() override { return 10; }
    std::shared_ptr<charting::BarChartData> barData() override {
        return std::dynamic_pointer_cast<charting::BarChartData>(chartData);
    }
    bool isDrawBarShadowEnabled() override { return drawShadow; }
    bool isDrawValueAboveBarEnabled() override { return valueAboveBar; }
    bool isHighlightFullBarEnabled() override { return fullBar; }

    std::shared_ptr<charting::ViewPortHandler> handler =
        charting::ViewPortHandler::create(100, 100);
    std::shared_ptr<charting::ChartData> chartData;
    double maxDistance = 500;
    int maxVisible = 100;
    bool inverted[2] = {false, false};
    bool drawShadow = false;
    bool valueAboveBar = true;
    bool fullBar = false;

private:
    std::shared_ptr<charting::Transformer> transformers_[2];
};

} // namespace testsupport
