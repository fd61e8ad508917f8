#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The application's compiled-in resources (texts, pictures), under ":/texts" and ":/images".

// Registers the resource files compiled into the application library; safe to call often.
void loadResources();

// The resource path of the picture `name` (an SVG or PNG file under ":/images"), or an empty
// text when there is no such picture.
QString imagePath(const QString& name);

// The picture `name`, at `size` when given (SVGs are drawn at that size), else at its own size.
// A null pixmap when there is no such picture.
QPixmap imageNamed(const QString& name, QSize size = {});

// The picture `name` as an icon; an empty icon when there is no such picture.
QIcon iconNamed(const QString& name);
