#pragma once

#include "Charting/components/ChartMarker.h"
#include "Charting/utils/NSUIView.h"

#include <QPointer>
#include <QString>

#include <functional>

namespace charting {

// A marker that draws a whole widget (usually built from a layout) at the highlighted value.
// Subclasses fill their child widgets in refreshContent.
class MarkerView : public NSUIView, public ChartMarker {
public:
    explicit MarkerView(QWidget* parent = nullptr);

    platform::Point offset() const override { return offset_; }
    virtual void setOffset(platform::Point offset) { offset_ = offset; }
    // The chart view (not owned); without one the offset is used unclamped.
    virtual NSUIView* chartView() const { return chartView_.data(); }
    virtual void setChartView(NSUIView* view) { chartView_ = view; }

    platform::Point offsetForDrawing(platform::Point point) const override;
    // Does nothing; subclasses show the entry in their child widgets.
    void refreshContent(const std::shared_ptr<ChartDataEntry>& entry,
                        const Highlight& highlight) override;
    // Renders the widget with its top-left corner at the point plus the offset.
    void draw(GraphicsContext& context, platform::Point point) override;

    // Marker layouts by name (the marker class's name): a layout makes its widget.
    using Layout = std::function<QWidget*()>;
    static void registerLayout(const QString& name, Layout layout);
    // The widget made by the layout of that name when it is a marker view; none when there is no
    // such layout, it makes nothing, or what it makes is not a marker view.
    static std::unique_ptr<MarkerView> viewFromLayout(const QString& name = "MarkerView");

private:
    platform::Point offset_;
    QPointer<NSUIView> chartView_;
};

} // namespace charting
