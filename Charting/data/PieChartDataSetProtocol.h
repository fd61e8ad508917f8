#pragma once

#include "Charting/data/ChartDataSetProtocol.h"

#include <QColor>
#include <QFont>

#include <optional>

namespace charting {

// Data sets of pie charts: the slice spacing, the shift of a highlighted slice, where values and
// entry labels are drawn and how the lines to outside texts look. The legend reads their entries
// (entryForIndex) and labels each slice with its entry's label when the entry is a
// PieChartDataEntry.
class PieChartDataSetProtocol : public virtual ChartDataSetProtocol {
public:
    // Where a text of a slice is drawn.
    enum class ValuePosition : int { inside = 0, outside = 1 };

    // Points between slices, 0...20.
    virtual double sliceSpace() const = 0;
    virtual void setSliceSpace(double space) = 0;
    // Whether the renderer drops the spacing when it would swallow the smallest slice.
    virtual bool automaticallyDisableSliceSpacing() const = 0;
    virtual void setAutomaticallyDisableSliceSpacing(bool enabled) = 0;
    // Points a highlighted slice reaches beyond the radius.
    virtual double selectionShift() const = 0;
    virtual void setSelectionShift(double shift) = 0;
    virtual ValuePosition xValuePosition() const = 0;
    virtual void setXValuePosition(ValuePosition position) = 0;
    virtual ValuePosition yValuePosition() const = 0;
    virtual void setYValuePosition(ValuePosition position) = 0;
    // The line from a slice to its outside text; none draws no line.
    virtual std::optional<QColor> valueLineColor() const = 0;
    virtual void setValueLineColor(std::optional<QColor> color) = 0;
    virtual bool useValueColorForLine() const = 0;
    virtual void setUseValueColorForLine(bool enabled) = 0;
    virtual double valueLineWidth() const = 0;
    virtual void setValueLineWidth(double width) = 0;
    // Fractions of the radius: where the line starts, its radial and its horizontal part.
    virtual double valueLinePart1OffsetPercentage() const = 0;
    virtual void setValueLinePart1OffsetPercentage(double value) = 0;
    virtual double valueLinePart1Length() const = 0;
    virtual void setValueLinePart1Length(double value) = 0;
    virtual double valueLinePart2Length() const = 0;
    virtual void setValueLinePart2Length(double value) = 0;
    virtual bool valueLineVariableLength() const = 0;
    virtual void setValueLineVariableLength(bool enabled) = 0;
    // None: the chart's entry label font and colour.
    virtual std::optional<QFont> entryLabelFont() const = 0;
    virtual void setEntryLabelFont(std::optional<QFont> font) = 0;
    virtual std::optional<QColor> entryLabelColor() const = 0;
    virtual void setEntryLabelColor(std::optional<QColor> color) = 0;
    // None: a highlighted slice keeps its own colour.
    virtual std::optional<QColor> highlightColor() const = 0;
    virtual void setHighlightColor(std::optional<QColor> color) = 0;
};

} // namespace charting
