#pragma once

#include <functional>

namespace platform {

// True on the thread that runs the Qt event loop.
bool isMainThread();

// Hands `fn` to the main thread; it runs from the event loop, after the caller returns.
void runOnMain(std::function<void()> fn);

// Runs `fn` on the main thread and waits for it: a direct call when already there.
void runOnMainAndWait(const std::function<void()>& fn);

} // namespace platform
