#include "OVX_Configurator/pages/LevelIndicator.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

LevelIndicator::LevelIndicator(QWidget* parent) : QProgressBar(parent) {
    connect(this, &QProgressBar::valueChanged, this, qOverload<>(&QWidget::update));
}

int LevelIndicator::filledWidth() const {
    const qint64 span = qint64(maximum()) - minimum();
    if (span <= 0)
        return 0;
    const qint64 steps = std::clamp<qint64>(qint64(value()) - minimum(), 0, span);
    return int((2 * steps * width() + span) / (2 * span));
}

void LevelIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const QPalette& colours = palette();
    painter.fillRect(area, colours.brush(QPalette::Base));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const int filled = filledWidth();
    if (filled > 0)
        painter.fillRect(QRect(area.left(), area.top(), filled, area.height()),
                         colours.brush(QPalette::Highlight));
}
