#include "Charting/formatters/IndexAxisValueFormatter.h"

#include <cmath>

namespace charting {

std::shared_ptr<IndexAxisValueFormatter> IndexAxisValueFormatter::create() {
    return std::shared_ptr<IndexAxisValueFormatter>(new IndexAxisValueFormatter());
}

std::shared_ptr<IndexAxisValueFormatter> IndexAxisValueFormatter::create(QStringList values) {
    auto f = create();
    f->values_ = std::move(values);
    return f;
}

std::shared_ptr<IndexAxisValueFormatter> IndexAxisValueFormatter::withValues(QStringList values) {
    return create(std::move(values));
}

QString IndexAxisValueFormatter::stringForValue(double value, AxisBase*) {
    // Beyond this every double is whole and no list is that long.
    if (!(std::abs(value) < 9.0e15))
        return QString();
    double index = std::round(value);
    if (index < 0 || index >= values_.size() || index != std::trunc(value))
        return QString();
    return values_[static_cast<qsizetype>(index)];
}

} // namespace charting
