#pragma once

#include "Charting/data/ChartDataEntryBase.h"

namespace charting {

// An entry with an x value: the entry kind of every axis-based chart. Data sets keep their
// entries ordered by x.
class ChartDataEntry : public ChartDataEntryBase {
public:
    static std::shared_ptr<ChartDataEntry> create();
    static std::shared_ptr<ChartDataEntry> create(double x, double y);
    static std::shared_ptr<ChartDataEntry> create(double x, double y, std::any data);
    static std::shared_ptr<ChartDataEntry> create(double x, double y, QImage icon);
    static std::shared_ptr<ChartDataEntry> create(double x, double y, QImage icon, std::any data);
    // An entry with an x value cannot be made from y alone.
    static std::shared_ptr<ChartDataEntry> create(double y) = delete;

    virtual double x() const { return x_; }
    virtual void setX(double x) { x_ = x; }

    // "ChartDataEntry, x: 2.0, y 5.0"
    QString description() const override;

    // False for nothing or a non-ChartDataEntry; true for this very object; otherwise equal x and
    // equal y (NaN never equal). Payload and icon take no part.
    bool isEqual(const ChartDataEntryBase* other) const override;

    // A new entry of the receiver's own class (its parameterless constructor) with x, y and the
    // payload copied; the icon is not copied. Subclasses that add fields override copy(), call
    // the base copy and add their fields, and override newInstance().
    virtual std::shared_ptr<ChartDataEntry> copy() const;

protected:
    ChartDataEntry() = default;
    ChartDataEntry(double x, double y) : ChartDataEntryBase(y), x_(x) {}

    // A new object of the receiver's own class made with its parameterless constructor.
    virtual std::shared_ptr<ChartDataEntry> newInstance() const;

private:
    double x_ = 0;
};

} // namespace charting
