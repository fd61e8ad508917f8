#include "Charting/data/PieChartDataEntry.h"

#include <cmath>

namespace charting {

std::shared_ptr<PieChartDataEntry> PieChartDataEntry::create() {
    return std::shared_ptr<PieChartDataEntry>(new PieChartDataEntry());
}

std::shared_ptr<PieChartDataEntry> PieChartDataEntry::create(double value) {
    auto entry = create();
    entry->setX(std::nan(""));
    entry->setY(value);
    return entry;
}

std::shared_ptr<PieChartDataEntry> PieChartDataEntry::create(double value,
                                                             std::optional<QString> label) {
    auto entry = create(value);
    entry->setLabel(std::move(label));
    return entry;
}

std::shared_ptr<PieChartDataEntry>
PieChartDataEntry::create(double value, std::optional<QString> label, std::any data) {
    auto entry = create(value, std::move(label));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<PieChartDataEntry>
PieChartDataEntry::create(double value, std::optional<QString> label, QImage icon) {
    auto entry = create(value, std::move(label));
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<PieChartDataEntry>
PieChartDataEntry::create(double value, std::optional<QString> label, QImage icon, std::any data) {
    auto entry = create(value, std::move(label), std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<PieChartDataEntry> PieChartDataEntry::create(double value, QImage icon) {
    return create(value, std::nullopt, std::move(icon));
}

std::shared_ptr<PieChartDataEntry> PieChartDataEntry::create(double value, QImage icon,
                                                             std::any data) {
    return create(value, std::nullopt, std::move(icon), std::move(data));
}

std::shared_ptr<ChartDataEntry> PieChartDataEntry::newInstance() const {
    return std::shared_ptr<ChartDataEntry>(new PieChartDataEntry());
}

std::shared_ptr<ChartDataEntry> PieChartDataEntry::copy() const {
    auto entry = ChartDataEntry::copy();
    std::static_pointer_cast<PieChartDataEntry>(entry)->setLabel(label_);
    return entry;
}

} // namespace charting
