#pragma once

#include "Charting/data/ChartDataSet.h"
#include "Charting/data/PieChartDataSetProtocol.h"

namespace charting {

// The slices of a pie chart with their look. Only the entries' values count for the extremes:
// a pie entry has no x.
class PieChartDataSet : public ChartDataSet, public virtual PieChartDataSetProtocol {
public:
    static std::shared_ptr<PieChartDataSet> create();
    static std::shared_ptr<PieChartDataSet>
    create(EntryList entries, std::optional<QString> label = QStringLiteral("DataSet"));

    using ChartDataSet::calcMinMax;

    // Widens only the y extremes.
    void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) override;

    double sliceSpace() const override { return sliceSpace_; }
    // Kept within 0...20 (a value that is not a number stores 0).
    void setSliceSpace(double space) override;
    bool automaticallyDisableSliceSpacing() const override {
        return automaticallyDisableSliceSpacing_;
    }
    void setAutomaticallyDisableSliceSpacing(bool enabled) override {
        automaticallyDisableSliceSpacing_ = enabled;
    }
    double selectionShift() const override { return selectionShift_; }
    void setSelectionShift(double shift) override { selectionShift_ = shift; }
    ValuePosition xValuePosition() const override { return xValuePosition_; }
    void setXValuePosition(ValuePosition position) override { xValuePosition_ = position; }
    ValuePosition yValuePosition() const override { return yValuePosition_; }
    void setYValuePosition(ValuePosition position) override { yValuePosition_ = position; }
    std::optional<QColor> valueLineColor() const override { return valueLineColor_; }
    void setValueLineColor(std::optional<QColor> color) override { valueLineColor_ = color; }
    bool useValueColorForLine() const override { return useValueColorForLine_; }
    void setUseValueColorForLine(bool enabled) override { useValueColorForLine_ = enabled; }
    double valueLineWidth() const override { return valueLineWidth_; }
    void setValueLineWidth(double width) override { valueLineWidth_ = width; }
    double valueLinePart1OffsetPercentage() const override {
        return valueLinePart1OffsetPercentage_;
    }
    void setValueLinePart1OffsetPercentage(double value) override {
        valueLinePart1OffsetPercentage_ = value;
    }
    double valueLinePart1Length() const override { return valueLinePart1Length_; }
    void setValueLinePart1Length(double value) override { valueLinePart1Length_ = value; }
    double valueLinePart2Length() const override { return valueLinePart2Length_; }
    void setValueLinePart2Length(double value) override { valueLinePart2Length_ = value; }
    bool valueLineVariableLength() const override { return valueLineVariableLength_; }
    void setValueLineVariableLength(bool enabled) override { valueLineVariableLength_ = enabled; }
    std::optional<QFont> entryLabelFont() const override { return entryLabelFont_; }
    void setEntryLabelFont(std::optional<QFont> font) override {
        entryLabelFont_ = std::move(font);
    }
    std::optional<QColor> entryLabelColor() const override { return entryLabelColor_; }
    void setEntryLabelColor(std::optional<QColor> color) override { entryLabelColor_ = color; }
    std::optional<QColor> highlightColor() const override { return highlightColor_; }
    void setHighlightColor(std::optional<QColor> color) override { highlightColor_ = color; }

    // The base copy with all the slice look copied as well.
    std::shared_ptr<ChartBaseDataSet> copy() const override;

protected:
    PieChartDataSet();
    PieChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

private:
    void setTextDefaults();

    double sliceSpace_ = 0;
    bool automaticallyDisableSliceSpacing_ = false;
    double selectionShift_ = 18;
    ValuePosition xValuePosition_ = ValuePosition::inside;
    ValuePosition yValuePosition_ = ValuePosition::inside;
    std::optional<QColor> valueLineColor_ = QColor(Qt::black);
    bool useValueColorForLine_ = false;
    double valueLineWidth_ = 1.0;
    double valueLinePart1OffsetPercentage_ = 0.75;
    double valueLinePart1Length_ = 0.3;
    double valueLinePart2Length_ = 0.4;
    bool valueLineVariableLength_ = true;
    std::optional<QFont> entryLabelFont_;
    std::optional<QColor> entryLabelColor_;
    std::optional<QColor> highlightColor_;
};

} // namespace charting
