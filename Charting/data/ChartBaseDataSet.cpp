#include "Charting/data/ChartBaseDataSet.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/utils/ChartDefaults.h"
#include "Charting/utils/ChartErrors.h"
#include "Charting/utils/NumberText.h"
#include "platform/Fatal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

namespace charting {

namespace {
constexpr std::string_view kClassName = "ChartBaseDataSet";

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}
} // namespace

ChartBaseDataSet::ChartBaseDataSet() : ChartBaseDataSet(QStringLiteral("DataSet")) {}

ChartBaseDataSet::ChartBaseDataSet(std::optional<QString> label)
    : valueFont_(systemFont(7.0)), formSize_(std::numeric_limits<double>::quiet_NaN()),
      formLineWidth_(std::numeric_limits<double>::quiet_NaN()) {
    colors_.push_back(standardDataColor());
    valueColors_.push_back(labelTextColor());
    label_ = std::move(label);
}

std::shared_ptr<ChartBaseDataSet> ChartBaseDataSet::create() {
    return std::shared_ptr<ChartBaseDataSet>(new ChartBaseDataSet());
}

std::shared_ptr<ChartBaseDataSet> ChartBaseDataSet::create(std::optional<QString> label) {
    return std::shared_ptr<ChartBaseDataSet>(new ChartBaseDataSet(std::move(label)));
}

std::shared_ptr<ChartBaseDataSet> ChartBaseDataSet::newInstance() const {
    return std::shared_ptr<ChartBaseDataSet>(new ChartBaseDataSet());
}

void ChartBaseDataSet::notifyDataSetChanged() {
    calcMinMax();
}

void ChartBaseDataSet::calcMinMax() {
    notImplemented("calcMinMax", kClassName);
}

void ChartBaseDataSet::calcMinMaxY(double, double) {
    notImplemented("calcMinMaxY(fromX:, toX:)", kClassName);
}

double ChartBaseDataSet::yMin() const {
    notImplemented("yMin", kClassName);
}
double ChartBaseDataSet::yMax() const {
    notImplemented("yMax", kClassName);
}
double ChartBaseDataSet::xMin() const {
    notImplemented("xMin", kClassName);
}
double ChartBaseDataSet::xMax() const {
    notImplemented("xMax", kClassName);
}
int ChartBaseDataSet::entryCount() const {
    notImplemented("entryCount", kClassName);
}

std::shared_ptr<ChartDataEntry> ChartBaseDataSet::entryForIndex(int) const {
    notImplemented("entryForIndex", kClassName);
}

std::shared_ptr<ChartDataEntry> ChartBaseDataSet::entryForXValue(double, double,
                                                                 ChartDataSetRounding) const {
    notImplemented("entryForXValue(x, closestToY, rounding)", kClassName);
}

std::shared_ptr<ChartDataEntry> ChartBaseDataSet::entryForXValue(double, double) const {
    notImplemented("entryForXValue(x, closestToY)", kClassName);
}

std::vector<std::shared_ptr<ChartDataEntry>> ChartBaseDataSet::entriesForXValue(double) const {
    notImplemented("entriesForXValue", kClassName);
}

int ChartBaseDataSet::entryIndex(double, double, ChartDataSetRounding) const {
    notImplemented("entryIndex(x, closestToY, rounding)", kClassName);
}

int ChartBaseDataSet::entryIndex(const std::shared_ptr<ChartDataEntry>&) const {
    notImplemented("entryIndex(entry)", kClassName);
}

bool ChartBaseDataSet::addEntry(std::shared_ptr<ChartDataEntry>) {
    notImplemented("addEntry", kClassName);
}

bool ChartBaseDataSet::addEntryOrdered(std::shared_ptr<ChartDataEntry>) {
    notImplemented("addEntryOrdered", kClassName);
}

bool ChartBaseDataSet::removeEntry(const std::shared_ptr<ChartDataEntry>&) {
    notImplemented("removeEntry", kClassName);
}

bool ChartBaseDataSet::removeEntry(int index) {
    auto entry = entryForIndex(index);
    return entry ? removeEntry(entry) : false;
}

bool ChartBaseDataSet::removeEntry(double x) {
    auto entry = entryForXValue(x, std::numeric_limits<double>::quiet_NaN());
    return entry ? removeEntry(entry) : false;
}

bool ChartBaseDataSet::removeFirst() {
    if (entryCount() == 0)
        return false;
    auto entry = entryForIndex(0);
    return entry ? removeEntry(entry) : false;
}

bool ChartBaseDataSet::removeLast() {
    if (entryCount() == 0)
        return false;
    auto entry = entryForIndex(entryCount() - 1);
    return entry ? removeEntry(entry) : false;
}

bool ChartBaseDataSet::contains(const std::shared_ptr<ChartDataEntry>&) const {
    notImplemented("contains", kClassName);
}

void ChartBaseDataSet::clear() {
    notImplemented("clear", kClassName);
}

QColor ChartBaseDataSet::colorAtIndex(int index) const {
    if (colors_.empty())
        return standardDataColor();
    return colors_[static_cast<size_t>(std::max(index, 0)) % colors_.size()];
}

void ChartBaseDataSet::resetColors() {
    colors_.clear();
}

void ChartBaseDataSet::addColor(QColor color) {
    colors_.push_back(color);
}

void ChartBaseDataSet::setColor(QColor color) {
    colors_ = {color};
}

void ChartBaseDataSet::setColor(QColor color, double alpha) {
    setColor(withAlpha(color, alpha));
}

void ChartBaseDataSet::setColors(const std::vector<QColor>& colors, double alpha) {
    std::vector<QColor> list;
    list.reserve(colors.size());
    for (const QColor& color : colors)
        list.push_back(withAlpha(color, alpha));
    colors_ = std::move(list);
}

std::shared_ptr<ChartValueFormatter> ChartBaseDataSet::valueFormatter() const {
    if (!valueFormatter_)
        valueFormatter_ = DefaultValueFormatter::create();
    return valueFormatter_;
}

void ChartBaseDataSet::setValueFormatter(std::shared_ptr<ChartValueFormatter> formatter) {
    valueFormatter_ = std::move(formatter);
}

QColor ChartBaseDataSet::valueTextColor() const {
    return valueColors_.empty() ? labelTextColor() : valueColors_.front();
}

void ChartBaseDataSet::setValueTextColor(QColor color) {
    valueColors_.clear();
    valueColors_.push_back(color);
}

QColor ChartBaseDataSet::valueTextColorAt(int index) const {
    if (valueColors_.empty())
        return labelTextColor();
    return valueColors_[static_cast<size_t>(std::max(index, 0)) % valueColors_.size()];
}

QString ChartBaseDataSet::description() const {
    return QStringLiteral("%1, label: %2, %3 entries")
        .arg(className(typeid(*this)), label_.value_or(QString()))
        .arg(entryCount());
}

QString ChartBaseDataSet::debugDescription() const {
    QString text = description() + QLatin1Char(':');
    for (int i = 0; i < entryCount(); ++i) {
        auto entry = entryForIndex(i);
        text += QLatin1Char('\n') + (entry ? entry->description() : QString());
    }
    return text;
}

std::shared_ptr<ChartBaseDataSet> ChartBaseDataSet::copy() const {
    auto set = newInstance();
    if (!set || typeid(*set) != typeid(*this))
        platform::fatal("copy() of " + className(typeid(*this)).toStdString() +
                        " needs newInstance() of its own class");
    set->colors_ = colors_;
    set->valueColors_ = valueColors_;
    set->label_ = label_;
    set->axisDependency_ = axisDependency_;
    set->highlightEnabled_ = highlightEnabled_;
    set->valueFormatter_ = valueFormatter();
    set->valueFont_ = valueFont_;
    set->form_ = form_;
    set->formSize_ = formSize_;
    set->formLineWidth_ = formLineWidth_;
    set->formLineDashPhase_ = formLineDashPhase_;
    set->formLineDashLengths_ = formLineDashLengths_;
    set->drawValuesEnabled_ = drawValuesEnabled_;
    set->drawIconsEnabled_ = drawIconsEnabled_;
    set->iconsOffset_ = iconsOffset_;
    set->visible_ = visible_;
    return set;
}

} // namespace charting
