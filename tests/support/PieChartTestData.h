#pragma once

#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSet.h"

#include <QString>

#include <memory>
#include <vector>

namespace testsupport {

// A pie data set of plain values (entries without labels).
inline std::shared_ptr<charting::PieChartDataSet> pieSet(const std::vector<double>& values,
                                                         QString label = QStringLiteral("Slices")) {
    charting::ChartDataSet::EntryList entries;
    for (double v : values)
        entries.push_back(charting::PieChartDataEntry::create(v));
    return charting::PieChartDataSet::create(entries, label);
}

} // namespace testsupport
