#include "Charting/formatters/DefaultAxisValueFormatter.h"

namespace charting {

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create() {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->initWithFormatter(NumberFormatter::create(), true);
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create(int decimals) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->initWithDecimals(decimals);
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter>
DefaultAxisValueFormatter::create(std::shared_ptr<NumberFormatter> formatter) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->initWithFormatter(std::move(formatter), false);
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::create(Block block) {
    std::shared_ptr<DefaultAxisValueFormatter> f(new DefaultAxisValueFormatter());
    f->initWithBlock(std::move(block));
    return f;
}

std::shared_ptr<DefaultAxisValueFormatter> DefaultAxisValueFormatter::withBlock(Block block) {
    return create(std::move(block));
}

QString DefaultAxisValueFormatter::stringForValue(double value, AxisBase* axis) {
    return text(value, axis);
}

} // namespace charting
