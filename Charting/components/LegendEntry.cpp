#include "Charting/components/LegendEntry.h"

namespace charting {

std::shared_ptr<LegendEntry> LegendEntry::create() {
    return std::shared_ptr<LegendEntry>(new LegendEntry());
}

std::shared_ptr<LegendEntry> LegendEntry::create(std::optional<QString> label) {
    auto entry = create();
    entry->setLabel(std::move(label));
    return entry;
}

} // namespace charting
