#include "Charting/formatters/DefaultAxisValueFormatter.h"

namespace charting {

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create() {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->formatter_ = NumberFormatter::create();
    f->hasAutoDecimals_ = true;
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create(int decimals) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->formatter_ = NumberFormatter::create();
    f->formatter_->setUsesGroupingSeparator(true);
    f->formatter_->applyDecimals(decimals);
    f->decimals_ = decimals;
    f->hasAutoDecimals_ = true;
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter>
DefaultAxisValueFormatter::create(std::shared_ptr<NumberFormatter> formatter) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->formatter_ = std::move(formatter);
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create(Block block) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->block_ = std::move(block);
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::withBlock(Block block) {
    return create(std::move(block));
}

void DefaultAxisValueFormatter::setFormatter(std::shared_ptr<NumberFormatter> formatter) {
    hasAutoDecimals_ = false;
    formatter_ = std::move(formatter);
}

void DefaultAxisValueFormatter::setDecimals(std::optional<int> decimals) {
    decimals_ = decimals;
    if (decimals && formatter_)
        formatter_->applyDecimals(*decimals);
}

QString DefaultAxisValueFormatter::stringForValue(double value, AxisBase* axis) {
    if (block_)
        return block_(value, axis);
    return formatter_ ? formatter_->string(value) : QString();
}

} // namespace charting
