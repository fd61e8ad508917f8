#pragma once

#include <functional>
#include <memory>

namespace charting {

// A source of one callback per display refresh. The callback may arrive on a thread of the
// ticker's own; after stop() returns no further callback runs.
class DisplayTicker {
public:
    virtual ~DisplayTicker() = default;
    virtual void start(std::function<void()> onFrame) = 0;
    virtual void stop() = 0;
};

// Makes the ticker for a new display link, or nothing when the display cannot give one (the
// display link then falls back to a 1/60-second timer on the main thread). By default nothing.
using DisplayTickerFactory = std::function<std::unique_ptr<DisplayTicker>()>;

// Installs `factory` for the lifetime of the guard (an empty one means: no display ticker).
class ScopedDisplayTickerFactory {
public:
    explicit ScopedDisplayTickerFactory(DisplayTickerFactory factory);
    ~ScopedDisplayTickerFactory();
    ScopedDisplayTickerFactory(const ScopedDisplayTickerFactory&) = delete;
    ScopedDisplayTickerFactory& operator=(const ScopedDisplayTickerFactory&) = delete;

private:
    DisplayTickerFactory previous_;
};

// A ticker from the installed factory, or nullptr.
std::unique_ptr<DisplayTicker> makeDisplayTicker();

} // namespace charting
