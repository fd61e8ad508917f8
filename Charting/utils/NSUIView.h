#pragma once

#include "platform/Geometry.h"

#include <QColor>
#include <QEventPoint>
#include <QList>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAccessibleInterface;
class QTouchEvent;

namespace charting {

class NSUIAccessibilityElement;

// Accessibility roles of the chart views and of their elements.
enum class AccessibilityRole { list, row, staticText };

// Base of every chart view: a widget whose coordinates have their origin at the top-left corner
// with y growing downwards. It presents itself to assistive technology as a list whose rows
// are the accessibility elements its renderers made.
class NSUIView : public QWidget {
public:
    explicit NSUIView(QWidget* parent = nullptr);
    ~NSUIView() override;

    // Always true: the whole charting module draws with y growing downwards.
    virtual bool isFlipped() const { return true; }

    // The view's own rectangle: origin (0, 0) and the widget's size.
    virtual platform::Rect bounds() const;

    // Marks the given part of the view for redrawing on the next paint.
    virtual void setNeedsDisplayInRect(const platform::Rect& rect);

    AccessibilityRole role() const { return role_; }
    virtual QString accessibilityLabel() const { return QStringLiteral("Chart View"); }
    // The accessibility children (the rows); none when it has none.
    virtual std::vector<std::shared_ptr<NSUIAccessibilityElement>> accessibilityRows() const {
        return accessibilityChildren_;
    }
    void setAccessibilityChildren(std::vector<std::shared_ptr<NSUIAccessibilityElement>> rows);
    // The interface assistive technology sees for row `index` (nullptr outside the rows): one per
    // element while it lives; those of elements that are gone are released, and all of them go
    // with the view.
    QAccessibleInterface* accessibleRow(int index) const;

    // The background colour, or none (then nothing is painted behind the chart).
    virtual std::optional<QColor> backgroundColor() const;
    virtual void setBackgroundColor(const std::optional<QColor>& color);

    // Touch hooks of the chart views, each given the event's touches; by default the event
    // goes on to the widget's own handling.
    virtual bool nsuiTouchesBegan(const QList<QEventPoint>& touches, QTouchEvent* event);
    virtual bool nsuiTouchesMoved(const QList<QEventPoint>& touches, QTouchEvent* event);
    virtual bool nsuiTouchesEnded(const QList<QEventPoint>& touches, QTouchEvent* event);
    virtual bool nsuiTouchesCancelled(const QList<QEventPoint>& touches, QTouchEvent* event);

protected:
    bool event(QEvent* event) override;

private:
    AccessibilityRole role_ = AccessibilityRole::list;
    std::vector<std::shared_ptr<NSUIAccessibilityElement>> accessibilityChildren_;
    // The registered interfaces of the rows (accessibility ids), by element.
    mutable std::map<const NSUIAccessibilityElement*, unsigned> rowInterfaceIds_;
};

} // namespace charting
