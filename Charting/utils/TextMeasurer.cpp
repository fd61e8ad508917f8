#include "Charting/utils/TextMeasurer.h"

#include "Charting/utils/QtTextMeasurer.h"

namespace charting {
namespace {
const TextMeasurer*& current() {
    static const TextMeasurer* measurer = nullptr;
    return measurer;
}
} // namespace

const TextMeasurer& textMeasurer() {
    if (const TextMeasurer* m = current())
        return *m;
    static const QtTextMeasurer qt;
    return qt;
}

ScopedTextMeasurer::ScopedTextMeasurer(const TextMeasurer& measurer) : previous_(current()) {
    current() = &measurer;
}

ScopedTextMeasurer::~ScopedTextMeasurer() {
    current() = previous_;
}

} // namespace charting
