#pragma once

namespace charting {

// The y axis that a data set, highlight, transformer or view-port job belongs to. The y axis
// component publishes it as YAxis::AxisDependency. Data sets store it and never interpret it;
// the chart data and the views treat a raw value other than 0 and 1 as a programming error or as
// the right axis, as each of them says.
enum class AxisDependency : int {
    left = 0,
    right = 1,
};

} // namespace charting
