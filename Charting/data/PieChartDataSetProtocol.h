#pragma once

#include "Charting/data/ChartDataSetProtocol.h"

namespace charting {

// Data sets of pie charts. The legend reads their entries (entryForIndex) and labels each slice
// with its entry's label when the entry is a PieChartDataEntry. The pie data set implements it
// and adds the slice look.
class PieChartDataSetProtocol : public virtual ChartDataSetProtocol {};

} // namespace charting
