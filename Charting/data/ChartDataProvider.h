#pragma once

#include "Charting/utils/LifetimeToken.h"
#include "platform/Geometry.h"

#include <memory>

namespace charting {

class ChartData;

// What renderers, highlighters and fill formatters see of a chart view. The chart views implement
// it (and the interfaces that extend it, virtually).
//
// Objects that refer back to a provider without owning it (a highlighter) keep lifetimeToken()
// beside the pointer: the token expires when the provider is destroyed.
class ChartDataProvider : public virtual LifetimeToken {
public:
    virtual ~ChartDataProvider() = default;

    virtual double chartXMin() = 0;              // lower end of the x axis
    virtual double chartXMax() = 0;              // upper end of the x axis
    virtual double chartYMin() = 0;              // smallest y shown
    virtual double chartYMax() = 0;              // largest y shown
    virtual double maxHighlightDistance() = 0;   // in points, between a touch and a value
    virtual double xRange() = 0;                 // span of the x axis
    virtual platform::Point centerOffsets() = 0; // centre of the content rectangle
    virtual std::shared_ptr<ChartData> data() = 0;
    virtual int maxVisibleCount() = 0; // most entries for which values are drawn
};

} // namespace charting
