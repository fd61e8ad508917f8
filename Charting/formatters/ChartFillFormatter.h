#pragma once

namespace charting {

class LineChartDataProvider;
class LineChartDataSetProtocol;

// Gives the y value down to which the area under a line is filled.
class ChartFillFormatter {
public:
    virtual ~ChartFillFormatter() = default;
    virtual double getFillLinePosition(const LineChartDataSetProtocol& dataSet,
                                       LineChartDataProvider& dataProvider) = 0;
};

} // namespace charting
