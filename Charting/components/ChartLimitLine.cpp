#include "Charting/components/ChartLimitLine.h"

#include "Charting/utils/ChartDefaults.h"

namespace charting {

std::optional<ChartLimitLine::LabelPosition> ChartLimitLine::labelPositionFromRaw(int raw) {
    if (raw < 0 || raw > 3)
        return std::nullopt;
    return static_cast<LabelPosition>(raw);
}

ChartLimitLine::ChartLimitLine()
    : lineColor_(QColor::fromRgbF(237 / 255.0, 91 / 255.0, 91 / 255.0, 1.0)),
      valueTextColor_(labelTextColor()), valueFont_(systemFont(13.0)) {}

std::shared_ptr<ChartLimitLine> ChartLimitLine::create() {
    return std::shared_ptr<ChartLimitLine>(new ChartLimitLine());
}

std::shared_ptr<ChartLimitLine> ChartLimitLine::create(double limit) {
    auto line = create();
    line->limit_ = limit;
    return line;
}

std::shared_ptr<ChartLimitLine> ChartLimitLine::create(double limit, QString label) {
    auto line = create(limit);
    line->label_ = std::move(label);
    return line;
}

void ChartLimitLine::setLineWidth(double width) {
    if (width > 12.0)
        lineWidth_ = 12.0;
    else if (width < 0.2)
        lineWidth_ = 0.2;
    else
        lineWidth_ = width;
}

} // namespace charting
