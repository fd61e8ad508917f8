#pragma once

#include <string_view>

namespace platform {

// Stops the program after a programming error: prints the message on stderr and aborts.
[[noreturn]] void fatal(std::string_view message);

} // namespace platform
