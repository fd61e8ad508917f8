#include "Charting/formatters/DefaultValueFormatter.h"

namespace charting {

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create() {
    return create(1);
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create(int decimals) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->initWithDecimals(decimals);
    return f;
}

std::shared_ptr<DefaultValueFormatter>
DefaultValueFormatter::create(std::shared_ptr<NumberFormatter> formatter) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->initWithFormatter(std::move(formatter), false);
    return f;
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create(Block block) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->initWithBlock(std::move(block));
    return f;
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::withBlock(Block block) {
    return create(std::move(block));
}

QString DefaultValueFormatter::stringForValue(double value,
                                              const std::shared_ptr<ChartDataEntry>& entry,
                                              int dataSetIndex, ViewPortHandler* viewPortHandler) {
    return text(value, entry, dataSetIndex, viewPortHandler);
}

} // namespace charting
