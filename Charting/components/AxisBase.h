#pragma once

#include "Charting/components/ComponentBase.h"
#include "Charting/utils/LineCap.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace charting {

class ChartAxisValueFormatter;
class ChartLimitLine;

// What the x and y axes share: the look of the axis line, grid lines and labels, the label count
// rules and granularity, the limit lines, the label values the axis renderers compute (entries,
// centred entries, decimals) and the axis range with its custom bounds and extra space.
class AxisBase : public ComponentBase {
public:
    static std::shared_ptr<AxisBase> create();

    // Look.
    virtual QFont labelFont() const { return labelFont_; }
    virtual void setLabelFont(QFont font) { labelFont_ = std::move(font); }
    virtual QColor labelTextColor() const { return labelTextColor_; }
    virtual void setLabelTextColor(QColor color) { labelTextColor_ = color; }
    virtual QColor axisLineColor() const { return axisLineColor_; }
    virtual void setAxisLineColor(QColor color) { axisLineColor_ = color; }
    virtual double axisLineWidth() const { return axisLineWidth_; }
    virtual void setAxisLineWidth(double width) { axisLineWidth_ = width; }
    virtual double axisLineDashPhase() const { return axisLineDashPhase_; }
    virtual void setAxisLineDashPhase(double phase) { axisLineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> axisLineDashLengths() const {
        return axisLineDashLengths_;
    }
    virtual void setAxisLineDashLengths(std::optional<std::vector<double>> lengths) {
        axisLineDashLengths_ = std::move(lengths);
    }
    virtual QColor gridColor() const { return gridColor_; }
    virtual void setGridColor(QColor color) { gridColor_ = color; }
    virtual double gridLineWidth() const { return gridLineWidth_; }
    virtual void setGridLineWidth(double width) { gridLineWidth_ = width; }
    virtual double gridLineDashPhase() const { return gridLineDashPhase_; }
    virtual void setGridLineDashPhase(double phase) { gridLineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> gridLineDashLengths() const {
        return gridLineDashLengths_;
    }
    virtual void setGridLineDashLengths(std::optional<std::vector<double>> lengths) {
        gridLineDashLengths_ = std::move(lengths);
    }
    virtual LineCap gridLineCap() const { return gridLineCap_; }
    virtual void setGridLineCap(LineCap cap) { gridLineCap_ = cap; }

    // What is drawn.
    virtual bool drawGridLinesEnabled() const { return drawGridLinesEnabled_; }
    virtual void setDrawGridLinesEnabled(bool enabled) { drawGridLinesEnabled_ = enabled; }
    virtual bool drawAxisLineEnabled() const { return drawAxisLineEnabled_; }
    virtual void setDrawAxisLineEnabled(bool enabled) { drawAxisLineEnabled_ = enabled; }
    virtual bool drawLabelsEnabled() const { return drawLabelsEnabled_; }
    virtual void setDrawLabelsEnabled(bool enabled) { drawLabelsEnabled_ = enabled; }
    // True only when wished and there are entries to centre.
    virtual bool centerAxisLabelsEnabled() const {
        return centerAxisLabelsEnabled_ && entryCount() > 0;
    }
    virtual void setCenterAxisLabelsEnabled(bool enabled) { centerAxisLabelsEnabled_ = enabled; }
    virtual bool isCenterAxisLabelsEnabled() const { return centerAxisLabelsEnabled(); }
    virtual bool drawLimitLinesBehindDataEnabled() const {
        return drawLimitLinesBehindDataEnabled_;
    }
    virtual void setDrawLimitLinesBehindDataEnabled(bool enabled) {
        drawLimitLinesBehindDataEnabled_ = enabled;
    }
    virtual bool drawGridLinesBehindDataEnabled() const { return drawGridLinesBehindDataEnabled_; }
    virtual void setDrawGridLinesBehindDataEnabled(bool enabled) {
        drawGridLinesBehindDataEnabled_ = enabled;
    }
    virtual bool gridAntialiasEnabled() const { return gridAntialiasEnabled_; }
    virtual void setGridAntialiasEnabled(bool enabled) { gridAntialiasEnabled_ = enabled; }

    // Label values, written by the axis renderers.
    virtual const std::vector<double>& entries() const { return entries_; }
    virtual void setEntries(std::vector<double> entries) { entries_ = std::move(entries); }
    virtual const std::vector<double>& centeredEntries() const { return centeredEntries_; }
    virtual void setCenteredEntries(std::vector<double> entries) {
        centeredEntries_ = std::move(entries);
    }
    virtual int entryCount() const { return int(entries_.size()); }
    virtual int decimals() const { return decimals_; }
    virtual void setDecimals(int decimals) { decimals_ = decimals; }

    // Label count and interval rules.
    virtual bool granularityEnabled() const { return granularityEnabled_; }
    virtual void setGranularityEnabled(bool enabled) { granularityEnabled_ = enabled; }
    virtual double granularity() const { return granularity_; }
    // Stored as given; turns granularityEnabled on.
    virtual void setGranularity(double granularity);
    virtual bool isGranularityEnabled() const { return granularityEnabled(); }
    virtual bool forceLabelsEnabled() const { return forceLabelsEnabled_; }
    virtual void setForceLabelsEnabled(bool enabled) { forceLabelsEnabled_ = enabled; }

    // The label text of entries()[index]; empty outside the entries or without a formatter.
    virtual QString getFormattedLabel(int index);
    // The first of the labels with the most characters; empty without entries.
    virtual QString getLongestLabel();
    // Made on first use with the current decimals; a default formatter with automatic decimals
    // is given the decimals the renderer last computed before it is handed out.
    virtual std::shared_ptr<ChartAxisValueFormatter> valueFormatter();
    // None stores a new default formatter with the current decimals.
    virtual void setValueFormatter(std::shared_ptr<ChartAxisValueFormatter> formatter);

    virtual bool isDrawGridLinesEnabled() const { return drawGridLinesEnabled(); }
    virtual bool isDrawAxisLineEnabled() const { return drawAxisLineEnabled(); }
    virtual bool isDrawLabelsEnabled() const { return drawLabelsEnabled(); }
    virtual bool isDrawLimitLinesBehindDataEnabled() const {
        return drawLimitLinesBehindDataEnabled();
    }
    virtual bool isDrawGridLinesBehindDataEnabled() const {
        return drawGridLinesBehindDataEnabled();
    }

    // Range.
    virtual double spaceMin() const { return spaceMin_; }
    virtual void setSpaceMin(double space) { spaceMin_ = space; }
    virtual double spaceMax() const { return spaceMax_; }
    virtual void setSpaceMax(double space) { spaceMax_ = space; }
    virtual double axisRange() const { return axisRange_; }
    virtual void setAxisRange(double range) { axisRange_ = range; }

    virtual int axisMinLabels() const { return axisMinLabels_; }
    // A value of 0 or less is ignored.
    virtual void setAxisMinLabels(int count);
    virtual int axisMaxLabels() const { return axisMaxLabels_; }
    // A value of 0 or less is ignored.
    virtual void setAxisMaxLabels(int count);
    virtual int labelCount() const { return labelCount_; }
    // Clamped to axisMinLabels...axisMaxLabels; turns forceLabelsEnabled off.
    virtual void setLabelCount(int count);
    virtual void setLabelCount(int count, bool force);
    virtual bool isForceLabelsEnabled() const { return forceLabelsEnabled(); }

    // Limit lines, drawn in insertion order.
    virtual void addLimitLine(std::shared_ptr<ChartLimitLine> line);
    // Removes the first occurrence of this very line, if any.
    virtual void removeLimitLine(const std::shared_ptr<ChartLimitLine>& line);
    virtual void removeAllLimitLines() { limitLines_.clear(); }
    virtual std::vector<std::shared_ptr<ChartLimitLine>> limitLines() const { return limitLines_; }

    // Custom bounds: setting one marks it custom; resetting clears the mark only.
    virtual void resetCustomAxisMin() { customAxisMin_ = false; }
    virtual bool isAxisMinCustom() const { return customAxisMin_; }
    virtual void resetCustomAxisMax() { customAxisMax_ = false; }
    virtual bool isAxisMaxCustom() const { return customAxisMax_; }
    virtual double axisMinimum() const { return axisMinimum_; }
    virtual void setAxisMinimum(double value);
    virtual double axisMaximum() const { return axisMaximum_; }
    virtual void setAxisMaximum(double value);

    // The axis range for the data's extremes: custom bounds kept, spaces added, an empty range
    // widened by 1 on each side.
    virtual void calculate(double dataMin, double dataMax);

protected:
    AxisBase();

    // The bounds as computed, leaving the custom marks alone.
    void storeAxisMinimum(double value) { axisMinimum_ = value; }
    void storeAxisMaximum(double value) { axisMaximum_ = value; }

private:
    std::shared_ptr<ChartAxisValueFormatter> axisValueFormatter_;
    QFont labelFont_;
    QColor labelTextColor_;
    QColor axisLineColor_;
    double axisLineWidth_ = 0.5;
    double axisLineDashPhase_ = 0;
    std::optional<std::vector<double>> axisLineDashLengths_;
    QColor gridColor_;
    double gridLineWidth_ = 0.5;
    double gridLineDashPhase_ = 0;
    std::optional<std::vector<double>> gridLineDashLengths_;
    LineCap gridLineCap_ = LineCap::butt;
    bool drawGridLinesEnabled_ = true;
    bool drawAxisLineEnabled_ = true;
    bool drawLabelsEnabled_ = true;
    bool centerAxisLabelsEnabled_ = false;
    std::vector<std::shared_ptr<ChartLimitLine>> limitLines_;
    bool drawLimitLinesBehindDataEnabled_ = false;
    bool drawGridLinesBehindDataEnabled_ = true;
    bool gridAntialiasEnabled_ = true;
    std::vector<double> entries_;
    std::vector<double> centeredEntries_;
    int labelCount_ = 6;
    int decimals_ = 0;
    bool granularityEnabled_ = false;
    double granularity_ = 1.0;
    bool forceLabelsEnabled_ = false;
    double spaceMin_ = 0;
    double spaceMax_ = 0;
    bool customAxisMin_ = false;
    bool customAxisMax_ = false;
    double axisMinimum_ = 0;
    double axisMaximum_ = 0;
    double axisRange_ = 0;
    int axisMinLabels_ = 2;
    int axisMaxLabels_ = 25;
};

} // namespace charting
