#pragma once

#include "Charting/data/BarChartDataProvider.h"
#include "Charting/views/BarLineChartViewBase.h"

namespace charting {

class ChartDataEntry;

// The bar chart: a bar-line view drawing its bar data with the bar renderer, fitting the x axis
// to whole bars, turning touches into bar or stack-level highlights and giving bar bounds.
// Layouts can promote a placeholder widget to it (it is made with just a parent).
class BarChartView : public BarLineChartViewBase, public virtual BarChartDataProvider {
public:
    explicit BarChartView(QWidget* parent = nullptr);

    // Installs the bar renderer and highlighter after the bar-line set-up; the x axis keeps half
    // a unit of room on each side.
    void initialize() override;
    // The x axis from the data's x extremes (widened by half a bar on each side when fitting
    // bars), each y axis from the extremes of its data sets; nothing without bar data.
    void computeAxisRanges() override;
    // The highlighter's result; with full-bar highlighting the same highlight for the whole
    // stack (stack index -1).
    std::shared_ptr<Highlight> getHighlightByTouchPoint(platform::Point point) override;

    // The pixel rectangle of an entry's bar, from 0 to its y; the null rectangle for an entry
    // outside the bar data.
    virtual platform::Rect getBarBounds(const std::shared_ptr<ChartDataEntry>& entry);
    // Groups the data's bars (see BarChartData::groupBars) and recomputes the chart.
    virtual void groupBars(double fromX, double groupSpace, double barSpace);
    // Highlights one stack level of the bar at x (without telling the delegate).
    virtual void highlightValueAtStack(double x, int dataSetIndex, int stackIndex);

    virtual bool drawValueAboveBarEnabled() const { return drawValueAboveBarEnabled_; }
    // Stores the flag and redraws.
    virtual void setDrawValueAboveBarEnabled(bool enabled);
    virtual bool drawBarShadowEnabled() const { return drawBarShadowEnabled_; }
    // Stores the flag and redraws.
    virtual void setDrawBarShadowEnabled(bool enabled);
    virtual bool fitBars() const { return fitBars_; }
    virtual void setFitBars(bool enabled) { fitBars_ = enabled; }
    virtual bool highlightFullBarEnabled() const { return highlightFullBarEnabled_; }
    virtual void setHighlightFullBarEnabled(bool enabled) { highlightFullBarEnabled_ = enabled; }

    std::shared_ptr<BarChartData> barData() override;
    bool isDrawBarShadowEnabled() override { return drawBarShadowEnabled_; }
    bool isDrawValueAboveBarEnabled() override { return drawValueAboveBarEnabled_; }
    bool isHighlightFullBarEnabled() override { return highlightFullBarEnabled_; }

protected:
    // For views that turn the bars: initialize() is left to the most derived view.
    struct DeferInitialize {};
    BarChartView(QWidget* parent, DeferInitialize);

    // What the bounds of an entry's bar are made of: its x and y, the bar width and the
    // transformer of its data set; none for an entry outside the bar data.
    struct BarValues {
        double x = 0;
        double y = 0;
        double barWidth = 0;
        std::shared_ptr<Transformer> transformer;
    };
    std::optional<BarValues> barValues(const std::shared_ptr<ChartDataEntry>& entry);

private:
    bool drawValueAboveBarEnabled_ = true;
    bool drawBarShadowEnabled_ = false;
    bool fitBars_ = false;
    bool highlightFullBarEnabled_ = false;
};

} // namespace charting
