#pragma once

#include "Charting/components/AxisBase.h"
#include "Charting/components/AxisDependency.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <limits>

namespace charting {

// A vertical axis of a chart (a bar-line chart has a left and a right one): its side, label
// placement, zero line, spaces above and below the data, width limits and its own range rule.
class YAxis : public AxisBase {
public:
    using AxisDependency = charting::AxisDependency;
    // Labels outside or inside the content rectangle; any raw value but 0 counts as inside.
    enum class LabelPosition : int { outsideChart = 0, insideChart = 1 };

    // The left axis.
    static std::shared_ptr<YAxis> create();
    static std::shared_ptr<YAxis> create(AxisDependency position);

    virtual bool drawBottomYLabelEntryEnabled() const { return drawBottomYLabelEntryEnabled_; }
    virtual void setDrawBottomYLabelEntryEnabled(bool enabled) {
        drawBottomYLabelEntryEnabled_ = enabled;
    }
    virtual bool drawTopYLabelEntryEnabled() const { return drawTopYLabelEntryEnabled_; }
    virtual void setDrawTopYLabelEntryEnabled(bool enabled) {
        drawTopYLabelEntryEnabled_ = enabled;
    }
    virtual bool inverted() const { return inverted_; }
    virtual void setInverted(bool inverted) { inverted_ = inverted; }
    virtual bool drawZeroLineEnabled() const { return drawZeroLineEnabled_; }
    virtual void setDrawZeroLineEnabled(bool enabled) { drawZeroLineEnabled_ = enabled; }
    // None: no zero line is drawn.
    virtual std::optional<QColor> zeroLineColor() const { return zeroLineColor_; }
    virtual void setZeroLineColor(std::optional<QColor> color) { zeroLineColor_ = color; }
    virtual double zeroLineWidth() const { return zeroLineWidth_; }
    virtual void setZeroLineWidth(double width) { zeroLineWidth_ = width; }
    virtual double zeroLineDashPhase() const { return zeroLineDashPhase_; }
    virtual void setZeroLineDashPhase(double phase) { zeroLineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> zeroLineDashLengths() const {
        return zeroLineDashLengths_;
    }
    virtual void setZeroLineDashLengths(std::optional<std::vector<double>> lengths) {
        zeroLineDashLengths_ = std::move(lengths);
    }
    // Fractions of the data range added above and below it.
    virtual double spaceTop() const { return spaceTop_; }
    virtual void setSpaceTop(double space) { spaceTop_ = space; }
    virtual double spaceBottom() const { return spaceBottom_; }
    virtual void setSpaceBottom(double space) { spaceBottom_ = space; }
    virtual LabelPosition labelPosition() const { return labelPosition_; }
    virtual void setLabelPosition(LabelPosition position) { labelPosition_ = position; }
    // Stored only: the renderer aligns by side and label position.
    virtual TextAlignment labelAlignment() const { return labelAlignment_; }
    virtual void setLabelAlignment(TextAlignment alignment) { labelAlignment_ = alignment; }
    virtual double labelXOffset() const { return labelXOffset_; }
    virtual void setLabelXOffset(double offset) { labelXOffset_ = offset; }
    virtual double minWidth() const { return minWidth_; }
    virtual void setMinWidth(double width) { minWidth_ = width; }
    // 0 or less: no bound.
    virtual double maxWidth() const { return maxWidth_; }
    virtual void setMaxWidth(double width) { maxWidth_ = width; }

    virtual AxisDependency axisDependency() const { return axisDependency_; }
    // The room the labels need beside the content: the longest label in the label font plus
    // twice the offsets, its width kept within minWidth and (when above 0) maxWidth.
    virtual platform::Size requiredSize();
    virtual double getRequiredHeightSpace();
    // Whether the chart must keep room for the labels beside the content.
    virtual bool needsOffset() const;
    virtual bool isInverted() const { return inverted(); }
    virtual bool isDrawBottomYLabelEntryEnabled() const { return drawBottomYLabelEntryEnabled(); }
    virtual bool isDrawTopYLabelEntryEnabled() const { return drawTopYLabelEntryEnabled(); }

    // The range from the data's extremes, custom bounds kept, spaceTop and spaceBottom added.
    void calculate(double dataMin, double dataMax) override;

protected:
    explicit YAxis(AxisDependency position);

private:
    bool drawBottomYLabelEntryEnabled_ = true;
    bool drawTopYLabelEntryEnabled_ = true;
    bool inverted_ = false;
    bool drawZeroLineEnabled_ = false;
    std::optional<QColor> zeroLineColor_;
    double zeroLineWidth_ = 1.0;
    double zeroLineDashPhase_ = 0.0;
    std::optional<std::vector<double>> zeroLineDashLengths_;
    double spaceTop_ = 0.1;
    double spaceBottom_ = 0.1;
    LabelPosition labelPosition_ = LabelPosition::outsideChart;
    TextAlignment labelAlignment_ = TextAlignment::left;
    double labelXOffset_ = 0.0;
    AxisDependency axisDependency_;
    double minWidth_ = 0.0;
    double maxWidth_ = std::numeric_limits<double>::infinity();
};

} // namespace charting
