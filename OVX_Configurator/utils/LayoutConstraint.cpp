#include "OVX_Configurator/utils/LayoutConstraint.h"

#include <QLayout>
#include <QSpacerItem>

#include <algorithm>
#include <cmath>

LayoutConstraint::LayoutConstraint(QWidget* owner, QLayout* layout, QSpacerItem* spacer)
    : owner_(owner), layout_(layout), spacer_(spacer),
      constant_(spacer ? spacer->sizeHint().width() : 0.0) {}

void LayoutConstraint::setConstant(double constant) {
    constant_ = constant;
    if (!owner_ || !spacer_)
        return;
    const int width = static_cast<int>(std::lround(std::max(constant, 0.0)));
    spacer_->changeSize(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    layout_->invalidate();
}
