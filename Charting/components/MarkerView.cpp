#include "Charting/components/MarkerView.h"

#include "Charting/utils/GraphicsContext.h"

#include <QHash>
#include <QImage>

namespace charting {

namespace {
QHash<QString, MarkerView::Layout>& layouts() {
    static QHash<QString, MarkerView::Layout> registered;
    return registered;
}
} // namespace

MarkerView::MarkerView(QWidget* parent) : NSUIView(parent) {}

platform::Point MarkerView::offsetForDrawing(platform::Point point) const {
    auto view = chartView();
    if (!view)
        return offset_;
    return markerOffsetClamped(offset_, point, bounds().size, view->bounds().size);
}

void MarkerView::refreshContent(const std::shared_ptr<ChartDataEntry>&, const Highlight&) {}

void MarkerView::draw(GraphicsContext& context, platform::Point point) {
    const auto offset = offsetForDrawing(point);
    const auto size = bounds().size;
    if (size.width < 1 || size.height < 1)
        return;
    const qreal scale = devicePixelRatioF();
    QImage picture(QSize(int(size.width * scale), int(size.height * scale)),
                   QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
    context.saveGState();
    context.translateBy(point.x + offset.x, point.y + offset.y);
    context.drawImage(picture, platform::Rect(0, 0, size.width, size.height));
    context.restoreGState();
}

void MarkerView::registerLayout(const QString& name, Layout layout) {
    layouts().insert(name, std::move(layout));
}

std::unique_ptr<MarkerView> MarkerView::viewFromLayout(const QString& name) {
    const auto found = layouts().constFind(name);
    if (found == layouts().constEnd() || !*found)
        return nullptr;
    std::unique_ptr<QWidget> widget((*found)());
    if (auto marker = dynamic_cast<MarkerView*>(widget.get())) {
        widget.release();
        return std::unique_ptr<MarkerView>(marker);
    }
    return nullptr;
}

} // namespace charting
