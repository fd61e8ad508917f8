#pragma once

#include "Charting/data/LineRadarChartDataSetProtocol.h"
#include "Charting/data/LineScatterCandleRadarChartDataSet.h"

namespace charting {

// Base of the line and radar data sets: the area fill and the line width.
class LineRadarChartDataSet : public LineScatterCandleRadarChartDataSet,
                              public virtual LineRadarChartDataSetProtocol {
public:
    static std::shared_ptr<LineRadarChartDataSet> create();
    static std::shared_ptr<LineRadarChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    QColor fillColor() const override { return fillColor_; }
    void setFillColor(QColor color) override;
    std::shared_ptr<Fill> fill() const override { return fill_; }
    void setFill(std::shared_ptr<Fill> fill) override { fill_ = std::move(fill); }
    double fillAlpha() const override { return fillAlpha_; }
    void setFillAlpha(double alpha) override { fillAlpha_ = alpha; }
    double lineWidth() const override { return lineWidth_; }
    void setLineWidth(double width) override;
    bool drawFilledEnabled() const override { return drawFilledEnabled_; }
    void setDrawFilledEnabled(bool enabled) override { drawFilledEnabled_ = enabled; }
    bool isDrawFilledEnabled() const override { return drawFilledEnabled_; }

    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    LineRadarChartDataSet() = default;
    LineRadarChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    QColor fillColor_ = standardDataColor();
    std::shared_ptr<Fill> fill_;
    double fillAlpha_ = 0.33;
    double lineWidth_ = 1.0;
    bool drawFilledEnabled_ = false;
};

} // namespace charting
