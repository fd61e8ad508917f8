#pragma once

#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace charting {

class BarChartDataProvider;
class BarChartDataSetProtocol;
class Highlight;
class Transformer;

// Draws the data of a bar chart: each visible bar data set's shadows, bars and borders, the value
// labels and icons, the highlight rectangles, and one accessibility element per drawn bar after
// the chart's header element, grouped by bar.
//
// The bars of a data set are built as rectangles in value space in a buffer that persists
// between frames, then mapped to pixels in one pass. Bars stand on the value 0 line and run
// upwards for positive values (downwards on an inverted axis). Subclasses turn the bars a quarter
// turn by replacing the operations that depend on their direction.
class BarChartRenderer : public BarLineScatterCandleBubbleRenderer {
public:
    // The rectangles of one data set, in value space while they are built, then in pixels.
    struct Buffer {
        std::vector<platform::Rect> rects;
    };

    static std::shared_ptr<BarChartRenderer> create(BarChartDataProvider* dataProvider,
                                                    std::shared_ptr<Animator> animator,
                                                    std::shared_ptr<ViewPortHandler> viewPortHandler);
    BarChartRenderer(BarChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                     std::shared_ptr<ViewPortHandler> viewPortHandler);
    BarChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // The chart, not owned: none once it is gone.
    virtual BarChartDataProvider* dataProvider() const;
    virtual void setDataProvider(BarChartDataProvider* dataProvider);

    // One buffer per data set of the bar data, with room for entryCount x stackSize rectangles
    // (entryCount for a set that is not stacked); none without bar data.
    void initBuffers() override;
    const std::vector<Buffer>& buffers() const { return buffers_; }

    // Every visible bar data set in turn; then the accessibility elements.
    void drawData(GraphicsContext& context) override;
    // Shadows, bars, borders and accessibility elements of one data set.
    virtual void drawDataSet(GraphicsContext& context, BarChartDataSetProtocol& dataSet, int index);
    void drawValues(GraphicsContext& context) override;
    void drawExtras(GraphicsContext& context) override { (void)context; }
    // A rectangle over each highlighted bar (or stack level, or whole stack when the chart
    // highlights full bars) in the set's highlight colour at its highlight alpha.
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;

    // One line of text at the point in its alignment, rotated about the anchor when angled.
    virtual void drawValue(GraphicsContext& context, const QString& value, platform::Point point,
                           const QFont& font, TextAlignment align, const QColor& color,
                           platform::Point anchor, double angleRadians);
    // The pixel rectangle of a highlighted bar from x and the values y1 and y2.
    virtual platform::Rect highlightRect(double x, double y1, double y2, double barWidthHalf,
                                         const Transformer& trans) const;
    // Sets the highlight's draw point from the pixel rectangle of its bar: the centre of the
    // bar's end.
    virtual void setHighlightDrawPosition(Highlight& high, const platform::Rect& bar) const;
    // The element of the bar drawn from buffer rectangle `index` of the data set.
    virtual std::shared_ptr<NSUIAccessibilityElement>
    createAccessibleElement(const platform::Rect& bar, const BarChartDataSetProtocol& dataSet,
                            int dataSetIndex, int index, int stackSize);
    // The elements of the last drawing, one group per bar position.
    const std::vector<AccessibilityElements>& accessibilityOrderedElements() const {
        return accessibilityOrderedElements_;
    }

protected:
    std::vector<Buffer>& mutableBuffers() { return buffers_; }
    // Fills the set's buffer with the value-space rectangles of the entries the x animation has
    // reached: one per plain entry, one per stacked value.
    virtual void prepareBuffer(const BarChartDataSetProtocol& dataSet, int index);
    // The pixel rectangle of an entry's shadow (the whole content across the value direction).
    virtual platform::Rect shadowRect(double x, double barWidth, const Transformer& trans) const;
    // A pixel rectangle beyond the content's far end (where x grows): no later bar is visible.
    virtual bool isBeyondContent(const platform::Rect& bar) const;
    // A pixel rectangle wholly before the content's near end.
    virtual bool isBeforeContent(const platform::Rect& bar) const;
    // Whether the bars lie along the horizontal pixel direction.
    virtual bool barsAreHorizontal() const { return false; }
    // The entries the x animation has reached (a non-finite product counts none).
    long long animatedCount(const BarChartDataSetProtocol& dataSet) const;
    platform::Rect& barShadowRectBuffer() { return barShadowRectBuffer_; }

private:
    // Value-space rectangle of a bar from x, across its width, between the values `from` and
    // `to`.
    platform::Rect valueRect(double x, double barWidthHalf, double from, double to) const;

    std::vector<Buffer> buffers_;
    platform::Rect barShadowRectBuffer_;
    std::vector<AccessibilityElements> accessibilityOrderedElements_;
    BarChartDataProvider* dataProvider_ = nullptr;
    std::weak_ptr<const void> dataProviderLifetime_;
};

} // namespace charting
