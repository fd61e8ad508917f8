#pragma once

#include "Charting/data/LineChartDataSetProtocol.h"
#include "Charting/data/LineRadarChartDataSet.h"

namespace charting {

// One series of a line chart: drawing mode, cubic intensity, gradient line, entry circles, line
// dash and cap, fill formatter.
class LineChartDataSet : public LineRadarChartDataSet, public virtual LineChartDataSetProtocol {
public:
    static std::shared_ptr<LineChartDataSet> create();
    // Keeps exactly the given entry objects, in their order.
    static std::shared_ptr<LineChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    Mode mode() const override { return mode_; }
    void setMode(Mode mode) override { mode_ = mode; }
    double cubicIntensity() const override { return cubicIntensity_; }
    void setCubicIntensity(double intensity) override;
    bool isDrawLineWithGradientEnabled() const override { return drawLineWithGradientEnabled_; }
    void setDrawLineWithGradientEnabled(bool enabled) override {
        drawLineWithGradientEnabled_ = enabled;
    }
    std::optional<std::vector<double>> gradientPositions() const override {
        return gradientPositions_;
    }
    void setGradientPositions(std::optional<std::vector<double>> positions) override {
        gradientPositions_ = std::move(positions);
    }
    double circleRadius() const override { return circleRadius_; }
    void setCircleRadius(double radius) override { circleRadius_ = radius; }
    double circleHoleRadius() const override { return circleHoleRadius_; }
    void setCircleHoleRadius(double radius) override { circleHoleRadius_ = radius; }
    const std::vector<QColor>& circleColors() const override { return circleColors_; }
    virtual void setCircleColors(std::vector<QColor> colors) { circleColors_ = std::move(colors); }
    // A negative index counts as 0.
    std::optional<QColor> getCircleColorAtIndex(int index) const override;
    void setCircleColor(QColor color) override { circleColors_ = {color}; }
    void resetCircleColors(int) override { circleColors_.clear(); }
    bool drawCirclesEnabled() const override { return drawCirclesEnabled_; }
    void setDrawCirclesEnabled(bool enabled) override { drawCirclesEnabled_ = enabled; }
    bool isDrawCirclesEnabled() const override { return drawCirclesEnabled_; }
    std::optional<QColor> circleHoleColor() const override { return circleHoleColor_; }
    void setCircleHoleColor(std::optional<QColor> color) override { circleHoleColor_ = color; }
    bool drawCircleHoleEnabled() const override { return drawCircleHoleEnabled_; }
    void setDrawCircleHoleEnabled(bool enabled) override { drawCircleHoleEnabled_ = enabled; }
    bool isDrawCircleHoleEnabled() const override { return drawCircleHoleEnabled_; }
    double lineDashPhase() const override { return lineDashPhase_; }
    virtual void setLineDashPhase(double phase) { lineDashPhase_ = phase; }
    std::optional<std::vector<double>> lineDashLengths() const override { return lineDashLengths_; }
    void setLineDashLengths(std::optional<std::vector<double>> lengths) override {
        lineDashLengths_ = std::move(lengths);
    }
    LineCap lineCapType() const override { return lineCapType_; }
    void setLineCapType(LineCap cap) override { lineCapType_ = cap; }
    std::shared_ptr<ChartFillFormatter> fillFormatter() const override { return fillFormatter_; }
    void setFillFormatter(std::shared_ptr<ChartFillFormatter> formatter) override;

    // The gradient line settings are not copied; the fill formatter object is shared.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    LineChartDataSet();
    LineChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    Mode mode_ = Mode::linear;
    double cubicIntensity_ = 0.2;
    bool drawLineWithGradientEnabled_ = false;
    std::optional<std::vector<double>> gradientPositions_;
    double circleRadius_ = 8.0;
    double circleHoleRadius_ = 4.0;
    std::vector<QColor> circleColors_;
    bool drawCirclesEnabled_ = true;
    std::optional<QColor> circleHoleColor_ = QColor(Qt::white);
    bool drawCircleHoleEnabled_ = true;
    double lineDashPhase_ = 0;
    std::optional<std::vector<double>> lineDashLengths_;
    LineCap lineCapType_ = LineCap::butt;
    std::shared_ptr<ChartFillFormatter> fillFormatter_;
};

} // namespace charting
