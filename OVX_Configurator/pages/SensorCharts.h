#pragma once

#include "Charting/data/ChartDataSet.h"
#include "Charting/views/LineChartView.h"
#include "OVX_Configurator/pages/Telemetry.h"

#include <QColor>
#include <QPointer>

#include <array>
#include <memory>
#include <vector>

namespace charting {
class LineChartData;
class LineChartDataSet;
} // namespace charting

// The two live charts of a model page's "Sensor" tab: the gyro rates and the accelerations,
// three series each (X, Y, Z) over a ring of 200 points. Every sample overwrites the point at
// currentChartIndex in all six series and stores the data in both charts again (which redraws
// them); after the 200th point the index returns to 0 and every point is set back to 0, so the
// next sweep starts from flat lines. Nothing is created after set-up: samples change y values in
// place.
class SensorCharts {
public:
    static constexpr int pointCount = 200;

    // The series colours (green, orange, purple for X, Y, Z) and the axis line colour (red).
    static const std::array<QColor, 3>& seriesColors();
    static QColor axisLineColor();

    // Builds the gyro series and configures `chart` (range -1200..1200 by 100).
    void setupGyroChart(charting::LineChartView* chart);
    // The same for the accelerations (range -1.5..1.5 by 0.1).
    void setupAccChart(charting::LineChartView* chart);

    // Writes one sample at currentChartIndex, redraws both charts and advances the sweep.
    void addSample(const telemetry::SensorSample& sample);

    QPointer<charting::LineChartView> gyroChart, accChart;
    std::array<charting::ChartDataSet::EntryList, 3> gyroDataEntries, accDataEntries;
    std::vector<std::shared_ptr<charting::LineChartDataSet>> gyroChartDataSet, accChartDataSet;
    std::shared_ptr<charting::LineChartData> gyroChartData, accChartData;
    // The point the next sample overwrites, 0 .. pointCount - 1.
    int currentChartIndex = 0;

private:
    struct Column;
    void setup(const Column& column);
};
