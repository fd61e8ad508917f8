#pragma once

#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/formatters/NumberFormatterSettings.h"

#include <functional>

namespace charting {

using AxisValueFormatterBlock = std::function<QString(double value, AxisBase* axis)>;

// The default axis-label formatter: a closure that alone makes the text, or a number formatter.
// An axis writes its own decimal count into a formatter with hasAutoDecimals.
class DefaultAxisValueFormatter : public ChartAxisValueFormatter,
                                  public NumberFormatterSettings<AxisValueFormatterBlock> {
public:
    using Block = AxisValueFormatterBlock;

    // A plain number formatter (no fraction digits, no grouping), no decimals; hasAutoDecimals
    // true.
    static std::shared_ptr<DefaultAxisValueFormatter> create();
    // `decimals` fraction digits with grouping; hasAutoDecimals true.
    static std::shared_ptr<DefaultAxisValueFormatter> create(int decimals);
    // That number formatter itself; hasAutoDecimals false.
    static std::shared_ptr<DefaultAxisValueFormatter>
    create(std::shared_ptr<NumberFormatter> formatter);
    // The closure decides alone; hasAutoDecimals false.
    static std::shared_ptr<DefaultAxisValueFormatter> create(Block block);
    static std::shared_ptr<DefaultAxisValueFormatter> withBlock(Block block);

    // The closure's text; else the number formatter's; else an empty text.
    QString stringForValue(double value, AxisBase* axis) override;

protected:
    DefaultAxisValueFormatter() = default;
};

} // namespace charting
