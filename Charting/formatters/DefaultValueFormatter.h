#pragma once

#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/formatters/NumberFormatterSettings.h"

#include <functional>

namespace charting {

using ValueFormatterBlock =
    std::function<QString(double value, const std::shared_ptr<ChartDataEntry>& entry,
                          int dataSetIndex, ViewPortHandler* viewPortHandler)>;

// The default value-label formatter: a closure that alone makes the text, or a number formatter.
// The chart view sets the decimals of its default formatter from the data (hasAutoDecimals).
class DefaultValueFormatter : public ChartValueFormatter,
                              public NumberFormatterSettings<ValueFormatterBlock> {
public:
    using Block = ValueFormatterBlock;

    // One fraction digit with grouping; hasAutoDecimals true.
    static std::shared_ptr<DefaultValueFormatter> create();
    // `decimals` fraction digits with grouping; hasAutoDecimals true.
    static std::shared_ptr<DefaultValueFormatter> create(int decimals);
    // That number formatter itself, no decimals; hasAutoDecimals false.
    static std::shared_ptr<DefaultValueFormatter>
    create(std::shared_ptr<NumberFormatter> formatter);
    // The closure decides alone; hasAutoDecimals false.
    static std::shared_ptr<DefaultValueFormatter> create(Block block);
    static std::shared_ptr<DefaultValueFormatter> withBlock(Block block);

    // The closure's text; else the number formatter's; else an empty text.
    QString stringForValue(double value, const std::shared_ptr<ChartDataEntry>& entry,
                           int dataSetIndex, ViewPortHandler* viewPortHandler) override;

protected:
    DefaultValueFormatter() = default;
};

} // namespace charting
