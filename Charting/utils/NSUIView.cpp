#include "Charting/utils/NSUIView.h"

#include <QRect>

#include <algorithm>
#include <cmath>

namespace charting {

NSUIView::NSUIView(QWidget* parent) : QWidget(parent) {}

platform::Rect NSUIView::bounds() const {
    return platform::Rect(0, 0, width(), height());
}

void NSUIView::setNeedsDisplayInRect(const platform::Rect& rect) {
    if (rect.isNull() || rect.isEmpty())
        return;
    // Only the part inside the view can be redrawn; clamping also keeps the integer conversion
    // in range for huge or infinite rectangles.
    const double x0 = std::max(0.0, std::floor(rect.minX()));
    const double y0 = std::max(0.0, std::floor(rect.minY()));
    const double x1 = std::min(double(width()), std::ceil(rect.maxX()));
    const double y1 = std::min(double(height()), std::ceil(rect.maxY()));
    if (!(x1 > x0) || !(y1 > y0))
        return;
    update(QRect(int(x0), int(y0), int(x1 - x0), int(y1 - y0)));
}

} // namespace charting
