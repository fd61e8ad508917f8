#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line of diagnostic output on stdout (ignored misuse, deprecated calls, parsed XML text).
void logLine(std::string_view line);

// Replaces where logLine writes; an empty function restores stdout. Returns the previous sink.
using LogSink = std::function<void(std::string_view)>;
LogSink setLogSink(LogSink sink);

// Captures every logged line for its lifetime (tests).
class ScopedLogCapture {
public:
    ScopedLogCapture();
    ~ScopedLogCapture();
    ScopedLogCapture(const ScopedLogCapture&) = delete;
    ScopedLogCapture& operator=(const ScopedLogCapture&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    LogSink previous_;
};

} // namespace platform
