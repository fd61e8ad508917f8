#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSet.h"
#include "Charting/data/BubbleChartDataSetProtocol.h"

namespace charting {

// One series of a bubble chart. maxSize is the largest size any of its entries had when the
// extremes were computed or the entry was added; it never goes back down while the data set
// lives. Entries that are not bubble entries are ignored by the extremes.
class BubbleChartDataSet : public BarLineScatterCandleBubbleChartDataSet,
                           public virtual BubbleChartDataSetProtocol {
public:
    static std::shared_ptr<BubbleChartDataSet> create();
    static std::shared_ptr<BubbleChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    using ChartDataSet::calcMinMax;

    double maxSize() const override { return maxSize_; }
    virtual bool normalizeSizeEnabled() const { return normalizeSizeEnabled_; }
    virtual void setNormalizeSizeEnabled(bool enabled) { normalizeSizeEnabled_ = enabled; }
    bool isNormalizeSizeEnabled() const override { return normalizeSizeEnabled_; }
    double highlightCircleWidth() const override { return highlightCircleWidth_; }
    void setHighlightCircleWidth(double width) override { highlightCircleWidth_ = width; }

    // A bubble entry widens x, y and maxSize; any other entry changes nothing.
    void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) override;

    // The base copy (extremes as they stand) with maxSize and the bubble settings.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    BubbleChartDataSet() = default;
    BubbleChartDataSet(EntryList entries, std::optional<QString> label)
        : BarLineScatterCandleBubbleChartDataSet(std::move(entries), std::move(label)) {}

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    double maxSize_ = 0;
    bool normalizeSizeEnabled_ = true;
    double highlightCircleWidth_ = 2.5;
};

} // namespace charting
