#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSet.h"
#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"

namespace charting {

// Base of the line, scatter, candle and radar data sets: switches for the horizontal and the
// vertical highlight line.
class LineScatterCandleRadarChartDataSet
    : public BarLineScatterCandleBubbleChartDataSet,
      public virtual LineScatterCandleRadarChartDataSetProtocol {
public:
    static std::shared_ptr<LineScatterCandleRadarChartDataSet> create();
    static std::shared_ptr<LineScatterCandleRadarChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    bool drawHorizontalHighlightIndicatorEnabled() const override {
        return drawHorizontalHighlightIndicatorEnabled_;
    }
    void setDrawHorizontalHighlightIndicatorEnabled(bool enabled) override {
        drawHorizontalHighlightIndicatorEnabled_ = enabled;
    }
    bool drawVerticalHighlightIndicatorEnabled() const override {
        return drawVerticalHighlightIndicatorEnabled_;
    }
    void setDrawVerticalHighlightIndicatorEnabled(bool enabled) override {
        drawVerticalHighlightIndicatorEnabled_ = enabled;
    }
    bool isHorizontalHighlightIndicatorEnabled() const override {
        return drawHorizontalHighlightIndicatorEnabled_;
    }
    bool isVerticalHighlightIndicatorEnabled() const override {
        return drawVerticalHighlightIndicatorEnabled_;
    }
    void setDrawHighlightIndicators(bool enabled) override {
        setDrawHorizontalHighlightIndicatorEnabled(enabled);
        setDrawVerticalHighlightIndicatorEnabled(enabled);
    }

    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    LineScatterCandleRadarChartDataSet() = default;
    LineScatterCandleRadarChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    bool drawHorizontalHighlightIndicatorEnabled_ = true;
    bool drawVerticalHighlightIndicatorEnabled_ = true;
};

} // namespace charting
