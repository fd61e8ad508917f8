#include "Charting/components/Description.h"

#include "Charting/utils/ChartDefaults.h"

namespace charting {

std::shared_ptr<Description> Description::create() {
    auto description = std::shared_ptr<Description>(new Description());
    description->font_ = systemFont(standardSystemFontSize());
    description->textColor_ = labelTextColor();
    return description;
}

} // namespace charting
