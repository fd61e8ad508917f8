#include "Charting/data/ChartDataEntry.h"

#include "Charting/utils/NumberText.h"
#include "platform/Fatal.h"

#include <typeinfo>

namespace charting {

std::shared_ptr<ChartDataEntry> ChartDataEntry::create() {
    return std::shared_ptr<ChartDataEntry>(new ChartDataEntry());
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::create(double x, double y) {
    return std::shared_ptr<ChartDataEntry>(new ChartDataEntry(x, y));
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::create(double x, double y, std::any data) {
    auto entry = create(x, y);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::create(double x, double y, QImage icon) {
    auto entry = create(x, y);
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::create(double x, double y, QImage icon,
                                                       std::any data) {
    auto entry = create(x, y);
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

QString ChartDataEntry::description() const {
    return QStringLiteral("ChartDataEntry, x: ") + shortestText(x()) + QStringLiteral(", y ") +
           shortestText(y());
}

bool ChartDataEntry::isEqual(const ChartDataEntryBase* other) const {
    auto entry = dynamic_cast<const ChartDataEntry*>(other);
    if (!entry)
        return false;
    if (entry == this)
        return true;
    return entry->y() == y() && entry->x() == x();
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::newInstance() const {
    return std::shared_ptr<ChartDataEntry>(new ChartDataEntry());
}

std::shared_ptr<ChartDataEntry> ChartDataEntry::copy() const {
    auto entry = newInstance();
    if (!entry || typeid(*entry) != typeid(*this))
        platform::fatal("copy() of " + className(typeid(*this)).toStdString() +
                        " needs newInstance() of its own class");
    // The stored values, past any overriding setter.
    entry->ChartDataEntry::setX(x());
    entry->ChartDataEntryBase::setY(y());
    entry->ChartDataEntryBase::setData(data());
    return entry;
}

} // namespace charting
