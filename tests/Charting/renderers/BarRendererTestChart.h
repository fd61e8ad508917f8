#pragma once

#include "Charting/animation/Animator.h"
#include "Charting/components/XAxis.h"
#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/renderers/AccessibleChart.h"
#include "support/FakeBarChart.h"
#include "support/RecordingGraphicsContext.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace bartest {

using charting::BarChartDataEntry;
using charting::BarChartDataSet;

// The fake bar chart as a chart view: a widget to hold the accessibility elements and an x axis.
class ViewChart : public testsupport::FakeBarChart, public charting::AccessibleChart {
public:
    QWidget* accessibilityContainer() override { return &widget; }
    std::optional<QString> chartDescriptionText() override { return std::nullopt; }
    platform::Rect bounds() const override { return platform::Rect(0, 0, 100, 100); }
    void setNeedsDisplayInRect(const platform::Rect&) override {}
    std::shared_ptr<charting::XAxis> xAxis() override { return axis; }
    QWidget widget;
    std::shared_ptr<charting::XAxis> axis = charting::XAxis::create();
};

// Plain bars at the given (x, y).
inline std::shared_ptr<BarChartDataSet> plainSet(const std::vector<std::pair<double, double>>& bars,
                                                 const QString& label = "Bars") {
    charting::ChartDataSet::EntryList entries;
    for (auto [x, y] : bars)
        entries.push_back(BarChartDataEntry::create(x, y));
    return BarChartDataSet::create(std::move(entries), label);
}

// One stacked bar per x with the given values.
inline std::shared_ptr<BarChartDataSet>
stackedSet(const std::vector<std::pair<double, std::vector<double>>>& bars,
           const QString& label = "Stacks") {
    charting::ChartDataSet::EntryList entries;
    for (const auto& [x, values] : bars)
        entries.push_back(BarChartDataEntry::create(x, values));
    return BarChartDataSet::create(std::move(entries), label);
}

inline std::shared_ptr<charting::BarChartData>
barData(std::vector<std::shared_ptr<charting::ChartDataSetProtocol>> sets, double barWidth = 0.5) {
    auto data = charting::BarChartData::create(std::move(sets));
    data->setBarWidth(barWidth);
    return data;
}

// The rectangles of the calls named `op`, as (x, y, width, height).
inline std::vector<platform::Rect> rectsOf(const charting::RecordingGraphicsContext& context,
                                           const std::string& op) {
    std::vector<platform::Rect> rects;
    for (const auto& call : context.callsNamed(op))
        rects.emplace_back(call.args.at(0), call.args.at(1), call.args.at(2), call.args.at(3));
    return rects;
}

} // namespace bartest
