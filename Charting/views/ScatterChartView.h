#pragma once

#include "Charting/data/ScatterChartDataProvider.h"
#include "Charting/views/BarLineChartViewBase.h"

namespace charting {

// The scatter chart: a bar-line view drawing its scatter data with the scatter renderer, its x
// axis padded by half a unit at both ends. Layouts can promote a placeholder widget to it.
class ScatterChartView : public BarLineChartViewBase, public virtual ScatterChartDataProvider {
public:
    explicit ScatterChartView(QWidget* parent = nullptr);

    // The bar-line set-up, the scatter renderer and the x axis padding.
    void initialize() override;
    // The data when it is scatter data, else none.
    std::shared_ptr<ScatterChartData> scatterData() override;
};

} // namespace charting
