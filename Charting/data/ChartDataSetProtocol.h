#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/components/LegendForm.h"
#include "Charting/data/ChartDataSetRounding.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace charting {

class ChartDataEntry;
class ChartValueFormatter;

// The data-set interface through which renderers, the legend, the highlighter and the chart data
// reach a data set. The interfaces of particular chart types extend it (virtually).
class ChartDataSetProtocol {
public:
    virtual ~ChartDataSetProtocol() = default;

    // Extremes.
    virtual void notifyDataSetChanged() = 0;
    virtual void calcMinMax() = 0;
    // The y extremes over the entries from fromX to toX; the x extremes stay.
    virtual void calcMinMaxY(double fromX, double toX) = 0;
    virtual double yMin() const = 0;
    virtual double yMax() const = 0;
    virtual double xMin() const = 0;
    virtual double xMax() const = 0;

    // Entries and searches.
    virtual int entryCount() const = 0;
    virtual std::shared_ptr<ChartDataEntry> entryForIndex(int index) const = 0;
    virtual std::shared_ptr<ChartDataEntry> entryForXValue(double xValue, double closestToY,
                                                           ChartDataSetRounding rounding) const = 0;
    virtual std::shared_ptr<ChartDataEntry> entryForXValue(double xValue,
                                                           double closestToY) const = 0;
    virtual std::vector<std::shared_ptr<ChartDataEntry>> entriesForXValue(double xValue) const = 0;
    // Position of the entry found by the x search, or -1.
    virtual int entryIndex(double x, double closestToY, ChartDataSetRounding rounding) const = 0;
    // Position of the first entry equal to the given one (same x and y), or -1.
    virtual int entryIndex(const std::shared_ptr<ChartDataEntry>& entry) const = 0;
    virtual bool addEntry(std::shared_ptr<ChartDataEntry> entry) = 0;
    virtual bool addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) = 0;
    virtual bool removeEntry(const std::shared_ptr<ChartDataEntry>& entry) = 0;
    virtual bool removeEntry(int index) = 0; // the entry at a position
    virtual bool removeEntry(double x) = 0;  // the entry nearest to an x
    virtual bool removeFirst() = 0;
    virtual bool removeLast() = 0;
    virtual bool contains(const std::shared_ptr<ChartDataEntry>& entry) const = 0;
    virtual void clear() = 0;

    // Series look.
    virtual std::optional<QString> label() const = 0;
    virtual AxisDependency axisDependency() const = 0;
    virtual const std::vector<QColor>& valueColors() const = 0;
    virtual const std::vector<QColor>& colors() const = 0;
    virtual QColor colorAtIndex(int index) const = 0;
    virtual void resetColors() = 0;
    virtual void addColor(QColor color) = 0;
    virtual void setColor(QColor color) = 0;

    virtual bool highlightEnabled() const = 0;
    virtual void setHighlightEnabled(bool enabled) = 0;
    virtual bool isHighlightEnabled() const = 0;

    // Made on first read (a DefaultValueFormatter) when none is held.
    virtual std::shared_ptr<ChartValueFormatter> valueFormatter() const = 0;
    virtual void setValueFormatter(std::shared_ptr<ChartValueFormatter> formatter) = 0;

    virtual QColor valueTextColor() const = 0;
    virtual void setValueTextColor(QColor color) = 0;
    virtual QColor valueTextColorAt(int index) const = 0;
    virtual QFont valueFont() const = 0;
    virtual void setValueFont(QFont font) = 0;
    virtual double valueLabelAngle() const = 0;
    virtual void setValueLabelAngle(double angle) = 0;

    virtual LegendForm form() const = 0;
    virtual double formSize() const = 0;
    virtual double formLineWidth() const = 0;
    virtual double formLineDashPhase() const = 0;
    virtual std::optional<std::vector<double>> formLineDashLengths() const = 0;

    virtual bool drawValuesEnabled() const = 0;
    virtual void setDrawValuesEnabled(bool enabled) = 0;
    virtual bool isDrawValuesEnabled() const = 0;
    virtual bool drawIconsEnabled() const = 0;
    virtual void setDrawIconsEnabled(bool enabled) = 0;
    virtual bool isDrawIconsEnabled() const = 0;
    virtual platform::Point iconsOffset() const = 0;
    virtual void setIconsOffset(platform::Point offset) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;

protected:
    ChartDataSetProtocol() = default;
    ChartDataSetProtocol(const ChartDataSetProtocol&) = default;
    ChartDataSetProtocol& operator=(const ChartDataSetProtocol&) = default;
};

} // namespace charting
