#pragma once

#include "Charting/utils/NumberFormatter.h"

#include <memory>
#include <optional>

namespace charting {

// What the default value and axis formatters share: a closure that alone makes the text, or a
// number formatter with a decimal count that its owner may set from the data (hasAutoDecimals).
template <class Block> class NumberFormatterSettings {
public:
    virtual ~NumberFormatterSettings() = default;

    virtual const Block& block() const { return block_; }
    virtual void setBlock(Block block) { block_ = std::move(block); }
    virtual bool hasAutoDecimals() const { return hasAutoDecimals_; }
    virtual void setHasAutoDecimals(bool value) { hasAutoDecimals_ = value; }
    virtual std::shared_ptr<NumberFormatter> formatter() const { return formatter_; }
    // Turns hasAutoDecimals off first.
    virtual void setFormatter(std::shared_ptr<NumberFormatter> formatter) {
        hasAutoDecimals_ = false;
        formatter_ = std::move(formatter);
    }
    virtual std::optional<int> decimals() const { return decimals_; }
    // A present value sets both fraction-digit counts of the number formatter (a negative count
    // as 0) and turns grouping on; none changes nothing on the formatter.
    virtual void setDecimals(std::optional<int> decimals) {
        decimals_ = decimals;
        if (decimals && formatter_)
            formatter_->applyDecimals(*decimals);
    }

protected:
    NumberFormatterSettings() = default;

    // The fields as the initialisers store them, past the setters' rules.
    void initWithFormatter(std::shared_ptr<NumberFormatter> formatter, bool autoDecimals) {
        formatter_ = std::move(formatter);
        hasAutoDecimals_ = autoDecimals;
    }
    // A new number formatter with grouping and `decimals` fraction digits; hasAutoDecimals on.
    void initWithDecimals(int decimals) {
        auto formatter = NumberFormatter::create();
        formatter->applyDecimals(decimals);
        initWithFormatter(std::move(formatter), true);
        decimals_ = decimals;
    }
    void initWithBlock(Block block) { block_ = std::move(block); }

    // The closure's text; else the number formatter's; else an empty text.
    template <class... Args> QString text(double value, Args&&... args) const {
        if (block_)
            return block_(value, std::forward<Args>(args)...);
        return formatter_ ? formatter_->string(value) : QString();
    }

private:
    Block block_;
    bool hasAutoDecimals_ = false;
    std::shared_ptr<NumberFormatter> formatter_;
    std::optional<int> decimals_;
};

} // namespace charting
