#pragma once

#include "Charting/utils/ViewPortChart.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace charting {

class XAxis;

// A chart view as the data renderers see it when they describe it to assistive technology. The
// chart views implement it; a data provider that does not (a test double) gets no elements.
class AccessibleChart : public virtual ViewPortChart {
public:
    // The view the elements belong to.
    virtual QWidget* accessibilityContainer() = 0;
    // The chart description's text, when one is set.
    virtual std::optional<QString> chartDescriptionText() = 0;
    virtual std::shared_ptr<XAxis> xAxis() = 0;
};

} // namespace charting
