#pragma once

#include "Charting/data/ChartDataSetRounding.h"
#include "Charting/highlight/ChartHighlighterProtocol.h"
#include "platform/Geometry.h"

#include <vector>

namespace charting {

class ChartData;
class ChartDataProvider;
class ChartDataSetProtocol;

// Finds the value under a touch point of an axis-based chart: the entries of every
// highlight-enabled data set at the touched x, on the y axis whose candidates lie nearer the
// touch, the nearest within the chart's maxHighlightDistance.
//
// The chart link does not own the chart: the chart view owns the highlighter, and once the view
// is gone every query gives none or an empty list. Subclasses that override one overload of
// getHighlight bring the other back with a using-declaration.
class ChartHighlighter : public ChartHighlighterProtocol {
public:
    static std::shared_ptr<ChartHighlighter> create(ChartDataProvider* chart);
    // A highlighter is always made for a chart.
    static std::shared_ptr<ChartHighlighter> create() = delete;

    // The chart, or none once it is gone.
    virtual ChartDataProvider* chart() const;
    virtual void setChart(ChartDataProvider* chart);

    std::shared_ptr<Highlight> getHighlight(double x, double y) override;
    // A pixel point to (x value, y value) through the left axis's transformer; (0, 0) without an
    // axis-based chart.
    virtual platform::Point getValsForTouch(double x, double y);
    // The closest candidate at xValue to the pixel point (x, y).
    virtual std::shared_ptr<Highlight> getHighlight(double xValue, double x, double y);
    // Every candidate at xValue (x and y are not consulted).
    virtual std::vector<std::shared_ptr<Highlight>> getHighlights(double xValue, double x,
                                                                  double y);
    // The candidates of one data set: its entries at xValue, or at the x of the entry the
    // rounding finds.
    virtual std::vector<std::shared_ptr<Highlight>>
    highlightsForDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet, int dataSetIndex,
                         double xValue, ChartDataSetRounding rounding);
    virtual double pixelDistance(double x1, double y1, double x2, double y2);
    // The chart's data; none without a chart.
    virtual std::shared_ptr<ChartData> data();

protected:
    explicit ChartHighlighter(ChartDataProvider* chart);

private:
    ChartDataProvider* chart_ = nullptr;
    std::weak_ptr<const void> chartLifetime_;
};

} // namespace charting
