#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"

#include <QStringList>

namespace charting {

// Data sets of bar charts: stacked values, stack labels and the bar look. The bar data set
// implements it; the legend, the bar renderer and the bar highlighter read bar data sets through it.
class BarChartDataSetProtocol : public virtual BarLineScatterCandleBubbleChartDataSetProtocol {
public:
    // The entries carry several stacked values.
    virtual bool isStacked() const = 0;
    // The largest number of stacked values of any entry.
    virtual int stackSize() const = 0;
    // Labels of the stack levels (may be empty).
    virtual QStringList stackLabels() const = 0;
    virtual void setStackLabels(QStringList labels) = 0;
    virtual QColor barShadowColor() const = 0;
    virtual void setBarShadowColor(QColor color) = 0;
    virtual double barBorderWidth() const = 0;
    virtual void setBarBorderWidth(double width) = 0;
    virtual QColor barBorderColor() const = 0;
    virtual void setBarBorderColor(QColor color) = 0;
    virtual double highlightAlpha() const = 0;
    virtual void setHighlightAlpha(double alpha) = 0;
};

} // namespace charting
