#pragma once

#include "Charting/data/ChartDataEntry.h"

#include <QImage>
#include <QString>

#include <any>
#include <optional>

namespace charting {

// A pie slice: a value (held in y) with an optional label. A pie entry has no meaningful x: made
// from a value, x is NaN.
class PieChartDataEntry : public ChartDataEntry {
public:
    static std::shared_ptr<PieChartDataEntry> create();
    // Each form sets the value (x NaN), then the label, icon and data it is given. A payload
    // without a label goes with a label of std::nullopt (a lone payload would be taken for one).
    static std::shared_ptr<PieChartDataEntry> create(double value);
    static std::shared_ptr<PieChartDataEntry> create(double value, std::optional<QString> label);
    static std::shared_ptr<PieChartDataEntry> create(double value, std::optional<QString> label,
                                                     std::any data);
    static std::shared_ptr<PieChartDataEntry> create(double value, std::optional<QString> label,
                                                     QImage icon);
    static std::shared_ptr<PieChartDataEntry> create(double value, std::optional<QString> label,
                                                     QImage icon, std::any data);
    static std::shared_ptr<PieChartDataEntry> create(double value, QImage icon);
    static std::shared_ptr<PieChartDataEntry> create(double value, QImage icon, std::any data);
    static std::shared_ptr<PieChartDataEntry> create(double x, double y) = delete;

    virtual std::optional<QString> label() const { return label_; }
    virtual void setLabel(std::optional<QString> label) { label_ = std::move(label); }
    virtual double value() const { return y(); }
    virtual void setValue(double value) { setY(value); }

    // The base copy with the label copied as well.
    std::shared_ptr<ChartDataEntry> copy() const override;

protected:
    PieChartDataEntry() = default;
    std::shared_ptr<ChartDataEntry> newInstance() const override;

private:
    std::optional<QString> label_;
};

} // namespace charting
