#pragma once

#include "Charting/data/ChartDataEntry.h"

namespace charting {

// An entry of a candle chart: the high and low ends of its shadow and its opening and closing
// values. Its y is the middle of high and low; it cannot be made from x and y alone.
class CandleChartDataEntry : public ChartDataEntry {
public:
    static std::shared_ptr<CandleChartDataEntry> create();
    static std::shared_ptr<CandleChartDataEntry> create(double x, double shadowH, double shadowL,
                                                        double open, double close);
    static std::shared_ptr<CandleChartDataEntry> create(double x, double shadowH, double shadowL,
                                                        double open, double close, QImage icon);
    static std::shared_ptr<CandleChartDataEntry> create(double x, double shadowH, double shadowL,
                                                        double open, double close, std::any data);
    static std::shared_ptr<CandleChartDataEntry> create(double x, double shadowH, double shadowL,
                                                        double open, double close, QImage icon,
                                                        std::any data);
    static std::shared_ptr<CandleChartDataEntry> create(double x, double y) = delete;

    // Plain fields: changing high or low leaves y as it is until setY.
    virtual double high() const { return high_; }
    virtual void setHigh(double value) { high_ = value; }
    virtual double low() const { return low_; }
    virtual void setLow(double value) { low_ = value; }
    virtual double close() const { return close_; }
    virtual void setClose(double value) { close_ = value; }
    virtual double open() const { return open_; }
    virtual void setOpen(double value) { open_ = value; }

    // |high - low| and |open - close|.
    virtual double shadowRange() const;
    virtual double bodyRange() const;

    // The value given is not used: y becomes the middle of high and low.
    void setY(double y) override;

    // The base copy with the four values.
    std::shared_ptr<ChartDataEntry> copy() const override;

protected:
    CandleChartDataEntry() = default;
    CandleChartDataEntry(double x, double shadowH, double shadowL, double open, double close)
        : ChartDataEntry(x, (shadowH + shadowL) * 0.5), high_(shadowH), low_(shadowL),
          close_(close), open_(open) {}

    std::shared_ptr<ChartDataEntry> newInstance() const override;

private:
    double high_ = 0;
    double low_ = 0;
    double close_ = 0;
    double open_ = 0;
};

} // namespace charting
