#pragma once

#include "Charting/components/ComponentBase.h"
#include "Charting/components/LegendEntry.h"
#include "Charting/components/LegendForm.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>

#include <memory>
#include <optional>
#include <vector>

namespace charting {

class ViewPortHandler;

// The chart component listing what the chart shows: its entries, how they are laid out and the
// results of measuring them (label sizes, where horizontal rows break, row widths and the room
// the whole legend needs). The legend renderer fills and measures it; the chart view reserves
// the measured room beside the content.
class Legend : public ComponentBase {
public:
    using Form = LegendForm;
    enum class HorizontalAlignment : int { left = 0, center = 1, right = 2 };
    enum class VerticalAlignment : int { top = 0, center = 1, bottom = 2 };
    enum class Orientation : int { horizontal = 0, vertical = 1 };
    enum class Direction : int { leftToRight = 0, rightToLeft = 1 };

    // A legend with xOffset 5 and yOffset 3.
    static std::shared_ptr<Legend> create();
    // A legend holding the entries; its offsets stay the component's (5 and 5).
    static std::shared_ptr<Legend> create(std::vector<std::shared_ptr<LegendEntry>> entries);

    virtual const std::vector<std::shared_ptr<LegendEntry>>& entries() const { return entries_; }
    virtual void setEntries(std::vector<std::shared_ptr<LegendEntry>> entries) {
        entries_ = std::move(entries);
    }
    // Entries added after those made from the data.
    virtual const std::vector<std::shared_ptr<LegendEntry>>& extraEntries() const {
        return extraEntries_;
    }
    virtual void setExtraEntries(std::vector<std::shared_ptr<LegendEntry>> entries) {
        extraEntries_ = std::move(entries);
    }
    virtual HorizontalAlignment horizontalAlignment() const { return horizontalAlignment_; }
    virtual void setHorizontalAlignment(HorizontalAlignment a) { horizontalAlignment_ = a; }
    virtual VerticalAlignment verticalAlignment() const { return verticalAlignment_; }
    virtual void setVerticalAlignment(VerticalAlignment a) { verticalAlignment_ = a; }
    virtual Orientation orientation() const { return orientation_; }
    virtual void setOrientation(Orientation o) { orientation_ = o; }
    // Drawn over the content instead of beside it.
    virtual bool drawInside() const { return drawInside_; }
    virtual void setDrawInside(bool inside) { drawInside_ = inside; }
    virtual bool isDrawInsideEnabled() const { return drawInside(); }
    virtual Direction direction() const { return direction_; }
    virtual void setDirection(Direction d) { direction_ = d; }
    virtual QFont font() const { return font_; }
    virtual void setFont(QFont font) { font_ = std::move(font); }
    virtual QColor textColor() const { return textColor_; }
    virtual void setTextColor(QColor color) { textColor_ = color; }
    virtual Form form() const { return form_; }
    virtual void setForm(Form form) { form_ = form; }
    virtual double formSize() const { return formSize_; }
    virtual void setFormSize(double v) { formSize_ = v; }
    virtual double formLineWidth() const { return formLineWidth_; }
    virtual void setFormLineWidth(double v) { formLineWidth_ = v; }
    virtual double formLineDashPhase() const { return formLineDashPhase_; }
    virtual void setFormLineDashPhase(double v) { formLineDashPhase_ = v; }
    virtual std::optional<std::vector<double>> formLineDashLengths() const {
        return formLineDashLengths_;
    }
    virtual void setFormLineDashLengths(std::optional<std::vector<double>> lengths) {
        formLineDashLengths_ = std::move(lengths);
    }
    virtual double xEntrySpace() const { return xEntrySpace_; }
    virtual void setXEntrySpace(double v) { xEntrySpace_ = v; }
    virtual double yEntrySpace() const { return yEntrySpace_; }
    virtual void setYEntrySpace(double v) { yEntrySpace_ = v; }
    virtual double formToTextSpace() const { return formToTextSpace_; }
    virtual void setFormToTextSpace(double v) { formToTextSpace_ = v; }
    virtual double stackSpace() const { return stackSpace_; }
    virtual void setStackSpace(double v) { stackSpace_ = v; }

    // Results of calculateDimensions (writable so that renderers and tests can set them).
    virtual const std::vector<platform::Size>& calculatedLabelSizes() const {
        return calculatedLabelSizes_;
    }
    virtual void setCalculatedLabelSizes(std::vector<platform::Size> sizes) {
        calculatedLabelSizes_ = std::move(sizes);
    }
    virtual const std::vector<bool>& calculatedLabelBreakPoints() const {
        return calculatedLabelBreakPoints_;
    }
    virtual void setCalculatedLabelBreakPoints(std::vector<bool> points) {
        calculatedLabelBreakPoints_ = std::move(points);
    }
    virtual const std::vector<platform::Size>& calculatedLineSizes() const {
        return calculatedLineSizes_;
    }
    virtual void setCalculatedLineSizes(std::vector<platform::Size> sizes) {
        calculatedLineSizes_ = std::move(sizes);
    }

    // Width: the largest form size + formToTextSpace + the widest label; height: the tallest
    // label. Without entries (formToTextSpace, 0).
    virtual platform::Size getMaximumEntrySize(const QFont& font) const;

    virtual double neededWidth() const { return neededWidth_; }
    virtual void setNeededWidth(double v) { neededWidth_ = v; }
    virtual double neededHeight() const { return neededHeight_; }
    virtual void setNeededHeight(double v) { neededHeight_ = v; }
    virtual double textWidthMax() const { return textWidthMax_; }
    virtual void setTextWidthMax(double v) { textWidthMax_ = v; }
    virtual double textHeightMax() const { return textHeightMax_; }
    virtual void setTextHeightMax(double v) { textHeightMax_ = v; }
    virtual bool wordWrapEnabled() const { return wordWrapEnabled_; }
    virtual void setWordWrapEnabled(bool enabled) { wordWrapEnabled_ = enabled; }
    virtual bool isWordWrapEnabled() const { return wordWrapEnabled(); }
    // Largest share of the chart's size the legend may take beside the content.
    virtual double maxSizePercent() const { return maxSizePercent_; }
    virtual void setMaxSizePercent(double v) { maxSizePercent_ = v; }

    // Measures the entries with the font: label sizes, row breaks and row widths (horizontal),
    // and the room the legend needs (offsets included).
    virtual void calculateDimensions(const QFont& labelFont,
                                     const ViewPortHandler& viewPortHandler);

    // Fixed entries: the renderer no longer makes them from the data (it still measures them).
    virtual void setCustom(std::vector<std::shared_ptr<LegendEntry>> entries);
    // Entries are made from the data again, from the next data change on.
    virtual void resetCustom();
    virtual bool isLegendCustom() const { return isLegendCustom_; }

protected:
    Legend() = default;

private:
    void calculateHorizontal(const QFont& labelFont, const ViewPortHandler& viewPortHandler);
    void calculateVertical(const QFont& labelFont);

    std::vector<std::shared_ptr<LegendEntry>> entries_;
    std::vector<std::shared_ptr<LegendEntry>> extraEntries_;
    bool isLegendCustom_ = false;
    HorizontalAlignment horizontalAlignment_ = HorizontalAlignment::left;
    VerticalAlignment verticalAlignment_ = VerticalAlignment::bottom;
    Orientation orientation_ = Orientation::horizontal;
    bool drawInside_ = false;
    Direction direction_ = Direction::leftToRight;
    QFont font_;
    QColor textColor_;
    Form form_ = Form::square;
    double formSize_ = 8;
    double formLineWidth_ = 3;
    double formLineDashPhase_ = 0;
    std::optional<std::vector<double>> formLineDashLengths_;
    double xEntrySpace_ = 6;
    double yEntrySpace_ = 0;
    double formToTextSpace_ = 5;
    double stackSpace_ = 3;
    std::vector<platform::Size> calculatedLabelSizes_;
    std::vector<bool> calculatedLabelBreakPoints_;
    std::vector<platform::Size> calculatedLineSizes_;
    double neededWidth_ = 0;
    double neededHeight_ = 0;
    double textWidthMax_ = 0;
    double textHeightMax_ = 0;
    bool wordWrapEnabled_ = true;
    double maxSizePercent_ = 0.95;
};

// The size of one legend label: the text on one line with the font as its only attribute.
platform::Size legendLabelSize(const QString& label, const QFont& font);
// The height of a legend row: the height of the font's glyph box.
double legendLineHeight(const QFont& font);

} // namespace charting
