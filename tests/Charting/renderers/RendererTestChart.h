#pragma once

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/components/XAxis.h"
#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/renderers/AccessibleChart.h"
#include "support/FakeLineChart.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace rendertest {

// The fake line chart (value (x, y) at pixel (10x, 100 - 10y) on a 100 x 100 view) with
// settable visible x range.
class Chart : public testsupport::FakeLineChart {
public:
    double lowestVisibleX() override { return low; }
    double highestVisibleX() override { return high; }
    int maxVisibleCount() override { return maxVisible; }
    double low = 0;
    double high = 10;
    int maxVisible = 100;
};

// The same chart as a chart view: a widget to hold the accessibility elements, a description
// and an x axis formatter.
class ViewChart : public Chart, public charting::AccessibleChart {
public:
    QWidget* accessibilityContainer() override { return &widget; }
    std::optional<QString> chartDescriptionText() override { return description; }
    platform::Rect bounds() const override { return platform::Rect(0, 0, 100, 100); }
    void setNeedsDisplayInRect(const platform::Rect&) override {}
    std::shared_ptr<charting::XAxis> xAxis() override { return axis; }
    QWidget widget;
    std::optional<QString> description;
    std::shared_ptr<charting::XAxis> axis;
};

inline std::shared_ptr<charting::LineChartDataSet>
lineSet(const std::vector<std::pair<double, double>>& points, const QString& label = "DataSet") {
    charting::ChartDataSet::EntryList entries;
    for (auto [x, y] : points)
        entries.push_back(charting::ChartDataEntry::create(x, y));
    return charting::LineChartDataSet::create(std::move(entries), label);
}

inline std::shared_ptr<charting::LineChartData>
lineData(std::vector<std::shared_ptr<charting::ChartDataSetProtocol>> sets) {
    return charting::LineChartData::create(std::move(sets));
}

} // namespace rendertest
