#pragma once

#include "platform/Geometry.h"

#include <QWidget>

namespace charting {

// Base of every chart view: a widget whose coordinates have their origin at the top-left corner
// with y growing downwards.
class NSUIView : public QWidget {
public:
    explicit NSUIView(QWidget* parent = nullptr);

    // Always true: the whole charting module draws with y growing downwards.
    virtual bool isFlipped() const { return true; }

    // The view's own rectangle: origin (0, 0) and the widget's size.
    virtual platform::Rect bounds() const;

    // Marks the given part of the view for redrawing on the next paint.
    virtual void setNeedsDisplayInRect(const platform::Rect& rect);
};

} // namespace charting
