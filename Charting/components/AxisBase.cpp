#include "Charting/components/AxisBase.h"

#include "Charting/components/ChartLimitLine.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"
#include "Charting/utils/ChartDefaults.h"

#include <algorithm>
#include <cmath>

namespace charting {

AxisBase::AxisBase()
    : labelFont_(systemFont(10.0)), labelTextColor_(charting::labelTextColor()),
      axisLineColor_(grayColor()), gridColor_(grayColor(0.9)) {}

std::shared_ptr<AxisBase> AxisBase::create() {
    return std::shared_ptr<AxisBase>(new AxisBase());
}

void AxisBase::setGranularity(double granularity) {
    granularity_ = granularity;
    granularityEnabled_ = true;
}

QString AxisBase::getFormattedLabel(int index) {
    if (index < 0 || index >= entryCount())
        return QString();
    auto formatter = valueFormatter();
    return formatter ? formatter->stringForValue(entries()[std::size_t(index)], this) : QString();
}

QString AxisBase::getLongestLabel() {
    QString longest;
    for (int i = 0; i < entryCount(); ++i) {
        QString text = getFormattedLabel(i);
        if (text.size() > longest.size())
            longest = std::move(text);
    }
    return longest;
}

std::shared_ptr<ChartAxisValueFormatter> AxisBase::valueFormatter() {
    if (!axisValueFormatter_)
        axisValueFormatter_ = DefaultAxisValueFormatter::create(decimals_);
    if (auto* f = dynamic_cast<DefaultAxisValueFormatter*>(axisValueFormatter_.get());
        f && f->hasAutoDecimals() && f->decimals() != decimals_)
        f->setDecimals(decimals_);
    return axisValueFormatter_;
}

void AxisBase::setValueFormatter(std::shared_ptr<ChartAxisValueFormatter> formatter) {
    axisValueFormatter_ =
        formatter ? std::move(formatter) : DefaultAxisValueFormatter::create(decimals_);
}

void AxisBase::setAxisMinLabels(int count) {
    if (count > 0)
        axisMinLabels_ = count;
}

void AxisBase::setAxisMaxLabels(int count) {
    if (count > 0)
        axisMaxLabels_ = count;
}

void AxisBase::setLabelCount(int count) {
    if (count > axisMaxLabels())
        labelCount_ = axisMaxLabels();
    else if (count < axisMinLabels())
        labelCount_ = axisMinLabels();
    else
        labelCount_ = count;
    forceLabelsEnabled_ = false;
}

void AxisBase::setLabelCount(int count, bool force) {
    setLabelCount(count);
    forceLabelsEnabled_ = force;
}

void AxisBase::addLimitLine(std::shared_ptr<ChartLimitLine> line) {
    limitLines_.push_back(std::move(line));
}

void AxisBase::removeLimitLine(const std::shared_ptr<ChartLimitLine>& line) {
    auto it = std::find(limitLines_.begin(), limitLines_.end(), line);
    if (it != limitLines_.end())
        limitLines_.erase(it);
}

void AxisBase::setAxisMinimum(double value) {
    customAxisMin_ = true;
    axisMinimum_ = value;
    axisRange_ = std::abs(axisMaximum_ - value);
}

void AxisBase::setAxisMaximum(double value) {
    customAxisMax_ = true;
    axisMaximum_ = value;
    axisRange_ = std::abs(value - axisMinimum_);
}

void AxisBase::calculate(double dataMin, double dataMax) {
    double min = customAxisMin_ ? axisMinimum_ : dataMin - spaceMin_;
    double max = customAxisMax_ ? axisMaximum_ : dataMax + spaceMax_;
    if (max - min == 0.0) {
        min -= 1.0;
        max += 1.0;
    }
    axisMinimum_ = min;
    axisMaximum_ = max;
    axisRange_ = std::abs(max - min);
}

} // namespace charting
