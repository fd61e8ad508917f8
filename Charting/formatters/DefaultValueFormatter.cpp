#include "Charting/formatters/DefaultValueFormatter.h"

namespace charting {

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create() {
    return create(1);
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create(int decimals) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->formatter_ = NumberFormatter::create();
    f->formatter_->setUsesGroupingSeparator(true);
    f->formatter_->applyDecimals(decimals);
    f->decimals_ = decimals;
    f->hasAutoDecimals_ = true;
    return f;
}

std::shared_ptr<DefaultValueFormatter>
DefaultValueFormatter::create(std::shared_ptr<NumberFormatter> formatter) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->formatter_ = std::move(formatter);
    return f;
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::create(Block block) {
    std::shared_ptr<DefaultValueFormatter> f(new DefaultValueFormatter());
    f->block_ = std::move(block);
    return f;
}

std::shared_ptr<DefaultValueFormatter> DefaultValueFormatter::withBlock(Block block) {
    return create(std::move(block));
}

void DefaultValueFormatter::setFormatter(std::shared_ptr<NumberFormatter> formatter) {
    hasAutoDecimals_ = false;
    formatter_ = std::move(formatter);
}

void DefaultValueFormatter::setDecimals(std::optional<int> decimals) {
    decimals_ = decimals;
    if (decimals && formatter_)
        formatter_->applyDecimals(*decimals);
}

QString DefaultValueFormatter::stringForValue(double value,
                                              const std::shared_ptr<ChartDataEntry>& entry,
                                              int dataSetIndex, ViewPortHandler* viewPortHandler) {
    if (block_)
        return block_(value, entry, dataSetIndex, viewPortHandler);
    return formatter_ ? formatter_->string(value) : QString();
}

} // namespace charting
