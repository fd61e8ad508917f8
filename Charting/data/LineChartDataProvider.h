#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"

namespace charting {

class LineChartData;
class YAxis;

// The line chart view.
class LineChartDataProvider : public virtual BarLineScatterCandleBubbleChartDataProvider {
public:
    // The chart data when it is line data, else none.
    virtual std::shared_ptr<LineChartData> lineData() = 0;
    // The left or right y axis.
    virtual std::shared_ptr<YAxis> getAxis(AxisDependency axis) = 0;
};

} // namespace charting
