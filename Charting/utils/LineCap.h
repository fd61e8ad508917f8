#pragma once

#include <cstdint>

namespace charting {

// Cap style of a stroked line, with the raw values the drawing layer expects (butt 0, round 1,
// square 2). Qt's pen caps have other values: convert where the pen is made.
enum class LineCap : std::int32_t {
    butt = 0,
    round = 1,
    square = 2,
};

} // namespace charting
