#pragma once

#include "Charting/data/BubbleChartDataProvider.h"
#include "Charting/views/BarLineChartViewBase.h"

namespace charting {

// The bubble chart: a bar-line view drawing its bubble data with the bubble renderer. Layouts
// can promote a placeholder widget to it.
class BubbleChartView : public BarLineChartViewBase, public virtual BubbleChartDataProvider {
public:
    explicit BubbleChartView(QWidget* parent = nullptr);

    // The bar-line set-up, then the bubble renderer.
    void initialize() override;
    // The data when it is bubble data, else none.
    std::shared_ptr<BubbleChartData> bubbleData() override;
};

} // namespace charting
