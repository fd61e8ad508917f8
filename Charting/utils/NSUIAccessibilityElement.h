#pragma once

#include "Charting/utils/NSUIView.h"
#include "platform/Geometry.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace charting {

// What assistive technology is told about one drawn part of a chart (an entry, a data set's
// header): a label and a frame, with the chart view as its parent. The view is held weakly.
class NSUIAccessibilityElement {
public:
    static std::shared_ptr<NSUIAccessibilityElement> create(QWidget* containerView);
    explicit NSUIAccessibilityElement(QWidget* containerView);
    NSUIAccessibilityElement() = delete;
    virtual ~NSUIAccessibilityElement() = default;

    QWidget* containerView() const { return containerView_.data(); }
    QWidget* accessibilityParent() const { return containerView_.data(); }
    // A row unless set (a chart's header element is static text).
    AccessibilityRole role() const { return role_; }
    void setRole(AccessibilityRole role) { role_ = role; }

    bool isHeader() const { return isHeader_; }
    void setIsHeader(bool header) { isHeader_ = header; }
    bool isSelected() const { return isSelected_; }
    void setIsSelected(bool selected) { isSelected_ = selected; }

    virtual QString elementLabel() const { return label_; }
    virtual void setElementLabel(const QString& label) { label_ = label; }

    // The frame in screen coordinates.
    virtual platform::Rect elementFrame() const { return frame_; }
    // Takes a rectangle in the container's coordinates; nothing when the container is gone.
    virtual void setElementFrame(const platform::Rect& frameInContainer);

private:
    QPointer<QWidget> containerView_;
    AccessibilityRole role_ = AccessibilityRole::row;
    bool isHeader_ = false;
    bool isSelected_ = false;
    QString label_;
    platform::Rect frame_;
};

// Tells assistive technology that the chart's layout changed, for the given element only when
// there is one.
void accessibilityPostLayoutChangedNotification(const NSUIAccessibilityElement* element);

} // namespace charting
