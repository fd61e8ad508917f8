#include "Charting/utils/DisplayTicker.h"

namespace charting {
namespace {
DisplayTickerFactory& current() {
    static DisplayTickerFactory factory;
    return factory;
}
} // namespace

ScopedDisplayTickerFactory::ScopedDisplayTickerFactory(DisplayTickerFactory factory)
    : previous_(std::move(current())) {
    current() = std::move(factory);
}

ScopedDisplayTickerFactory::~ScopedDisplayTickerFactory() {
    current() = std::move(previous_);
}

std::unique_ptr<DisplayTicker> makeDisplayTicker() {
    return current() ? current()() : nullptr;
}

} // namespace charting
