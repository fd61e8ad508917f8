#pragma once

#include "Charting/data/ChartData.h"

namespace charting {

class PieChartDataSetProtocol;

// The data of a pie chart. It stores a list of data sets like any chart data but serves only
// the first: the lookups by index, label and highlight see that one alone.
class PieChartData : public ChartData {
public:
    static std::shared_ptr<PieChartData> create();
    static std::shared_ptr<PieChartData> create(DataSetList dataSets);

    // The first data set when it is a pie data set, else none.
    virtual std::shared_ptr<PieChartDataSetProtocol> dataSet() const;
    // Replaces the list by this one data set (none: an empty list).
    virtual void setDataSet(std::shared_ptr<PieChartDataSetProtocol> dataSet);
    // The sum of the first data set's values; 0 unless it is a pie data set.
    virtual double yValueSum() const;

    // The first data set for index 0; none for any other index.
    std::shared_ptr<ChartDataSetProtocol> dataSetAtIndex(int index) const override;
    // The first data set when its label matches.
    std::shared_ptr<ChartDataSetProtocol> dataSetForLabel(const QString& label,
                                                          bool ignorecase) const override;
    // The first data set's entry at the index the highlight's x names (truncated); none for an
    // x that names no entry (not a number, infinite, out of range).
    std::shared_ptr<ChartDataEntry> entryFor(const Highlight& highlight) const override;

protected:
    PieChartData() = default;
    explicit PieChartData(DataSetList dataSets);
};

} // namespace charting
