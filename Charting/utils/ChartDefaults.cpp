#include "Charting/utils/ChartDefaults.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>

namespace charting {

QColor standardDataColor() {
    return QColor(140, 234, 255);
}

QColor standardHighlightColor() {
    return QColor(255, 187, 115);
}

QColor labelTextColor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::WindowText);
    return QColor(Qt::black);
}

QColor grayColor(double alpha) {
    return QColor::fromRgbF(0.5, 0.5, 0.5, alpha);
}

namespace {
QFont platformSystemFont() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
               : QFont();
}
} // namespace

double standardSystemFontSize() {
    const double size = platformSystemFont().pointSizeF();
    return size > 0 ? size : 13;
}

QFont systemFont(double pointSize) {
    QFont font = platformSystemFont();
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace charting
