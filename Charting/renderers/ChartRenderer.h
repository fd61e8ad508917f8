#pragma once

#include <memory>

namespace charting {

class ViewPortHandler;

// Anything that draws a part of a chart inside its view port.
class ChartRenderer {
public:
    virtual ~ChartRenderer() = default;
    virtual const std::shared_ptr<ViewPortHandler>& viewPortHandler() const = 0;
};

} // namespace charting
