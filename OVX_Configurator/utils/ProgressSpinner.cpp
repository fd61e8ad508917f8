#include "OVX_Configurator/utils/ProgressSpinner.h"

#include <QPainter>

namespace {
constexpr int kStrokes = 12;
}

ProgressSpinner::ProgressSpinner(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ProgressSpinner::startAnimation() {
    timer_.startRepeating(1.0 / kStrokes, [this] {
        step_ = (step_ + 1) % kStrokes;
        update();
    });
}

void ProgressSpinner::stopAnimation() {
    timer_.stop();
}

void ProgressSpinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidthF(std::max(1.5, side / 12));
    pen.setCapStyle(Qt::RoundCap);
    for (int i = 0; i < kStrokes; ++i) {
        int age = (step_ - i + kStrokes) % kStrokes;
        QColor colour = pen.color();
        colour.setAlphaF(1.0 - 0.8 * age / (kStrokes - 1));
        QPen stroke = pen;
        stroke.setColor(colour);
        painter.setPen(stroke);
        painter.save();
        painter.rotate(360.0 * i / kStrokes);
        painter.drawLine(QPointF(0, -side * 0.22), QPointF(0, -side * 0.42));
        painter.restore();
    }
}
