#include "Charting/data/BarChartDataEntry.h"

#include "Charting/data/Range.h"

namespace charting {

BarChartDataEntry::BarChartDataEntry(double x, std::vector<double> yValues) : ChartDataEntry(x, 0) {
    ChartDataEntryBase::setY(sum(yValues));
    yValues_ = std::move(yValues);
    calcPosNegSum();
    calcRanges();
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create() {
    return std::shared_ptr<BarChartDataEntry>(new BarChartDataEntry());
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, double y) {
    return std::shared_ptr<BarChartDataEntry>(new BarChartDataEntry(x, y));
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, double y, std::any data) {
    auto entry = create(x, y);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, double y, QImage icon) {
    auto entry = create(x, y);
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, double y, QImage icon,
                                                             std::any data) {
    auto entry = create(x, y);
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x,
                                                             std::vector<double> yValues) {
    return std::shared_ptr<BarChartDataEntry>(new BarChartDataEntry(x, std::move(yValues)));
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, std::vector<double> yValues,
                                                             QImage icon) {
    auto entry = create(x, std::move(yValues));
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, std::vector<double> yValues,
                                                             std::any data) {
    auto entry = create(x, std::move(yValues));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<BarChartDataEntry> BarChartDataEntry::create(double x, std::vector<double> yValues,
                                                             QImage icon, std::any data) {
    auto entry = create(x, std::move(yValues));
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<ChartDataEntry> BarChartDataEntry::newInstance() const {
    return std::shared_ptr<BarChartDataEntry>(new BarChartDataEntry());
}

double BarChartDataEntry::sum(const std::optional<std::vector<double>>& values) {
    double total = 0;
    if (values) {
        for (double v : *values)
            total += v;
    }
    return total;
}

double BarChartDataEntry::sumBelow(int stackIndex) const {
    if (!yValues_ || stackIndex < 0 || stackIndex >= static_cast<int>(yValues_->size()))
        return 0;
    double total = 0;
    for (size_t i = static_cast<size_t>(stackIndex); i < yValues_->size(); ++i)
        total += (*yValues_)[i];
    return total;
}

void BarChartDataEntry::calcPosNegSum() {
    negativeSum_ = 0;
    positiveSum_ = 0;
    if (!yValues_)
        return;
    for (double v : *yValues_) {
        if (v < 0)
            negativeSum_ += -v;
        else if (v > 0)
            positiveSum_ += v;
    }
}

void BarChartDataEntry::calcRanges() {
    if (!yValues_ || yValues_->empty())
        return;
    RangeList ranges;
    ranges.reserve(yValues_->size());
    double negative = -negativeSum_;
    double positive = 0;
    for (double v : *yValues_) {
        if (v < 0) {
            ranges.push_back(Range::create(negative, negative - v));
            negative -= v;
        } else {
            ranges.push_back(Range::create(positive, positive + v));
            positive += v;
        }
    }
    ranges_ = std::move(ranges);
}

void BarChartDataEntry::setYValues(std::optional<std::vector<double>> values) {
    setY(sum(values));
    yValues_ = std::move(values);
    calcPosNegSum();
    calcRanges();
}

std::shared_ptr<ChartDataEntry> BarChartDataEntry::copy() const {
    auto base = ChartDataEntry::copy();
    auto& entry = static_cast<BarChartDataEntry&>(*base);
    entry.yValues_ = yValues_;
    entry.ChartDataEntryBase::setY(y());
    entry.negativeSum_ = negativeSum_;
    entry.positiveSum_ = positiveSum_;
    entry.calcRanges();
    return base;
}

} // namespace charting
