#pragma once

#include "Charting/data/ChartDataEntry.h"

#include <any>

namespace charting {

// A value of a radar chart: y is the value, x is NaN (the spoke is the entry's index in its set).
class RadarChartDataEntry : public ChartDataEntry {
public:
    static std::shared_ptr<RadarChartDataEntry> create();
    static std::shared_ptr<RadarChartDataEntry> create(double value);
    static std::shared_ptr<RadarChartDataEntry> create(double value, std::any data);
    static std::shared_ptr<RadarChartDataEntry> create(double x, double y) = delete;

    virtual double value() const { return y(); }
    virtual void setValue(double value) { setY(value); }

protected:
    RadarChartDataEntry() = default;
    std::shared_ptr<ChartDataEntry> newInstance() const override;
};

} // namespace charting
