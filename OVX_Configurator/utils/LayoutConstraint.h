#pragma once

#include <QPointer>
#include <QWidget>

class QLayout;
class QSpacerItem;

// A fixed distance in a box layout: a spacer item between a widget and the next, whose width
// is the constraint's constant. A negative constant (the room of hidden neighbours handed to
// the widget before them) adds no space: a Qt layout leaves hidden widgets out by itself.
class LayoutConstraint {
public:
    // `spacer` belongs to `layout`, which lies on `owner`.
    LayoutConstraint(QWidget* owner, QLayout* layout, QSpacerItem* spacer);

    double constant() const { return constant_; }
    void setConstant(double constant);

private:
    QPointer<QWidget> owner_;
    QLayout* layout_;
    QSpacerItem* spacer_;
    double constant_;
};
