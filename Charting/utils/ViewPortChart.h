#pragma once

#include "Charting/utils/LifetimeToken.h"
#include "platform/Geometry.h"

namespace charting {

// The chart view as the view-port handler and the view-port jobs see it: once they have applied a
// new touch matrix they mark its whole bounds for redrawing. The chart views implement it
// (virtually) beside their platform view, passing both operations on to the platform view's.
// Jobs refer to it without owning it and keep its lifetimeToken() to notice when it is gone.
class ViewPortChart : public virtual LifetimeToken {
public:
    virtual ~ViewPortChart() = default;

    // The view's own rectangle: origin (0, 0) and the view's size.
    virtual platform::Rect bounds() const = 0;
    // Marks the given part of the view for redrawing.
    virtual void setNeedsDisplayInRect(const platform::Rect& rect) = 0;
};

} // namespace charting
