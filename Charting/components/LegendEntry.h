#pragma once

#include "Charting/components/LegendForm.h"

#include <QColor>
#include <QString>

#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace charting {

// One line of a legend: a form in a colour and a label. An entry without a label is part of a
// stack: its form is drawn next to the forms of the entries that follow. NaN sizes and absent
// lists mean "the legend's value".
class LegendEntry {
public:
    static std::shared_ptr<LegendEntry> create();
    static std::shared_ptr<LegendEntry> create(std::optional<QString> label);
    virtual ~LegendEntry() = default;
    LegendEntry(const LegendEntry&) = delete;
    LegendEntry& operator=(const LegendEntry&) = delete;

    virtual std::optional<QString> label() const { return label_; }
    virtual void setLabel(std::optional<QString> label) { label_ = std::move(label); }
    // None: the legend's text colour.
    virtual std::optional<QColor> labelColor() const { return labelColor_; }
    virtual void setLabelColor(std::optional<QColor> color) { labelColor_ = std::move(color); }
    virtual LegendForm form() const { return form_; }
    virtual void setForm(LegendForm form) { form_ = form; }
    virtual double formSize() const { return formSize_; }
    virtual void setFormSize(double size) { formSize_ = size; }
    virtual double formLineWidth() const { return formLineWidth_; }
    virtual void setFormLineWidth(double width) { formLineWidth_ = width; }
    virtual double formLineDashPhase() const { return formLineDashPhase_; }
    virtual void setFormLineDashPhase(double phase) { formLineDashPhase_ = phase; }
    virtual std::optional<std::vector<double>> formLineDashLengths() const {
        return formLineDashLengths_;
    }
    virtual void setFormLineDashLengths(std::optional<std::vector<double>> lengths) {
        formLineDashLengths_ = std::move(lengths);
    }
    // None: no form is drawn.
    virtual std::optional<QColor> formColor() const { return formColor_; }
    virtual void setFormColor(std::optional<QColor> color) { formColor_ = std::move(color); }

protected:
    LegendEntry() = default;

private:
    std::optional<QString> label_;
    std::optional<QColor> labelColor_;
    LegendForm form_ = LegendForm::default_;
    double formSize_ = std::numeric_limits<double>::quiet_NaN();
    double formLineWidth_ = std::numeric_limits<double>::quiet_NaN();
    double formLineDashPhase_ = 0;
    std::optional<std::vector<double>> formLineDashLengths_;
    std::optional<QColor> formColor_;
};

} // namespace charting
