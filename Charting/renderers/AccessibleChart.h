#pragma once

#include "platform/Geometry.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace charting {

class AxisBase;
class ChartAxisValueFormatter;

// What the data renderers read of a chart view to describe it to assistive technology. The chart
// views implement it; a data provider that does not (a test double) gets no elements.
class AccessibleChart {
public:
    virtual ~AccessibleChart() = default;
    // The view the elements belong to.
    virtual QWidget* accessibilityContainer() = 0;
    // The chart description's text, when one is set.
    virtual std::optional<QString> chartDescriptionText() = 0;
    // The view's bounds, in its own coordinates.
    virtual platform::Rect chartBounds() = 0;
    // The x axis and its value formatter (none when the axis has none).
    virtual AxisBase* xAxisForAccessibility() = 0;
    virtual std::shared_ptr<ChartAxisValueFormatter> xAxisValueFormatter() = 0;
};

} // namespace charting
