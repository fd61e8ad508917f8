#pragma once

#include <memory>

namespace charting {

// An interval from `from` (open) to `to` (closed): one piece of a stacked bar.
class Range {
public:
    static std::shared_ptr<Range> create(double from, double to);
    // A range has no meaning without bounds.
    static std::shared_ptr<Range> create() = delete;

    virtual ~Range() = default;
    Range(const Range&) = delete;
    Range& operator=(const Range&) = delete;

    virtual double from() const { return from_; }
    virtual void setFrom(double from) { from_ = from; }
    virtual double to() const { return to_; }
    virtual void setTo(double to) { to_ = to; }

    // from < value <= to.
    virtual bool contains(double value) const { return from_ < value && value <= to_; }
    virtual bool isLarger(double value) const { return value > to_; }
    virtual bool isSmaller(double value) const { return value < from_; }

protected:
    Range(double from, double to) : from_(from), to_(to) {}

private:
    double from_;
    double to_;
};

} // namespace charting
