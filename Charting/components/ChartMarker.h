#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <optional>

namespace charting {

class ChartDataEntry;
class GraphicsContext;
class Highlight;

// The overlay a chart view draws at each highlighted value it shows: it is refreshed for the
// entry, then drawn at the highlight's position.
class ChartMarker {
public:
    virtual ~ChartMarker() = default;
    // The wished displacement of the marker's top-left corner from the highlight point.
    virtual platform::Point offset() const = 0;
    // The displacement to use at this point (kept inside the chart where the marker can).
    virtual platform::Point offsetForDrawing(platform::Point point) const = 0;
    virtual void refreshContent(const std::shared_ptr<ChartDataEntry>& entry,
                                const Highlight& highlight) = 0;
    virtual void draw(GraphicsContext& context, platform::Point point) = 0;
};

// The offset moved so that a marker of the given size at the point stays inside the chart: at
// the left and top edges always, at the right and bottom edges when the chart size is known.
platform::Point markerOffsetClamped(platform::Point offset, platform::Point point,
                                    platform::Size markerSize,
                                    const std::optional<platform::Size>& chartSize);

} // namespace charting
