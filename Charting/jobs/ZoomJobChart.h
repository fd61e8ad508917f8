#pragma once

#include "Charting/components/AxisDependency.h"

namespace charting {

// What the zoom jobs use of the bar-line chart view that runs them (the view implements it
// beside its view base): the value ranges of its axes and the offset calculation.
class ZoomJobChart {
public:
    virtual ~ZoomJobChart() = default;
    // The value range of the y axis on the given side.
    virtual double getAxisRange(AxisDependency axis) const = 0;
    // The value range of the x axis.
    virtual double xAxisRange() const = 0;
    virtual void calculateOffsets() = 0;
};

} // namespace charting
