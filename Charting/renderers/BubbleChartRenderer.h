#pragma once

#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"
#include "Charting/utils/LifetimeToken.h"
#include "platform/Geometry.h"

#include <memory>

namespace charting {

class BubbleChartDataEntry;
class BubbleChartDataProvider;
class BubbleChartDataSetProtocol;

// Draws the data of a bubble chart: one filled circle per visible bubble entry, centred on its
// point, its size as a value label in its middle, and a ring around highlighted bubbles.
//
// A bubble's area follows its size: the diameter is the reference diameter times the square
// root of the size (of size / maxSize when the data set normalises sizes; negative sizes give
// nothing). The reference diameter is the width of one x unit in pixels, at most the smaller
// side of the content.
class BubbleChartRenderer : public BarLineScatterCandleBubbleRenderer {
public:
    static std::shared_ptr<BubbleChartRenderer>
    create(BubbleChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
           std::shared_ptr<ViewPortHandler> viewPortHandler);
    BubbleChartRenderer(BubbleChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                        std::shared_ptr<ViewPortHandler> viewPortHandler);
    BubbleChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    virtual BubbleChartDataProvider* dataProvider() const { return dataProvider_.get(); }
    virtual void setDataProvider(BubbleChartDataProvider* dataProvider) {
        dataProvider_.reset(dataProvider);
    }

    // The chart's accessibility header, then the bubbles of each visible bubble data set.
    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;

    // The diameter in pixels of an entry's bubble under the value-to-pixel matrix.
    virtual double bubbleDiameter(const BubbleChartDataEntry& entry,
                                  const BubbleChartDataSetProtocol& dataSet,
                                  const platform::AffineTransform& matrix) const;

private:
    NonOwningPointer<BubbleChartDataProvider> dataProvider_;
};

} // namespace charting
