#pragma once

#include "Charting/renderers/LineScatterCandleRadarRenderer.h"
#include "Charting/utils/LifetimeToken.h"

#include <memory>

namespace charting {

class CandleChartDataProvider;
class CandleChartDataSetProtocol;

// Draws the data of a candle-stick chart, per visible candle entry:
// - with candle bars, the shadow (from the high down to the body and from the body down to the
//   low) at the shadow width, and the body from open to close, (1 - 2 x barSpace) x units wide:
//   filled or outlined as the fill flag of rising or falling candles says, a line when open
//   equals close;
// - without, an open-close bar: the line from high to low with the open as a tick to the left
//   and the close as a tick to the right, each (0.5 - barSpace) x units long.
// A candle takes the increasing, decreasing or neutral colour as close is above, below or at its
// open (the data set's colour of the entry where that colour is none); the shadow takes the
// shadow colour (else the entry colour), or the body's with shadowColorSameAsCandle.
class CandleStickChartRenderer : public LineScatterCandleRadarRenderer {
public:
    static std::shared_ptr<CandleStickChartRenderer>
    create(CandleChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
           std::shared_ptr<ViewPortHandler> viewPortHandler);
    CandleStickChartRenderer(CandleChartDataProvider* dataProvider,
                             std::shared_ptr<Animator> animator,
                             std::shared_ptr<ViewPortHandler> viewPortHandler);
    CandleStickChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    virtual CandleChartDataProvider* dataProvider() const { return dataProvider_.get(); }
    virtual void setDataProvider(CandleChartDataProvider* dataProvider) {
        dataProvider_.reset(dataProvider);
    }

    // The chart's accessibility header, then the candles of each visible candle data set.
    void drawData(GraphicsContext& context) override;
    virtual void drawDataSet(GraphicsContext& context, const CandleChartDataSetProtocol& dataSet);

private:
    NonOwningPointer<CandleChartDataProvider> dataProvider_;
};

} // namespace charting
