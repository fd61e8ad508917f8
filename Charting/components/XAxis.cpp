#include "Charting/components/XAxis.h"

namespace charting {

XAxis::XAxis() {
    setYOffset(4.0);
}

std::shared_ptr<XAxis> XAxis::create() {
    return std::shared_ptr<XAxis>(new XAxis());
}

} // namespace charting
