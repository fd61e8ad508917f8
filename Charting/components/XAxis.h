#pragma once

#include "Charting/components/AxisBase.h"

namespace charting {

// The horizontal axis of a chart: the base's range rule plus the label geometry the x axis
// renderer measures (label sizes, rotation in degrees, word wrap, placement, first/last shift).
class XAxis : public AxisBase {
public:
    // Where the labels are drawn, relative to the content rectangle.
    enum class LabelPosition : int {
        top = 0,
        bottom = 1,
        both = 2,
        topInside = 3,
        bottomInside = 4
    };

    static std::shared_ptr<XAxis> create();

    // Sizes of the longest label, written by the renderer's size pass.
    virtual double labelWidth() const { return labelWidth_; }
    virtual void setLabelWidth(double width) { labelWidth_ = width; }
    virtual double labelHeight() const { return labelHeight_; }
    virtual void setLabelHeight(double height) { labelHeight_ = height; }
    virtual double labelRotatedWidth() const { return labelRotatedWidth_; }
    virtual void setLabelRotatedWidth(double width) { labelRotatedWidth_ = width; }
    virtual double labelRotatedHeight() const { return labelRotatedHeight_; }
    virtual void setLabelRotatedHeight(double height) { labelRotatedHeight_ = height; }
    // In degrees.
    virtual double labelRotationAngle() const { return labelRotationAngle_; }
    virtual void setLabelRotationAngle(double degrees) { labelRotationAngle_ = degrees; }
    virtual bool avoidFirstLastClippingEnabled() const { return avoidFirstLastClippingEnabled_; }
    virtual void setAvoidFirstLastClippingEnabled(bool enabled) {
        avoidFirstLastClippingEnabled_ = enabled;
    }
    virtual LabelPosition labelPosition() const { return labelPosition_; }
    virtual void setLabelPosition(LabelPosition position) { labelPosition_ = position; }
    virtual bool wordWrapEnabled() const { return wordWrapEnabled_; }
    virtual void setWordWrapEnabled(bool enabled) { wordWrapEnabled_ = enabled; }
    virtual bool isWordWrapEnabled() const { return wordWrapEnabled(); }
    // Largest label width as a fraction of the pixel width of one x unit.
    virtual double wordWrapWidthPercent() const { return wordWrapWidthPercent_; }
    virtual void setWordWrapWidthPercent(double percent) { wordWrapWidthPercent_ = percent; }
    virtual bool isAvoidFirstLastClippingEnabled() const { return avoidFirstLastClippingEnabled(); }

protected:
    XAxis();

private:
    double labelWidth_ = 1.0;
    double labelHeight_ = 1.0;
    double labelRotatedWidth_ = 1.0;
    double labelRotatedHeight_ = 1.0;
    double labelRotationAngle_ = 0.0;
    bool avoidFirstLastClippingEnabled_ = false;
    LabelPosition labelPosition_ = LabelPosition::top;
    bool wordWrapEnabled_ = false;
    double wordWrapWidthPercent_ = 1.0;
};

} // namespace charting
