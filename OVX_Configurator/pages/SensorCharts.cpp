#include "OVX_Configurator/pages/SensorCharts.h"

#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/views/LineChartView.h"

using namespace charting;

// What tells the two charts apart.
struct SensorCharts::Column {
    LineChartView* chart;
    std::array<ChartDataSet::EntryList, 3>& entries;
    std::vector<std::shared_ptr<LineChartDataSet>>& dataSets;
    std::shared_ptr<LineChartData>& data;
    std::array<const char*, 3> labels;
    double range;
    double granularity;
};

const std::array<QColor, 3>& SensorCharts::seriesColors() {
    static const std::array<QColor, 3> colors{QColor(52, 199, 89), QColor(255, 149, 0),
                                              QColor(175, 82, 222)};
    return colors;
}

QColor SensorCharts::axisLineColor() {
    return QColor(255, 59, 48);
}

void SensorCharts::setupGyroChart(LineChartView* chart) {
    gyroChart = chart;
    setup({chart, gyroDataEntries, gyroChartDataSet, gyroChartData,
           {"Gyro X", "Gyro Y", "Gyro Z"}, 1200, 100});
}

void SensorCharts::setupAccChart(LineChartView* chart) {
    accChart = chart;
    setup({chart, accDataEntries, accChartDataSet, accChartData, {"Acc X", "Acc Y", "Acc Z"}, 1.5,
           0.1});
}

void SensorCharts::setup(const Column& column) {
    column.data = LineChartData::create();
    column.data->setDataSets({});
    column.dataSets.clear();
    for (std::size_t k = 0; k < 3; ++k) {
        ChartDataSet::EntryList& list = column.entries[k];
        list.clear();
        list.reserve(pointCount);
        for (int j = 0; j < pointCount; ++j)
            list.push_back(ChartDataEntry::create(j, 0));
        auto set = LineChartDataSet::create(list, QString::fromLatin1(column.labels[k]));
        column.dataSets.push_back(set);
        set->setColors({seriesColors()[k]});
        set->setDrawCirclesEnabled(false);
        set->setDrawCircleHoleEnabled(false);
        column.data->addDataSet(set);
    }
    LineChartView* chart = column.chart;
    if (!chart)
        return;
    chart->rightAxis()->setEnabled(false);
    const auto left = chart->leftAxis();
    left->setAxisMinimum(-column.range);
    left->setAxisMaximum(column.range);
    left->setGranularity(column.granularity);
    left->setDrawLabelsEnabled(false);
    left->setAxisLineWidth(2);
    left->setAxisLineColor(axisLineColor());
    left->setDrawZeroLineEnabled(true);
    left->setZeroLineWidth(1);
    left->setGridLineDashLengths(std::vector<double>{4, 2});
    chart->xAxis()->setDrawLabelsEnabled(false);
    chart->setData(column.data);
}

void SensorCharts::addSample(const telemetry::SensorSample& sample) {
    const auto i = static_cast<std::size_t>(currentChartIndex);
    for (std::size_t k = 0; k < 3; ++k) {
        if (i < gyroDataEntries[k].size())
            gyroDataEntries[k][i]->setY(static_cast<double>(sample.gyro[k]));
        if (i < accDataEntries[k].size())
            accDataEntries[k][i]->setY(static_cast<double>(sample.acc[k]));
    }
    if (gyroChart)
        gyroChart->setData(gyroChartData);
    if (accChart)
        accChart->setData(accChartData);
    currentChartIndex = (currentChartIndex + 1) % pointCount;
    if (currentChartIndex != 0)
        return;
    for (auto* series : {&gyroDataEntries, &accDataEntries})
        for (auto& list : *series)
            for (const auto& entry : list)
                entry->setY(0);
}
