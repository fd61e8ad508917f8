#pragma once

#include <memory>

namespace charting {

class Highlight;

// What a chart view asks of its highlighter: the selection under a touch point.
class ChartHighlighterProtocol {
public:
    virtual ~ChartHighlighterProtocol() = default;
    // x and y in view pixels; none when nothing is near enough.
    virtual std::shared_ptr<Highlight> getHighlight(double x, double y) = 0;
};

} // namespace charting
