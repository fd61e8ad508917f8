#pragma once

namespace charting {

// Shape drawn for a series in the legend; the legend publishes it as Legend::Form.
enum class LegendForm : int {
    none = 0,     // no form, and no room kept for one
    empty = 1,    // room kept for a form, nothing drawn
    default_ = 2, // the legend's own form
    square = 3,
    circle = 4,
    line = 5,
};

} // namespace charting
