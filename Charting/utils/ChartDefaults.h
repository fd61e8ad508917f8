#pragma once

#include <QColor>
#include <QFont>

// The charting module's standard colours and the platform's text defaults.
namespace charting {

// The module's standard data colour, RGB(140, 234, 255).
QColor standardDataColor();

// The module's standard highlight colour, RGB(255, 187, 115).
QColor standardHighlightColor();

// The platform's label text colour (the palette's window text; black without a GUI application).
QColor labelTextColor();

// The platform's grey colour (50 % white) with the given alpha.
QColor grayColor(double alpha = 1.0);

// The point size of the platform's standard system font.
double standardSystemFontSize();

// The platform's system font at the given point size.
QFont systemFont(double pointSize);

} // namespace charting
