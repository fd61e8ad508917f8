#pragma once

#include "Charting/data/ChartDataSetProtocol.h"

namespace charting {

// Data sets of the axis-based chart types: the look of the highlight lines.
class BarLineScatterCandleBubbleChartDataSetProtocol : public virtual ChartDataSetProtocol {
public:
    virtual QColor highlightColor() const = 0;
    virtual void setHighlightColor(QColor color) = 0;
    virtual double highlightLineWidth() const = 0;
    virtual void setHighlightLineWidth(double width) = 0;
    virtual double highlightLineDashPhase() const = 0;
    virtual void setHighlightLineDashPhase(double phase) = 0;
    // None draws solid lines.
    virtual std::optional<std::vector<double>> highlightLineDashLengths() const = 0;
    virtual void setHighlightLineDashLengths(std::optional<std::vector<double>> lengths) = 0;
};

} // namespace charting
