#include "Charting/data/BubbleChartDataEntry.h"

namespace charting {

std::shared_ptr<BubbleChartDataEntry> BubbleChartDataEntry::create() {
    return std::shared_ptr<BubbleChartDataEntry>(new BubbleChartDataEntry());
}

std::shared_ptr<BubbleChartDataEntry> BubbleChartDataEntry::create(double x, double y,
                                                                   double size) {
    return std::shared_ptr<BubbleChartDataEntry>(new BubbleChartDataEntry(x, y, size));
}

std::shared_ptr<BubbleChartDataEntry> BubbleChartDataEntry::create(double x, double y, double size,
                                                                   std::any data) {
    auto entry = create(x, y, size);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<BubbleChartDataEntry> BubbleChartDataEntry::create(double x, double y, double size,
                                                                   QImage icon) {
    auto entry = create(x, y, size);
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<BubbleChartDataEntry> BubbleChartDataEntry::create(double x, double y, double size,
                                                                   QImage icon, std::any data) {
    auto entry = create(x, y, size);
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<ChartDataEntry> BubbleChartDataEntry::newInstance() const {
    return std::shared_ptr<BubbleChartDataEntry>(new BubbleChartDataEntry());
}

std::shared_ptr<ChartDataEntry> BubbleChartDataEntry::copy() const {
    auto entry = ChartDataEntry::copy();
    static_cast<BubbleChartDataEntry&>(*entry).size_ = size_;
    return entry;
}

} // namespace charting
