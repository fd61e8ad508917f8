#pragma once

#include <QString>

#include <memory>

namespace charting {

// Turns numbers into label texts, the same in every locale: "." before the fraction digits, ","
// between groups of three integer digits when grouping is on, "-" before negative values.
//
// The value is rounded to maximumFractionDigits from its shortest decimal form, halves to even
// (2.5 -> "2", 0.15 -> "0.2" with one digit); trailing zeros are dropped down to
// minimumFractionDigits. A value that rounds to zero has no sign. NaN is "NaN", infinities "∞" and
// "-∞". A plain formatter shows no fraction digits and no grouping.
class NumberFormatter {
public:
    static std::shared_ptr<NumberFormatter> create();

    virtual ~NumberFormatter() = default;
    NumberFormatter(const NumberFormatter&) = delete;
    NumberFormatter& operator=(const NumberFormatter&) = delete;

    // The most fraction digits a text can have.
    static constexpr int kMaxFractionDigits = 340;

    // Counts below 0 are taken as 0 and counts above kMaxFractionDigits as that. Raising the
    // minimum above the maximum raises the maximum; lowering the maximum below the minimum lowers
    // the minimum.
    virtual int minimumFractionDigits() const { return minimumFractionDigits_; }
    virtual void setMinimumFractionDigits(int digits);
    virtual int maximumFractionDigits() const { return maximumFractionDigits_; }
    virtual void setMaximumFractionDigits(int digits);
    virtual bool usesGroupingSeparator() const { return usesGroupingSeparator_; }
    virtual void setUsesGroupingSeparator(bool uses) { usesGroupingSeparator_ = uses; }

    // Both fraction-digit counts set to `decimals` (a negative count as 0) and grouping on.
    void applyDecimals(int decimals);

    virtual QString string(double value) const;

protected:
    NumberFormatter() = default;

private:
    int minimumFractionDigits_ = 0;
    int maximumFractionDigits_ = 0;
    bool usesGroupingSeparator_ = false;
};

} // namespace charting
