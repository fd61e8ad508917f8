#pragma once

#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataSet.h"

namespace charting {

class BarChartDataEntry;

// One series of a bar chart: its bar entries with the stack bookkeeping (the largest stack and
// the number of bars counting each stacked value), stack labels and the look of shadows, borders
// and the highlight overlay.
//
// The stack bookkeeping follows the entries: it is recomputed whenever the data set recomputes
// its extremes and whenever entries are added, replaced or set. An entry that is not a bar entry
// counts as one plain bar.
class BarChartDataSet : public BarLineScatterCandleBubbleChartDataSet,
                        public virtual BarChartDataSetProtocol {
public:
    static std::shared_ptr<BarChartDataSet> create();
    static std::shared_ptr<BarChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    using ChartDataSet::calcMinMax;
    using ChartDataSet::removeEntry;

    // The largest number of stacked values of any entry (a plain entry counts 1, an empty stack
    // 0); 1 without entries.
    virtual void updateStackSize(const EntryList& entries);
    // The sum over the entries of their stacked values (a plain entry counts 1).
    virtual void updateEntryCountStacks(const EntryList& entries);
    // The bar form of the per-entry extremes step: a NaN y is ignored (x too); a stacked entry
    // widens y by -negativeSum and positiveSum, a plain one by y; then x.
    virtual void calcMinMax(const std::shared_ptr<BarChartDataEntry>& entry);

    int stackSize() const override { return stackSize_; }
    // More than one value per stack.
    bool isStacked() const override { return stackSize_ > 1; }
    virtual int entryCountStacks() const { return entryCountStacks_; }
    QStringList stackLabels() const override { return stackLabels_; }
    void setStackLabels(QStringList labels) override { stackLabels_ = std::move(labels); }
    QColor barShadowColor() const override { return barShadowColor_; }
    void setBarShadowColor(QColor color) override { barShadowColor_ = color; }
    double barBorderWidth() const override { return barBorderWidth_; }
    void setBarBorderWidth(double width) override { barBorderWidth_ = width; }
    QColor barBorderColor() const override { return barBorderColor_; }
    void setBarBorderColor(QColor color) override { barBorderColor_ = color; }
    double highlightAlpha() const override { return highlightAlpha_; }
    void setHighlightAlpha(double alpha) override { highlightAlpha_ = alpha; }

    // Entries that are not bar entries are skipped.
    void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) override;
    // The full pass, then the stack bookkeeping.
    void calcMinMax() override;
    void setEntries(EntryList entries) override;
    bool addEntry(std::shared_ptr<ChartDataEntry> entry) override;
    bool addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) override;
    void setEntryAt(int position, std::shared_ptr<ChartDataEntry> entry) override;

    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    BarChartDataSet();
    BarChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    void updateStacks();
    // Counts one more entry in the bookkeeping.
    void countAddedEntry(const std::shared_ptr<ChartDataEntry>& entry);

    int stackSize_ = 1;
    int entryCountStacks_ = 0;
    QStringList stackLabels_;
    QColor barShadowColor_ = QColor(215, 215, 215);
    double barBorderWidth_ = 0;
    QColor barBorderColor_ = QColor(Qt::black);
    double highlightAlpha_ = 120.0 / 255.0;
};

// The number of values an entry stacks: its value count when stacked, 1 when plain or not a bar
// entry.
int stackedValueCount(const ChartDataEntry& entry);

} // namespace charting
