#pragma once

#include "Charting/data/ChartDataEntry.h"

namespace charting {

// An entry of a bubble chart: a point with the size of its bubble. It cannot be made from x and
// y alone.
class BubbleChartDataEntry : public ChartDataEntry {
public:
    static std::shared_ptr<BubbleChartDataEntry> create();
    static std::shared_ptr<BubbleChartDataEntry> create(double x, double y, double size);
    static std::shared_ptr<BubbleChartDataEntry> create(double x, double y, double size,
                                                        std::any data);
    static std::shared_ptr<BubbleChartDataEntry> create(double x, double y, double size,
                                                        QImage icon);
    static std::shared_ptr<BubbleChartDataEntry> create(double x, double y, double size,
                                                        QImage icon, std::any data);
    static std::shared_ptr<BubbleChartDataEntry> create(double x, double y) = delete;

    // What sets the bubble's size.
    virtual double size() const { return size_; }
    virtual void setSize(double size) { size_ = size; }

    // The base copy with the size.
    std::shared_ptr<ChartDataEntry> copy() const override;

protected:
    BubbleChartDataEntry() = default;
    BubbleChartDataEntry(double x, double y, double size) : ChartDataEntry(x, y), size_(size) {}

    std::shared_ptr<ChartDataEntry> newInstance() const override;

private:
    double size_ = 0;
};

} // namespace charting
