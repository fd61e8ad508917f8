#pragma once

#include <functional>

namespace platform {

// True on the thread that runs the Qt event loop.
bool isMainThread();

// Hands `fn` to the main thread; it runs from the event loop, after the caller returns.
void runOnMain(std::function<void()> fn);

// Runs `fn` on the main thread and waits for it: a direct call when already there.
void runOnMainAndWait(const std::function<void()>& fn);

// Runs `fn` now, on the calling thread, when it is set: a completion closure or handler slot
// that may be empty. It runs from a copy, so it may replace the very closure it was called
// through (a request's closure that starts the next request, a slot that reinstalls itself).
void run(const std::function<void()>& fn);

} // namespace platform
