#pragma once

#include "Charting/data/ChartData.h"

#include <QColor>
#include <QStringList>

#include <optional>
#include <vector>

namespace charting {

// The data of a radar chart: its data sets, the look of the highlight lines and the spoke labels.
class RadarChartData : public ChartData {
public:
    static std::shared_ptr<RadarChartData> create();
    static std::shared_ptr<RadarChartData> create(DataSetList dataSets);

    virtual QColor highlightColor() const { return highlightColor_; }
    virtual void setHighlightColor(QColor color) { highlightColor_ = color; }
    virtual double highlightLineWidth() const { return highlightLineWidth_; }
    virtual void setHighlightLineWidth(double width) { highlightLineWidth_ = width; }
    virtual double highlightLineDashPhase() const { return highlightLineDashPhase_; }
    virtual void setHighlightLineDashPhase(double phase) { highlightLineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> highlightLineDashLengths() const {
        return highlightLineDashLengths_;
    }
    virtual void setHighlightLineDashLengths(std::optional<std::vector<double>> lengths) {
        highlightLineDashLengths_ = std::move(lengths);
    }
    virtual const QStringList& labels() const { return labels_; }
    virtual void setLabels(QStringList labels) { labels_ = std::move(labels); }

    // The entry at the index the highlight's x names in the data set it names; none when either
    // names nothing (a highlight kept from older data, an x that is not a number).
    std::shared_ptr<ChartDataEntry> entryFor(const Highlight& highlight) const override;

protected:
    RadarChartData() = default;
    explicit RadarChartData(DataSetList dataSets);

private:
    QColor highlightColor_ = QColor::fromRgbF(1.0f, 187.0f / 255.0f, 115.0f / 255.0f, 1.0f);
    double highlightLineWidth_ = 1.0;
    double highlightLineDashPhase_ = 0.0;
    std::optional<std::vector<double>> highlightLineDashLengths_;
    QStringList labels_;
};

} // namespace charting
