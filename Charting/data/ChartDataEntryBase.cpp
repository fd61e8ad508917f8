#include "Charting/data/ChartDataEntryBase.h"

#include "Charting/utils/NumberText.h"

namespace charting {

std::shared_ptr<ChartDataEntryBase> ChartDataEntryBase::create() {
    return std::shared_ptr<ChartDataEntryBase>(new ChartDataEntryBase());
}

std::shared_ptr<ChartDataEntryBase> ChartDataEntryBase::create(double y) {
    return std::shared_ptr<ChartDataEntryBase>(new ChartDataEntryBase(y));
}

std::shared_ptr<ChartDataEntryBase> ChartDataEntryBase::create(double y, std::any data) {
    auto entry = create(y);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<ChartDataEntryBase> ChartDataEntryBase::create(double y, QImage icon) {
    auto entry = create(y);
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<ChartDataEntryBase> ChartDataEntryBase::create(double y, QImage icon,
                                                               std::any data) {
    auto entry = create(y);
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

QString ChartDataEntryBase::description() const {
    return QStringLiteral("ChartDataEntryBase, y ") + shortestText(y());
}

bool ChartDataEntryBase::isEqual(const ChartDataEntryBase* other) const {
    if (!other)
        return false;
    if (other == this)
        return true;
    return other->y() == y();
}

} // namespace charting
