#pragma once

#include "Charting/components/ComponentBase.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

namespace charting {

// One horizontal or vertical line across the chart at a fixed value, with an optional label.
// Axes hold their limit lines shared: the caller may keep one and change it later.
class ChartLimitLine : public ComponentBase {
public:
    // Where the label stands: at the start (left) or end (right) of the line, above or below it.
    enum class LabelPosition : int { leftTop = 0, leftBottom = 1, rightTop = 2, rightBottom = 3 };
    // The position with this raw value, none outside 0...3.
    static std::optional<LabelPosition> labelPositionFromRaw(int raw);

    static std::shared_ptr<ChartLimitLine> create();
    static std::shared_ptr<ChartLimitLine> create(double limit);
    static std::shared_ptr<ChartLimitLine> create(double limit, QString label);

    virtual double limit() const { return limit_; }
    virtual void setLimit(double limit) { limit_ = limit; }
    virtual QColor lineColor() const { return lineColor_; }
    virtual void setLineColor(QColor color) { lineColor_ = color; }
    virtual double lineDashPhase() const { return lineDashPhase_; }
    virtual void setLineDashPhase(double phase) { lineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> lineDashLengths() const { return lineDashLengths_; }
    virtual void setLineDashLengths(std::optional<std::vector<double>> lengths) {
        lineDashLengths_ = std::move(lengths);
    }
    virtual QColor valueTextColor() const { return valueTextColor_; }
    virtual void setValueTextColor(QColor color) { valueTextColor_ = color; }
    virtual QFont valueFont() const { return valueFont_; }
    virtual void setValueFont(QFont font) { valueFont_ = std::move(font); }
    virtual bool drawLabelEnabled() const { return drawLabelEnabled_; }
    virtual void setDrawLabelEnabled(bool enabled) { drawLabelEnabled_ = enabled; }
    virtual QString label() const { return label_; }
    virtual void setLabel(QString label) { label_ = std::move(label); }
    virtual LabelPosition labelPosition() const { return labelPosition_; }
    virtual void setLabelPosition(LabelPosition position) { labelPosition_ = position; }
    virtual double lineWidth() const { return lineWidth_; }
    // Kept within 0.2...12.
    virtual void setLineWidth(double width);

protected:
    ChartLimitLine();

private:
    double limit_ = 0;
    double lineWidth_ = 2.0;
    QColor lineColor_;
    double lineDashPhase_ = 0;
    std::optional<std::vector<double>> lineDashLengths_;
    QColor valueTextColor_;
    QFont valueFont_;
    bool drawLabelEnabled_ = true;
    QString label_;
    LabelPosition labelPosition_ = LabelPosition::rightTop;
};

} // namespace charting
