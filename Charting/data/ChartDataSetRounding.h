#pragma once

namespace charting {

// What the x search of a data set does when no entry has exactly the searched x. With every
// rounding, a searched x above all entries gives the last entry.
enum class ChartDataSetRounding : int {
    roundUp = 0,   // the first entry whose x is at or above the searched x
    roundDown = 1, // that entry when its x equals the searched x, else the entry just before it
    nearest = 2,   // that entry, or the one just before it when that one is strictly nearer in x
};

} // namespace charting
