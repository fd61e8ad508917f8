#pragma once

#include "Charting/formatters/ChartAxisValueFormatter.h"

#include <QStringList>

#include <memory>

namespace charting {

// Axis labels from a list of texts: value i names values[i].
class IndexAxisValueFormatter : public ChartAxisValueFormatter {
public:
    static std::shared_ptr<IndexAxisValueFormatter> create();
    static std::shared_ptr<IndexAxisValueFormatter> create(QStringList values);
    static std::shared_ptr<IndexAxisValueFormatter> withValues(QStringList values);

    virtual const QStringList& values() const { return values_; }
    virtual void setValues(QStringList values) { values_ = std::move(values); }

    // values[i] when the value rounds (halves away from zero) to a position i of the list that
    // also equals the value truncated toward zero; else an empty text. So 2.0 and 2.4 name
    // values[2], 2.5 and 2.6 nothing. Non-finite values name nothing.
    QString stringForValue(double value, AxisBase* axis) override;

protected:
    IndexAxisValueFormatter() = default;

private:
    QStringList values_;
};

} // namespace charting
