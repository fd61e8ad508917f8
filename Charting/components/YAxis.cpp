#include "Charting/components/YAxis.h"

#include "Charting/utils/ChartDefaults.h"
#include "Charting/utils/TextMeasurer.h"

#include <cmath>

namespace charting {

YAxis::YAxis(AxisDependency position) : zeroLineColor_(grayColor()), axisDependency_(position) {
    setYOffset(0.0);
}

std::shared_ptr<YAxis> YAxis::create() {
    return create(AxisDependency::left);
}

std::shared_ptr<YAxis> YAxis::create(AxisDependency position) {
    return std::shared_ptr<YAxis>(new YAxis(position));
}

platform::Size YAxis::requiredSize() {
    TextAttributes attributes;
    attributes.font = labelFont();
    const platform::Size size = textMeasurer().size(getLongestLabel(), attributes);
    double width = size.width + xOffset() * 2.0;
    if (maxWidth() > 0 && width > maxWidth())
        width = maxWidth();
    if (minWidth() > width)
        width = minWidth();
    return platform::Size{width, size.height + yOffset() * 2.0};
}

double YAxis::getRequiredHeightSpace() {
    return requiredSize().height;
}

bool YAxis::needsOffset() const {
    return isEnabled() && isDrawLabelsEnabled() && labelPosition() == LabelPosition::outsideChart;
}

void YAxis::calculate(double dataMin, double dataMax) {
    const bool customMin = isAxisMinCustom(), customMax = isAxisMaxCustom();
    double min = customMin ? axisMinimum() : dataMin;
    double max = customMax ? axisMaximum() : dataMax;

    bool scale = true;
    if (min > max) {
        if (customMin && customMax) {
            scale = false;
        } else if (customMax) {
            min = max < 0 ? max * 1.5 : max * 0.5;
        } else if (customMin) {
            double m = min < 0 ? min * 0.5 : min * 1.5;
            const double range = std::abs(m - min);
            if (m - min == 0.0)
                m += 1.0;
            storeAxisMaximum(m + spaceTop() * range);
            scale = false;
        }
    }
    if (scale) {
        const double range = std::abs(max - min);
        if (max - min == 0.0) {
            max += 1.0;
            if (!customMin)
                min -= 1.0;
        }
        if (!customMin)
            storeAxisMinimum(min - spaceBottom() * range);
        if (!customMax)
            storeAxisMaximum(max + spaceTop() * range);
    }
    setAxisRange(std::abs(axisMaximum() - axisMinimum()));
}

} // namespace charting
