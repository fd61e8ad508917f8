#include "Charting/renderers/DataRenderer.h"

#include "Charting/data/ChartData.h"
#include "Charting/renderers/AccessibleChart.h"
#include "Charting/utils/NSUIAccessibilityElement.h"

#include <QStringList>

namespace charting {

std::shared_ptr<NSUIAccessibilityElement>
DataRenderer::createAccessibleHeader(AccessibleChart& chart, const ChartData& data,
                                     const QString& defaultDescription) {
    const QString description = chart.chartDescriptionText().value_or(defaultDescription);
    const int count = data.dataSetCount();
    QStringList labels;
    for (const auto& dataSet : data.dataSets())
        labels << (dataSet ? dataSet->label().value_or(QString()) : QString());

    auto element = NSUIAccessibilityElement::create(chart.accessibilityContainer());
    element->setElementLabel(description + QStringLiteral(". ") + QString::number(count) +
                             QStringLiteral(" dataset") +
                             (count == 1 ? QString() : QStringLiteral("s")) +
                             QStringLiteral(". ") + labels.join(QStringLiteral(", ")));
    element->setElementFrame(chart.bounds());
    element->setIsHeader(true);
    element->setRole(AccessibilityRole::staticText);
    return element;
}

} // namespace charting
