#pragma once

#include "Charting/components/ChartMarker.h"
#include "Charting/utils/NSUIView.h"

#include <QImage>
#include <QPointer>

#include <optional>

namespace charting {

// A marker that draws a picture at the highlighted value, kept inside the chart's bounds.
class MarkerImage : public ChartMarker {
public:
    static std::shared_ptr<MarkerImage> create();
    MarkerImage() = default;

    // Without an image nothing is drawn.
    virtual std::optional<QImage> image() const { return image_; }
    virtual void setImage(std::optional<QImage> image) { image_ = std::move(image); }
    platform::Point offset() const override { return offset_; }
    virtual void setOffset(platform::Point offset) { offset_ = offset; }
    // The chart view (not owned) whose bounds keep the marker in; none disables the right and
    // bottom clamps.
    virtual NSUIView* chartView() const { return chartView_.data(); }
    virtual void setChartView(NSUIView* view) { chartView_ = view; }
    // Drawing size; a zero width or height takes the image's own.
    virtual platform::Size size() const { return size_; }
    virtual void setSize(platform::Size size) { size_ = size; }

    platform::Point offsetForDrawing(platform::Point point) const override;
    // Does nothing.
    void refreshContent(const std::shared_ptr<ChartDataEntry>& entry,
                        const Highlight& highlight) override;
    void draw(GraphicsContext& context, platform::Point point) override;

private:
    platform::Size drawingSize() const;

    std::optional<QImage> image_;
    platform::Point offset_;
    QPointer<NSUIView> chartView_;
    platform::Size size_;
};

} // namespace charting
