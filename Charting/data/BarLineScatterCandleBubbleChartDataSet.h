#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"
#include "Charting/data/ChartDataSet.h"
#include "Charting/utils/ChartDefaults.h"

namespace charting {

// Base of the line, bar, scatter, candle and bubble data sets: colour, width and dash of the
// highlight lines.
class BarLineScatterCandleBubbleChartDataSet
    : public ChartDataSet,
      public virtual BarLineScatterCandleBubbleChartDataSetProtocol {
public:
    static std::shared_ptr<BarLineScatterCandleBubbleChartDataSet> create();
    static std::shared_ptr<BarLineScatterCandleBubbleChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    QColor highlightColor() const override { return highlightColor_; }
    void setHighlightColor(QColor color) override { highlightColor_ = color; }
    double highlightLineWidth() const override { return highlightLineWidth_; }
    void setHighlightLineWidth(double width) override { highlightLineWidth_ = width; }
    double highlightLineDashPhase() const override { return highlightLineDashPhase_; }
    void setHighlightLineDashPhase(double phase) override { highlightLineDashPhase_ = phase; }
    std::optional<std::vector<double>> highlightLineDashLengths() const override {
        return highlightLineDashLengths_;
    }
    void setHighlightLineDashLengths(std::optional<std::vector<double>> lengths) override {
        highlightLineDashLengths_ = std::move(lengths);
    }

    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    BarLineScatterCandleBubbleChartDataSet() = default;
    BarLineScatterCandleBubbleChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    QColor highlightColor_ = standardHighlightColor();
    double highlightLineWidth_ = 0.5;
    double highlightLineDashPhase_ = 0;
    std::optional<std::vector<double>> highlightLineDashLengths_;
};

} // namespace charting
