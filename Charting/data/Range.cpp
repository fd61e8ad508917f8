#include "Charting/data/Range.h"

namespace charting {

std::shared_ptr<Range> Range::create(double from, double to) {
    return std::shared_ptr<Range>(new Range(from, to));
}

} // namespace charting
