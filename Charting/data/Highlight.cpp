#include "Charting/data/Highlight.h"

#include "Charting/utils/NumberText.h"

#include <limits>

namespace charting {

std::shared_ptr<Highlight> Highlight::create() {
    return std::shared_ptr<Highlight>(new Highlight());
}

std::shared_ptr<Highlight> Highlight::create(double x, double y, double xPx, double yPx,
                                             int dataIndex, int dataSetIndex, int stackIndex,
                                             AxisDependency axis) {
    auto h = create();
    h->x_ = x;
    h->y_ = y;
    h->xPx_ = xPx;
    h->yPx_ = yPx;
    h->dataIndex_ = dataIndex;
    h->dataSetIndex_ = dataSetIndex;
    h->stackIndex_ = stackIndex;
    h->axis_ = axis;
    return h;
}

std::shared_ptr<Highlight> Highlight::create(double x, double y, double xPx, double yPx,
                                             int dataSetIndex, AxisDependency axis) {
    auto h = create();
    h->x_ = x;
    h->y_ = y;
    h->xPx_ = xPx;
    h->yPx_ = yPx;
    h->dataSetIndex_ = dataSetIndex;
    h->axis_ = axis;
    return h;
}

std::shared_ptr<Highlight> Highlight::create(double x, double y, int dataSetIndex, int dataIndex) {
    auto h = create();
    h->x_ = x;
    h->y_ = y;
    h->dataSetIndex_ = dataSetIndex;
    h->dataIndex_ = dataIndex;
    return h;
}

std::shared_ptr<Highlight> Highlight::create(double x, double y, double xPx, double yPx,
                                             int dataSetIndex, int stackIndex,
                                             AxisDependency axis) {
    return create(x, y, xPx, yPx, 0, dataSetIndex, stackIndex, axis);
}

std::shared_ptr<Highlight> Highlight::create(double x, int dataSetIndex, int stackIndex) {
    auto h = create(x, std::numeric_limits<double>::quiet_NaN(), dataSetIndex, -1);
    h->stackIndex_ = stackIndex;
    return h;
}

void Highlight::setDraw(double x, double y) {
    drawX_ = x;
    drawY_ = y;
}

void Highlight::setDraw(platform::Point point) {
    setDraw(point.x, point.y);
}

QString Highlight::description() const {
    return QStringLiteral("Highlight, x: ") + shortestText(x()) + QStringLiteral(", y: ") +
           shortestText(y()) + QStringLiteral(", dataIndex (combined charts): ") +
           QString::number(dataIndex()) + QStringLiteral(", dataSetIndex: ") +
           QString::number(dataSetIndex()) +
           QStringLiteral(", stackIndex (only stacked barentry): ") + QString::number(stackIndex());
}

bool Highlight::isEqual(const Highlight* other) const {
    if (!other)
        return false;
    if (other == this)
        return true;
    return other->x() == x() && other->y() == y() && other->dataIndex() == dataIndex() &&
           other->dataSetIndex() == dataSetIndex() && other->stackIndex() == stackIndex();
}

} // namespace charting
