#pragma once

#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/views/ChartViewBase.h"

#include <QImage>
#include <QPainter>

namespace testsupport {

// The view's drawing pass painted on white into an image of the view's size.
inline QImage paintChart(charting::ChartViewBase& view) {
    QImage image(view.width(), view.height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        charting::QPainterGraphicsContext context(painter);
        view.drawRect(&context, view.bounds());
    }
    return image;
}

} // namespace testsupport
