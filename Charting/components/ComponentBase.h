#pragma once

#include <memory>

namespace charting {

// What every chart decoration shares (axes, legend, description, limit lines): whether it is
// drawn and takes space, and the offsets in points its renderer applies.
class ComponentBase {
public:
    static std::shared_ptr<ComponentBase> create();
    virtual ~ComponentBase() = default;

    virtual bool enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    virtual double xOffset() const { return xOffset_; }
    virtual void setXOffset(double offset) { xOffset_ = offset; }
    virtual double yOffset() const { return yOffset_; }
    virtual void setYOffset(double offset) { yOffset_ = offset; }
    virtual bool isEnabled() const { return enabled(); }

protected:
    ComponentBase() = default;

private:
    bool enabled_ = true;
    double xOffset_ = 5.0;
    double yOffset_ = 5.0;
};

} // namespace charting
