#pragma once

#include "Charting/data/ChartDataSetProtocol.h"

namespace charting {

// Root of every data set: the drawing properties, the colour operations and the copy. The entry
// operations stop the program here ("calcMinMax is not implemented in ChartBaseDataSet"); a
// subclass with entry storage (ChartDataSet) carries them out.
//
// A subclass that overrides one overload of a name (calcMinMax, removeEntry, ...) brings the
// others back with a using-declaration.
class ChartBaseDataSet : public virtual ChartDataSetProtocol {
public:
    static std::shared_ptr<ChartBaseDataSet> create();
    static std::shared_ptr<ChartBaseDataSet> create(std::optional<QString> label);

    ~ChartBaseDataSet() override = default;
    ChartBaseDataSet(const ChartBaseDataSet&) = delete;
    ChartBaseDataSet& operator=(const ChartBaseDataSet&) = delete;

    void notifyDataSetChanged() override;
    void calcMinMax() override;
    void calcMinMaxY(double fromX, double toX) override;
    double yMin() const override;
    double yMax() const override;
    double xMin() const override;
    double xMax() const override;
    int entryCount() const override;
    std::shared_ptr<ChartDataEntry> entryForIndex(int index) const override;
    std::shared_ptr<ChartDataEntry> entryForXValue(double xValue, double closestToY,
                                                   ChartDataSetRounding rounding) const override;
    std::shared_ptr<ChartDataEntry> entryForXValue(double xValue, double closestToY) const override;
    std::vector<std::shared_ptr<ChartDataEntry>> entriesForXValue(double xValue) const override;
    int entryIndex(double x, double closestToY, ChartDataSetRounding rounding) const override;
    int entryIndex(const std::shared_ptr<ChartDataEntry>& entry) const override;
    bool addEntry(std::shared_ptr<ChartDataEntry> entry) override;
    bool addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) override;
    bool removeEntry(const std::shared_ptr<ChartDataEntry>& entry) override;
    // The entry at a position through entryForIndex, then removeEntry on it; false when none.
    bool removeEntry(int index) override;
    // The entry nearest to x (no y preference), then removeEntry on it; false when none.
    bool removeEntry(double x) override;
    bool removeFirst() override;
    bool removeLast() override;
    bool contains(const std::shared_ptr<ChartDataEntry>& entry) const override;
    void clear() override;

    std::optional<QString> label() const override { return label_; }
    virtual void setLabel(std::optional<QString> label) { label_ = std::move(label); }
    AxisDependency axisDependency() const override { return axisDependency_; }
    virtual void setAxisDependency(AxisDependency axis) { axisDependency_ = axis; }
    const std::vector<QColor>& colors() const override { return colors_; }
    virtual void setColors(std::vector<QColor> colors) { colors_ = std::move(colors); }
    const std::vector<QColor>& valueColors() const override { return valueColors_; }
    virtual void setValueColors(std::vector<QColor> colors) { valueColors_ = std::move(colors); }

    // The colour at index modulo the number of colours, a negative index counting as 0; the
    // standard data colour when the list is empty.
    QColor colorAtIndex(int index) const override;
    void resetColors() override;
    void addColor(QColor color) override;
    void setColor(QColor color) override;
    // The colour with its alpha replaced.
    virtual void setColor(QColor color, double alpha);
    // The colours in order, each with its alpha replaced.
    virtual void setColors(const std::vector<QColor>& colors, double alpha);

    bool highlightEnabled() const override { return highlightEnabled_; }
    void setHighlightEnabled(bool enabled) override { highlightEnabled_ = enabled; }
    bool isHighlightEnabled() const override { return highlightEnabled_; }

    std::shared_ptr<ChartValueFormatter> valueFormatter() const override;
    void setValueFormatter(std::shared_ptr<ChartValueFormatter> formatter) override;

    // The first value colour (the label text colour when the list is empty); writing replaces the
    // list by that one colour.
    QColor valueTextColor() const override;
    void setValueTextColor(QColor color) override;
    QColor valueTextColorAt(int index) const override;
    QFont valueFont() const override { return valueFont_; }
    void setValueFont(QFont font) override { valueFont_ = std::move(font); }
    double valueLabelAngle() const override { return valueLabelAngle_; }
    void setValueLabelAngle(double angle) override { valueLabelAngle_ = angle; }

    LegendForm form() const override { return form_; }
    virtual void setForm(LegendForm form) { form_ = form; }
    double formSize() const override { return formSize_; }
    virtual void setFormSize(double size) { formSize_ = size; }
    double formLineWidth() const override { return formLineWidth_; }
    virtual void setFormLineWidth(double width) { formLineWidth_ = width; }
    double formLineDashPhase() const override { return formLineDashPhase_; }
    virtual void setFormLineDashPhase(double phase) { formLineDashPhase_ = phase; }
    std::optional<std::vector<double>> formLineDashLengths() const override {
        return formLineDashLengths_;
    }
    virtual void setFormLineDashLengths(std::optional<std::vector<double>> lengths) {
        formLineDashLengths_ = std::move(lengths);
    }

    bool drawValuesEnabled() const override { return drawValuesEnabled_; }
    void setDrawValuesEnabled(bool enabled) override { drawValuesEnabled_ = enabled; }
    bool isDrawValuesEnabled() const override { return drawValuesEnabled_; }
    bool drawIconsEnabled() const override { return drawIconsEnabled_; }
    void setDrawIconsEnabled(bool enabled) override { drawIconsEnabled_ = enabled; }
    bool isDrawIconsEnabled() const override { return drawIconsEnabled_; }
    platform::Point iconsOffset() const override { return iconsOffset_; }
    void setIconsOffset(platform::Point offset) override { iconsOffset_ = offset; }
    bool visible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }

    // "<class>, label: <label>, <n> entries"
    virtual QString description() const;
    // The description, ":", then one line per entry with the entry's description.
    virtual QString debugDescription() const;

    // A new data set of the receiver's own class (its parameterless constructor) with the fields
    // copied; valueLabelAngle keeps the copy's own default. Colour lists are new lists, the
    // formatter and the font are shared. A subclass overrides copy() (base copy first, then its
    // own fields) and newInstance().
    virtual std::shared_ptr<ChartBaseDataSet> copy() const;

protected:
    ChartBaseDataSet();
    explicit ChartBaseDataSet(std::optional<QString> label);

    // A new object of the receiver's own class made with its parameterless constructor.
    virtual std::shared_ptr<ChartBaseDataSet> newInstance() const;

private:
    std::vector<QColor> colors_;
    std::vector<QColor> valueColors_;
    std::optional<QString> label_ = QStringLiteral("DataSet");
    AxisDependency axisDependency_ = AxisDependency::left;
    bool highlightEnabled_ = true;
    mutable std::shared_ptr<ChartValueFormatter> valueFormatter_;
    QFont valueFont_;
    double valueLabelAngle_ = 0;
    LegendForm form_ = LegendForm::default_;
    double formSize_;
    double formLineWidth_;
    double formLineDashPhase_ = 0;
    std::optional<std::vector<double>> formLineDashLengths_;
    bool drawValuesEnabled_ = true;
    bool drawIconsEnabled_ = true;
    platform::Point iconsOffset_;
    bool visible_ = true;
};

} // namespace charting
