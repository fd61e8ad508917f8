#pragma once

#include <QString>

#include <memory>

namespace charting {

class ChartDataEntry;
class ViewPortHandler;

// Turns a value into the text of its label at a data point.
class ChartValueFormatter {
public:
    virtual ~ChartValueFormatter() = default;
    // The value, its entry, the position of the entry's data set and the chart's view-port
    // handler (or none).
    virtual QString stringForValue(double value, const std::shared_ptr<ChartDataEntry>& entry,
                                   int dataSetIndex, ViewPortHandler* viewPortHandler) = 0;
};

} // namespace charting
