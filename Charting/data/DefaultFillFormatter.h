#pragma once

#include "Charting/formatters/ChartFillFormatter.h"

#include <functional>
#include <memory>

namespace charting {

// The default fill formatter: a closure, or the zero line when the data cross it, else the
// chart's y range end nearest to the data set.
class DefaultFillFormatter : public ChartFillFormatter {
public:
    using Block = std::function<double(const LineChartDataSetProtocol& dataSet,
                                       LineChartDataProvider& dataProvider)>;

    static std::shared_ptr<DefaultFillFormatter> create();
    static std::shared_ptr<DefaultFillFormatter> create(Block block);
    static std::shared_ptr<DefaultFillFormatter> withBlock(Block block);

    virtual const Block& block() const { return block_; }
    virtual void setBlock(Block block) { block_ = std::move(block); }

    double getFillLinePosition(const LineChartDataSetProtocol& dataSet,
                               LineChartDataProvider& dataProvider) override;

protected:
    DefaultFillFormatter() = default;

private:
    Block block_;
};

} // namespace charting
