#include "Charting/components/ComponentBase.h"

namespace charting {

std::shared_ptr<ComponentBase> ComponentBase::create() {
    return std::shared_ptr<ComponentBase>(new ComponentBase());
}

} // namespace charting
