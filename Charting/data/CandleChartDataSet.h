#pragma once

#include "Charting/data/CandleChartDataSetProtocol.h"
#include "Charting/data/LineScatterCandleRadarChartDataSet.h"

namespace charting {

// One series of a candle chart: how its shadows and bodies look. Its y extremes span the lows
// and highs of its candle entries; entries of another kind are ignored by the extremes.
class CandleChartDataSet : public LineScatterCandleRadarChartDataSet,
                           public virtual CandleChartDataSetProtocol {
public:
    static std::shared_ptr<CandleChartDataSet> create();
    static std::shared_ptr<CandleChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    using ChartDataSet::calcMinMax;
    using ChartDataSet::calcMinMaxY;

    double barSpace() const override { return barSpace_; }
    // Clamped into 0...0.45.
    virtual void setBarSpace(double space);
    bool showCandleBar() const override { return showCandleBar_; }
    virtual void setShowCandleBar(bool show) { showCandleBar_ = show; }
    double shadowWidth() const override { return shadowWidth_; }
    virtual void setShadowWidth(double width) { shadowWidth_ = width; }
    std::optional<QColor> shadowColor() const override { return shadowColor_; }
    virtual void setShadowColor(std::optional<QColor> color) { shadowColor_ = color; }
    virtual bool shadowColorSameAsCandle() const { return shadowColorSameAsCandle_; }
    virtual void setShadowColorSameAsCandle(bool same) { shadowColorSameAsCandle_ = same; }
    bool isShadowColorSameAsCandle() const override { return shadowColorSameAsCandle_; }
    std::optional<QColor> neutralColor() const override { return neutralColor_; }
    virtual void setNeutralColor(std::optional<QColor> color) { neutralColor_ = color; }
    std::optional<QColor> increasingColor() const override { return increasingColor_; }
    void setIncreasingColor(std::optional<QColor> color) override { increasingColor_ = color; }
    std::optional<QColor> decreasingColor() const override { return decreasingColor_; }
    void setDecreasingColor(std::optional<QColor> color) override { decreasingColor_ = color; }
    virtual bool increasingFilled() const { return increasingFilled_; }
    virtual void setIncreasingFilled(bool filled) { increasingFilled_ = filled; }
    bool isIncreasingFilled() const override { return increasingFilled_; }
    virtual bool decreasingFilled() const { return decreasingFilled_; }
    virtual void setDecreasingFilled(bool filled) { decreasingFilled_ = filled; }
    bool isDecreasingFilled() const override { return decreasingFilled_; }

    // A candle entry widens y by its low and high, then x by its x; any other entry changes
    // nothing.
    void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) override;
    // A candle entry widens y by its low and high.
    void calcMinMaxY(const std::shared_ptr<ChartDataEntry>& entry) override;

    // The base copy with the candle settings.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    CandleChartDataSet() = default;
    CandleChartDataSet(EntryList entries, std::optional<QString> label)
        : LineScatterCandleRadarChartDataSet(std::move(entries), std::move(label)) {}

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    double barSpace_ = 0.1;
    bool showCandleBar_ = true;
    double shadowWidth_ = 1.5;
    std::optional<QColor> shadowColor_;
    bool shadowColorSameAsCandle_ = false;
    std::optional<QColor> neutralColor_;
    std::optional<QColor> increasingColor_;
    std::optional<QColor> decreasingColor_;
    bool increasingFilled_ = false;
    bool decreasingFilled_ = true;
};

} // namespace charting
