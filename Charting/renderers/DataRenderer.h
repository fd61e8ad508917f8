#pragma once

#include "Charting/renderers/ChartRenderer.h"

#include <QString>

#include <memory>
#include <vector>

namespace charting {

class AccessibleChart;
class Animator;
class ChartData;
class ChartDataProvider;
class GraphicsContext;
class Highlight;
class NSUIAccessibilityElement;

using AccessibilityElements = std::vector<std::shared_ptr<NSUIAccessibilityElement>>;
using Highlights = std::vector<std::shared_ptr<Highlight>>;

// A renderer of a chart's data: the chart view calls the four draw operations in each draw pass
// and offers accessibleChartElements to assistive technology.
class DataRenderer : public ChartRenderer {
public:
    virtual const AccessibilityElements& accessibleChartElements() const = 0;
    virtual void setAccessibleChartElements(AccessibilityElements elements) = 0;
    virtual const std::shared_ptr<Animator>& animator() const = 0;
    virtual void drawData(GraphicsContext& context) = 0;
    virtual void drawValues(GraphicsContext& context) = 0;
    virtual void drawExtras(GraphicsContext& context) = 0;
    virtual void drawHighlighted(GraphicsContext& context, const Highlights& indices) = 0;
    virtual void initBuffers() = 0;
    virtual bool isDrawingValuesAllowed(ChartDataProvider* dataProvider) = 0;
    // The element that leads a chart's list: "<description>. <n> dataset[s]. <labels>", with the
    // chart's bounds as its frame, a static text marked as header.
    virtual std::shared_ptr<NSUIAccessibilityElement>
    createAccessibleHeader(AccessibleChart& chart, const ChartData& data,
                           const QString& defaultDescription);
};

} // namespace charting
