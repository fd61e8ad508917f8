#pragma once

#include "Charting/data/LineChartDataProvider.h"
#include "Charting/views/BarLineChartViewBase.h"

namespace charting {

// The line chart: a bar-line view drawing its line data with the line renderer. Layouts can
// promote a placeholder widget to it (it is made with just a parent).
class LineChartView : public BarLineChartViewBase, public virtual LineChartDataProvider {
public:
    explicit LineChartView(QWidget* parent = nullptr);

    // Installs the line renderer after the bar-line set-up.
    void initialize() override;
    // The data when it is line data, else none.
    std::shared_ptr<LineChartData> lineData() override;
    std::shared_ptr<YAxis> getAxis(AxisDependency axis) override {
        return BarLineChartViewBase::getAxis(axis);
    }
};

} // namespace charting
