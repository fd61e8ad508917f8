#pragma once

#include "Charting/data/LineRadarChartDataSet.h"
#include "Charting/data/RadarChartDataSetProtocol.h"

namespace charting {

// One polygon of a radar chart; its values are written in a 13-point font.
class RadarChartDataSet : public LineRadarChartDataSet, public virtual RadarChartDataSetProtocol {
public:
    static std::shared_ptr<RadarChartDataSet> create();
    static std::shared_ptr<RadarChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    bool drawHighlightCircleEnabled() const override { return drawHighlightCircleEnabled_; }
    void setDrawHighlightCircleEnabled(bool enabled) override {
        drawHighlightCircleEnabled_ = enabled;
    }
    bool isDrawHighlightCircleEnabled() const override { return drawHighlightCircleEnabled_; }
    std::optional<QColor> highlightCircleFillColor() const override {
        return highlightCircleFillColor_;
    }
    void setHighlightCircleFillColor(std::optional<QColor> color) override {
        highlightCircleFillColor_ = color;
    }
    std::optional<QColor> highlightCircleStrokeColor() const override {
        return highlightCircleStrokeColor_;
    }
    void setHighlightCircleStrokeColor(std::optional<QColor> color) override {
        highlightCircleStrokeColor_ = color;
    }
    double highlightCircleStrokeAlpha() const override { return highlightCircleStrokeAlpha_; }
    void setHighlightCircleStrokeAlpha(double alpha) override {
        highlightCircleStrokeAlpha_ = alpha;
    }
    double highlightCircleInnerRadius() const override { return highlightCircleInnerRadius_; }
    void setHighlightCircleInnerRadius(double radius) override {
        highlightCircleInnerRadius_ = radius;
    }
    double highlightCircleOuterRadius() const override { return highlightCircleOuterRadius_; }
    void setHighlightCircleOuterRadius(double radius) override {
        highlightCircleOuterRadius_ = radius;
    }
    double highlightCircleStrokeWidth() const override { return highlightCircleStrokeWidth_; }
    void setHighlightCircleStrokeWidth(double width) override {
        highlightCircleStrokeWidth_ = width;
    }

    // The highlight ring settings are copied with the base's.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    RadarChartDataSet();
    RadarChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    bool drawHighlightCircleEnabled_ = false;
    std::optional<QColor> highlightCircleFillColor_ = QColor(Qt::white);
    std::optional<QColor> highlightCircleStrokeColor_;
    double highlightCircleStrokeAlpha_ = 0.3;
    double highlightCircleInnerRadius_ = 3.0;
    double highlightCircleOuterRadius_ = 4.0;
    double highlightCircleStrokeWidth_ = 2.0;
};

} // namespace charting
