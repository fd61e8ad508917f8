#include "platform/Log.h"

#include <cstdio>

namespace platform {
namespace {
LogSink& sink() {
    static LogSink s;
    return s;
}
} // namespace

void logLine(std::string_view line) {
    if (sink()) {
        sink()(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

LogSink setLogSink(LogSink s) {
    LogSink previous = std::move(sink());
    sink() = std::move(s);
    return previous;
}

ScopedLogCapture::ScopedLogCapture()
    : previous_(setLogSink([this](std::string_view line) { lines_.emplace_back(line); })) {}

ScopedLogCapture::~ScopedLogCapture() { setLogSink(std::move(previous_)); }

} // namespace platform
