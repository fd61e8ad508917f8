#include "Charting/data/DefaultFillFormatter.h"

#include "Charting/data/ChartData.h"
#include "Charting/data/LineChartDataProvider.h"
#include "Charting/data/LineChartDataSetProtocol.h"

namespace charting {

std::shared_ptr<DefaultFillFormatter> DefaultFillFormatter::create() {
    return std::shared_ptr<DefaultFillFormatter>(new DefaultFillFormatter());
}

std::shared_ptr<DefaultFillFormatter> DefaultFillFormatter::create(Block block) {
    auto f = create();
    f->block_ = std::move(block);
    return f;
}

std::shared_ptr<DefaultFillFormatter> DefaultFillFormatter::withBlock(Block block) {
    return create(std::move(block));
}

double DefaultFillFormatter::getFillLinePosition(const LineChartDataSetProtocol& dataSet,
                                                 LineChartDataProvider& dataProvider) {
    if (block_)
        return block_(dataSet, dataProvider);
    if (dataSet.yMax() > 0 && dataSet.yMin() < 0)
        return 0;
    auto data = dataProvider.data();
    if (!data)
        return 0;
    if (dataSet.yMin() >= 0)
        return data->yMin() < 0 ? 0 : dataProvider.chartYMin();
    return data->yMax() > 0 ? 0 : dataProvider.chartYMax();
}

} // namespace charting
