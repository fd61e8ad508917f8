#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/NSUIView.h"

#include <QAccessible>
#include <gtest/gtest.h>

using namespace charting;
using platform::Rect;

TEST(NSUIView, FlippedListWithALabelAndOptionalBackground) {
    NSUIView view;
    view.resize(200, 100);
    EXPECT_TRUE(view.isFlipped());
    EXPECT_EQ(view.bounds(), Rect(0, 0, 200, 100));
    EXPECT_EQ(view.role(), AccessibilityRole::list);
    EXPECT_EQ(view.accessibilityLabel(), "Chart View");
    EXPECT_TRUE(view.accessibilityRows().empty());

    EXPECT_FALSE(view.backgroundColor());
    view.setBackgroundColor(QColor(10, 20, 30));
    EXPECT_EQ(view.backgroundColor(), QColor(10, 20, 30));
    view.setBackgroundColor(std::nullopt);
    EXPECT_FALSE(view.backgroundColor());

    // Huge or infinite rectangles are clamped to the view, never converted out of range.
    view.setNeedsDisplayInRect(Rect(-1e300, -1e300, 2e300, INFINITY));
    view.setNeedsDisplayInRect(Rect(500, 500, 10, 10));
}

TEST(NSUIAccessibilityElement, RowsOfTheViewWithLabelsAndScreenFrames) {
    NSUIView view;
    view.move(30, 40);
    view.resize(200, 100);
    auto header = NSUIAccessibilityElement::create(&view);
    auto entry = NSUIAccessibilityElement::create(&view);
    EXPECT_EQ(entry->accessibilityParent(), &view);
    EXPECT_EQ(entry->role(), AccessibilityRole::row);
    EXPECT_FALSE(entry->isHeader());
    EXPECT_FALSE(entry->isSelected());
    EXPECT_EQ(entry->elementLabel(), "");
    header->setIsHeader(true);
    header->setElementLabel("Gyro X");
    entry->setElementLabel("12.5");
    entry->setElementFrame(Rect(10, 20, 6, 8));
    const QPoint origin = view.mapToGlobal(QPoint(10, 20));
    EXPECT_EQ(entry->elementFrame(), Rect(origin.x(), origin.y(), 6, 8));
    view.setAccessibilityChildren({header, entry});

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::List);
    EXPECT_EQ(iface->text(QAccessible::Name), "Chart View");
    ASSERT_EQ(iface->childCount(), 2);
    EXPECT_EQ(iface->child(1)->text(QAccessible::Name), "12.5");
    EXPECT_EQ(iface->child(1)->role(), QAccessible::Row);
    EXPECT_EQ(iface->child(1), iface->child(1));
    EXPECT_EQ(iface->indexOfChild(iface->child(1)), 1);
    accessibilityPostLayoutChangedNotification(entry.get());
    accessibilityPostLayoutChangedNotification(nullptr);
}

TEST(NSUIAccessibilityElement, AFrameSetAfterTheContainerWentIsIgnored) {
    auto view = std::make_unique<NSUIView>();
    auto element = NSUIAccessibilityElement::create(view.get());
    element->setElementFrame(Rect(0, 0, 5, 5));
    const Rect before = element->elementFrame();
    view.reset();
    EXPECT_EQ(element->containerView(), nullptr);
    element->setElementFrame(Rect(50, 50, 7, 7));
    EXPECT_EQ(element->elementFrame(), before);
}

TEST(NSUIAccessibilityElement, InterfacesOfReplacedRowsAreReleasedAndGoWithTheView) {
    auto view = std::make_unique<NSUIView>();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view.get());
    ASSERT_NE(iface, nullptr);
    view->setAccessibilityChildren({NSUIAccessibilityElement::create(view.get())});
    const QAccessible::Id first = QAccessible::uniqueId(iface->child(0));
    EXPECT_EQ(QAccessible::uniqueId(iface->child(0)), first); // one interface per element
    EXPECT_EQ(iface->child(1), nullptr);

    // A renderer replaces its elements on every draw, and assistive technology asks each time.
    std::vector<QAccessible::Id> ids{first};
    for (int draw = 0; draw < 40; ++draw) {
        view->setAccessibilityChildren({NSUIAccessibilityElement::create(view.get()),
                                        NSUIAccessibilityElement::create(view.get())});
        ids.push_back(QAccessible::uniqueId(iface->child(0)));
        ids.push_back(QAccessible::uniqueId(iface->child(1)));
        EXPECT_EQ(iface->child(1)->role(), QAccessible::Row);
    }
    EXPECT_EQ(QAccessible::accessibleInterface(first), nullptr); // released
    int alive = 0;
    for (QAccessible::Id id : ids)
        alive += QAccessible::accessibleInterface(id) != nullptr;
    EXPECT_LE(alive, 2 * 2 + 16);
    EXPECT_GE(alive, 2); // the current rows

    view.reset();
    for (QAccessible::Id id : ids)
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}
