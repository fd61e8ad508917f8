#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/data/ChartDataProvider.h"

namespace charting {

class Transformer;

// The axis-based chart views.
class BarLineScatterCandleBubbleChartDataProvider : public virtual ChartDataProvider {
public:
    // The transformer of the left (raw 0) or right axis.
    virtual std::shared_ptr<Transformer> getTransformerForAxis(AxisDependency axis) = 0;
    // Whether that y axis is drawn inverted.
    virtual bool isInverted(AxisDependency axis) = 0;
    // The x values at the content rectangle's left and right edges.
    virtual double lowestVisibleX() = 0;
    virtual double highestVisibleX() = 0;
};

} // namespace charting
