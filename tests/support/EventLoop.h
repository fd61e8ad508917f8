#pragma once

#include <functional>

namespace testsupport {

// Processes Qt events until `done` returns true or `timeoutMs` of real time pass.
// For input from a pseudo-terminal or a socket; timers are stepped with ManualScheduler instead.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// Processes the events that are pending now (and those they post), for about `ms` milliseconds.
void pumpEvents(int ms = 20);

// Runs the event loop one pass at a time until `done` returns true or `timeoutMs` of real time
// pass. A pass handles what was ready when it began, and what it posts waits for the next pass:
// `done` sees, for instance, a serial port that has read bytes and not yet reported them.
bool stepUntil(const std::function<bool()>& done, int timeoutMs = 2000);

} // namespace testsupport
