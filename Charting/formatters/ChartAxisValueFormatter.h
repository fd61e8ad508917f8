#pragma once

#include <QString>

namespace charting {

class AxisBase;

// Turns an axis value into the text of its axis label.
class ChartAxisValueFormatter {
public:
    virtual ~ChartAxisValueFormatter() = default;
    // The value and the axis it belongs to (or none).
    virtual QString stringForValue(double value, AxisBase* axis) = 0;
};

} // namespace charting
