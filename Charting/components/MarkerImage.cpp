#include "Charting/components/MarkerImage.h"

#include "Charting/utils/GraphicsContext.h"

namespace charting {

platform::Point markerOffsetClamped(platform::Point offset, platform::Point point,
                                    platform::Size markerSize,
                                    const std::optional<platform::Size>& chartSize) {
    if (point.x + offset.x < 0)
        offset.x = -point.x;
    else if (chartSize && point.x + markerSize.width + offset.x > chartSize->width)
        offset.x = chartSize->width - point.x - markerSize.width;
    if (point.y + offset.y < 0)
        offset.y = -point.y;
    else if (chartSize && point.y + markerSize.height + offset.y > chartSize->height)
        offset.y = chartSize->height - point.y - markerSize.height;
    return offset;
}

std::shared_ptr<MarkerImage> MarkerImage::create() { return std::make_shared<MarkerImage>(); }

platform::Size MarkerImage::drawingSize() const {
    platform::Size size = size_;
    if (size.width == 0)
        size.width = image_ ? image_->width() : 0;
    if (size.height == 0)
        size.height = image_ ? image_->height() : 0;
    return size;
}

platform::Point MarkerImage::offsetForDrawing(platform::Point point) const {
    std::optional<platform::Size> chartSize;
    if (auto view = chartView())
        chartSize = view->bounds().size;
    return markerOffsetClamped(offset_, point, drawingSize(), chartSize);
}

void MarkerImage::refreshContent(const std::shared_ptr<ChartDataEntry>&, const Highlight&) {}

void MarkerImage::draw(GraphicsContext& context, platform::Point point) {
    if (!image_)
        return;
    const auto offset = offsetForDrawing(point);
    const auto size = drawingSize();
    context.saveGState();
    context.drawImage(*image_, platform::Rect(point.x + offset.x, point.y + offset.y, size.width,
                                              size.height));
    context.restoreGState();
}

} // namespace charting
