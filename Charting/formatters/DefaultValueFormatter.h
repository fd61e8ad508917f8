#pragma once

#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/utils/NumberFormatter.h"

#include <functional>
#include <optional>

namespace charting {

// The default value-label formatter: a closure that alone makes the text, or a number formatter.
// The chart view sets the decimals of its default formatter from the data (hasAutoDecimals).
class DefaultValueFormatter : public ChartValueFormatter {
public:
    using Block = std::function<QString(double value, const std::shared_ptr<ChartDataEntry>& entry,
                                        int dataSetIndex, ViewPortHandler* viewPortHandler)>;

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

    virtual const Block& block() const { return block_; }
    virtual void setBlock(Block block) { block_ = std::move(block); }
    virtual bool hasAutoDecimals() const { return hasAutoDecimals_; }
    virtual void setHasAutoDecimals(bool value) { hasAutoDecimals_ = value; }
    virtual std::shared_ptr<NumberFormatter> formatter() const { return formatter_; }
    // Turns hasAutoDecimals off first.
    virtual void setFormatter(std::shared_ptr<NumberFormatter> formatter);
    virtual std::optional<int> decimals() const { return decimals_; }
    // A present value sets both fraction-digit counts of the number formatter (a negative count
    // as 0) and turns grouping on; none changes nothing on the formatter.
    virtual void setDecimals(std::optional<int> decimals);

    // The closure's text; else the number formatter's; else an empty text.
    QString stringForValue(double value, const std::shared_ptr<ChartDataEntry>& entry,
                           int dataSetIndex, ViewPortHandler* viewPortHandler) override;

protected:
    DefaultValueFormatter() = default;

private:
    Block block_;
    bool hasAutoDecimals_ = false;
    std::shared_ptr<NumberFormatter> formatter_;
    std::optional<int> decimals_;
};

} // namespace charting
