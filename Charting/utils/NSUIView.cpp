#include "Charting/utils/NSUIView.h"

#include "Charting/utils/NSUIAccessibilityElement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPalette>
#include <QRect>
#include <QTouchEvent>

#include <algorithm>
#include <cmath>
#include <set>
#include <type_traits>

namespace charting {
namespace {

// One row of a chart view for assistive technology.
class ElementInterface : public QAccessibleInterface {
public:
    ElementInterface(NSUIView* view, std::weak_ptr<NSUIAccessibilityElement> element)
        : view_(view), element_(std::move(element)) {}
    bool isValid() const override { return view_ && !element_.expired(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        auto e = element_.lock();
        return e && t == QAccessible::Name ? e->elementLabel() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        auto e = element_.lock();
        if (!e)
            return QRect();
        const platform::Rect f = e->elementFrame();
        return QRectF(f.origin.x, f.origin.y, f.size.width, f.size.height).toAlignedRect();
    }
    QAccessible::Role role() const override {
        auto e = element_.lock();
        return e && e->role() == AccessibilityRole::staticText ? QAccessible::StaticText
                                                               : QAccessible::Row;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        auto e = element_.lock();
        s.selected = e && e->isSelected();
        return s;
    }

private:
    QPointer<NSUIView> view_;
    std::weak_ptr<NSUIAccessibilityElement> element_;
};

// A chart view: a list of its elements.
class ViewInterface : public QAccessibleWidget {
public:
    explicit ViewInterface(NSUIView* view) : QAccessibleWidget(view, QAccessible::List) {}
    NSUIView* view() const { return static_cast<NSUIView*>(widget()); }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? view()->accessibilityLabel() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(view()->accessibilityRows().size()); }
    QAccessibleInterface* child(int index) const override { return view()->accessibleRow(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
};

static_assert(std::is_same_v<QAccessible::Id, unsigned>, "NSUIView keeps accessibility ids");

void releaseInterface(QAccessible::Id id) {
    if (QAccessible::accessibleInterface(id))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* chartViewFactory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<NSUIView*>(object))
        return new ViewInterface(view);
    return nullptr;
}

void installAccessibilityFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(chartViewFactory);
        return true;
    }();
    (void)installed;
}

} // namespace

NSUIView::NSUIView(QWidget* parent) : QWidget(parent) {
    installAccessibilityFactory();
    setAttribute(Qt::WA_AcceptTouchEvents);
}

NSUIView::~NSUIView() {
    for (const auto& [element, id] : rowInterfaceIds_)
        releaseInterface(id);
}

platform::Rect NSUIView::bounds() const {
    return platform::Rect(0, 0, width(), height());
}

void NSUIView::setNeedsDisplayInRect(const platform::Rect& rect) {
    if (rect.isNull() || rect.isEmpty())
        return;
    // Only the part inside the view can be redrawn; clamping also keeps the integer conversion
    // in range for huge or infinite rectangles.
    const double x0 = std::max(0.0, std::floor(rect.minX()));
    const double y0 = std::max(0.0, std::floor(rect.minY()));
    const double x1 = std::min(double(width()), std::ceil(rect.maxX()));
    const double y1 = std::min(double(height()), std::ceil(rect.maxY()));
    if (!(x1 > x0) || !(y1 > y0))
        return;
    update(QRect(int(x0), int(y0), int(x1 - x0), int(y1 - y0)));
}

void NSUIView::setAccessibilityChildren(
    std::vector<std::shared_ptr<NSUIAccessibilityElement>> rows) {
    accessibilityChildren_ = std::move(rows);
}

QAccessibleInterface* NSUIView::accessibleRow(int index) const {
    const auto rows = accessibilityRows();
    if (index < 0 || index >= int(rows.size()))
        return nullptr;
    const std::shared_ptr<NSUIAccessibilityElement>& element = rows[std::size_t(index)];
    auto known = rowInterfaceIds_.find(element.get());
    if (known != rowInterfaceIds_.end()) {
        QAccessibleInterface* iface = QAccessible::accessibleInterface(known->second);
        if (iface && iface->isValid())
            return iface;
        // The element it was made for is gone and a new one took its address.
        releaseInterface(known->second);
        rowInterfaceIds_.erase(known);
    }
    // Renderers replace their elements on every draw: now and then release the interfaces of
    // elements that are no longer rows, so that they do not pile up.
    if (rowInterfaceIds_.size() >= 2 * rows.size() + 16) {
        std::set<const NSUIAccessibilityElement*> current;
        for (const auto& row : rows)
            current.insert(row.get());
        for (auto it = rowInterfaceIds_.begin(); it != rowInterfaceIds_.end();) {
            if (current.count(it->first)) {
                ++it;
                continue;
            }
            releaseInterface(it->second);
            it = rowInterfaceIds_.erase(it);
        }
    }
    auto* iface = new ElementInterface(const_cast<NSUIView*>(this), element);
    rowInterfaceIds_[element.get()] = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

std::optional<QColor> NSUIView::backgroundColor() const {
    if (!autoFillBackground())
        return std::nullopt;
    return palette().color(QPalette::Window);
}

void NSUIView::setBackgroundColor(const std::optional<QColor>& color) {
    if (!color) {
        setAutoFillBackground(false);
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, *color);
    setPalette(p);
    setAutoFillBackground(true);
}

bool NSUIView::nsuiTouchesBegan(const QList<QEventPoint>&, QTouchEvent* event) {
    return QWidget::event(event);
}
bool NSUIView::nsuiTouchesMoved(const QList<QEventPoint>&, QTouchEvent* event) {
    return QWidget::event(event);
}
bool NSUIView::nsuiTouchesEnded(const QList<QEventPoint>&, QTouchEvent* event) {
    return QWidget::event(event);
}
bool NSUIView::nsuiTouchesCancelled(const QList<QEventPoint>&, QTouchEvent* event) {
    return QWidget::event(event);
}

bool NSUIView::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::TouchBegin: {
        auto* t = static_cast<QTouchEvent*>(e);
        return nsuiTouchesBegan(t->points(), t);
    }
    case QEvent::TouchUpdate: {
        auto* t = static_cast<QTouchEvent*>(e);
        return nsuiTouchesMoved(t->points(), t);
    }
    case QEvent::TouchEnd: {
        auto* t = static_cast<QTouchEvent*>(e);
        return nsuiTouchesEnded(t->points(), t);
    }
    case QEvent::TouchCancel: {
        auto* t = static_cast<QTouchEvent*>(e);
        return nsuiTouchesCancelled(t->points(), t);
    }
    default:
        return QWidget::event(e);
    }
}

} // namespace charting
