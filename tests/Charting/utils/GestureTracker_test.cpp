#include "Charting/utils/GestureTracker.h"
#include "support/PointerInput.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace charting;
using State = GestureRecognizerState;

namespace {

struct Seen {
    std::string name;
    State state;
    platform::Point location;
    platform::Point translation;
    platform::Point velocity;
    double magnification;
    double rotation;
};

// A widget with a tracker and one recogniser of each kind that log what they see.
struct Tracked {
    QWidget widget;
    GestureTracker* tracker = new GestureTracker(&widget);
    testsupport::PointerInput input{widget};
    std::vector<Seen> seen;
    std::shared_ptr<GestureRecognizer> click = make("click", GestureKind::click);
    std::shared_ptr<GestureRecognizer> doubleClick = make("double", GestureKind::click);
    std::shared_ptr<GestureRecognizer> pan = make("pan", GestureKind::pan);
    std::shared_ptr<GestureRecognizer> pinch = make("pinch", GestureKind::magnification);
    std::shared_ptr<GestureRecognizer> rotation = make("rotation", GestureKind::rotation);

    Tracked() {
        widget.resize(300, 200);
        doubleClick->setNumberOfClicksRequired(2);
        for (const auto& r : {click, doubleClick, pan, pinch, rotation})
            tracker->addGestureRecognizer(r);
    }
    std::shared_ptr<GestureRecognizer> make(std::string name, GestureKind kind) {
        return GestureRecognizer::create(kind, [this, name](GestureRecognizer& r) {
            seen.push_back({name, r.state(), r.location(), r.translation(), r.velocity(),
                            r.magnification(), r.rotation()});
        });
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& s : seen)
            out.push_back(s.name + ":" + std::to_string(int(s.state)));
        return out;
    }
    bool native(Qt::NativeGestureType type, double value) {
        return input.nativeGesture(type, value, QPointF(50, 60));
    }
    bool wheel(Qt::KeyboardModifiers modifiers, int angle) {
        return input.wheel(QPointF(40, 40), angle, modifiers);
    }
};

} // namespace

TEST(GestureTracker, ClicksCountUpToADoubleClickAndADragIsNoClick) {
    Tracked t;
    t.input.click(QPoint(30, 40));
    ASSERT_EQ(t.names(), (std::vector<std::string>{"click:3"}));
    EXPECT_EQ(t.seen[0].location, (platform::Point{30, 40}));
    EXPECT_EQ(t.click->state(), State::possible);

    // Press, release, press, double click, release: one click, then the double click; the
    // next click starts counting again.
    t.seen.clear();
    t.input.doubleClick(QPoint(30, 40));
    t.input.click(QPoint(31, 41), 10);
    EXPECT_EQ(t.names(), (std::vector<std::string>{"click:3", "double:3", "click:3"}));

    // The platform's double click standing in for the second press counts as well.
    t.seen.clear();
    t.input.click(QPoint(30, 40));
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(30, 40),
                       t.widget.mapToGlobal(QPointF(30, 40)), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QCoreApplication::sendEvent(&t.widget, &second);
    t.input.release(QPoint(30, 40));
    EXPECT_EQ(t.names(), (std::vector<std::string>{"click:3", "double:3"}));

    // Far apart in time or place: two single clicks.
    t.seen.clear();
    t.input.click(QPoint(30, 40));
    t.input.click(QPoint(30, 40), 2000);
    t.input.click(QPoint(130, 40), 10);
    EXPECT_EQ(t.names(), (std::vector<std::string>{"click:3", "click:3", "click:3"}));

    t.seen.clear();
    t.input.drag({{100, 100}, {110, 100}});
    EXPECT_EQ(t.names(), (std::vector<std::string>{"pan:1", "pan:3"}));
}

TEST(GestureTracker, APanStartsPastTheThresholdAndMeasuresTheLastTenthOfASecond) {
    Tracked t;
    t.input.press(QPoint(100, 100), 1000);
    t.input.move(QPoint(102, 102), 10); // within 3 points: nothing yet
    EXPECT_TRUE(t.seen.empty());
    t.input.move(QPoint(104, 100), 10);
    ASSERT_EQ(t.names(), (std::vector<std::string>{"pan:1"}));
    EXPECT_EQ(t.seen[0].translation, (platform::Point{4, 0}));
    EXPECT_EQ(t.seen[0].location, (platform::Point{104, 100}));
    // Slow for a long while, then 30 points in the last 90 ms.
    for (int x = 105; x <= 120; ++x)
        t.input.move(QPoint(x, 100), 50);
    for (int x = 130; x <= 150; x += 10)
        t.input.move(QPoint(x, 100), 20);
    t.input.release(QPoint(150, 100), 30);
    const Seen& end = t.seen.back();
    EXPECT_EQ(end.state, State::ended);
    EXPECT_EQ(end.translation, (platform::Point{50, 0}));
    // Samples from -90 ms (x 120) to the release (x 150).
    EXPECT_NEAR(end.velocity.x, 30 / 0.09, 1e-6);
    EXPECT_EQ(end.velocity.y, 0);

    // A pause before the release leaves no speed.
    t.seen.clear();
    t.input.press(QPoint(100, 100), 1000);
    t.input.move(QPoint(140, 100), 10);
    t.input.release(QPoint(140, 100), 300);
    EXPECT_EQ(t.seen.back().velocity, (platform::Point{0, 0}));
}

TEST(GestureTracker, PinchAndRotationFromTheTouchpadAndCtrlWheel) {
    Tracked t;
    EXPECT_FALSE(t.native(Qt::BeginNativeGesture, 0));
    EXPECT_TRUE(t.native(Qt::ZoomNativeGesture, 0.2));
    EXPECT_TRUE(t.native(Qt::ZoomNativeGesture, 0.1));
    EXPECT_TRUE(t.native(Qt::EndNativeGesture, 0));
    EXPECT_TRUE(t.native(Qt::RotateNativeGesture, 90));
    EXPECT_TRUE(t.native(Qt::EndNativeGesture, 0));
    ASSERT_EQ(t.names(), (std::vector<std::string>{"pinch:1", "pinch:2", "pinch:2", "pinch:3",
                                                   "rotation:1", "rotation:2", "rotation:3"}));
    EXPECT_NEAR(t.seen[2].magnification, 0.3, 1e-12); // the increments add up until reset
    EXPECT_NEAR(t.seen[5].rotation, std::numbers::pi / 2, 1e-12);
    EXPECT_EQ(t.seen[1].location, (platform::Point{50, 60}));

    t.seen.clear();
    EXPECT_FALSE(t.wheel(Qt::NoModifier, 120)); // plain wheels pass on to the parents
    EXPECT_TRUE(t.seen.empty());
    EXPECT_TRUE(t.wheel(Qt::ControlModifier, -120));
    ASSERT_EQ(t.names(), (std::vector<std::string>{"pinch:1", "pinch:2", "pinch:3"}));
    EXPECT_NEAR(t.seen[1].magnification, 1 / GestureTracker::kWheelStepScale - 1, 1e-12);
}

TEST(GestureTracker, DisabledOrOverlappingGesturesAndLostInputCancel) {
    Tracked t;
    t.pan->setEnabled(false);
    t.input.press(QPoint(100, 100), 1000);
    t.input.move(QPoint(140, 100), 10);
    t.input.release(QPoint(140, 100), 10);
    EXPECT_TRUE(t.seen.empty());

    // Disabling a running pan cancels it; so does a press that shows the release was missed.
    t.pan->setEnabled(true);
    t.input.press(QPoint(100, 100), 1000);
    t.input.move(QPoint(140, 100), 10);
    t.pan->setEnabled(false);
    EXPECT_EQ(t.names(), (std::vector<std::string>{"pan:1", "pan:4"}));
    t.input.release(QPoint(140, 100), 10);
    t.pan->setEnabled(true);
    t.seen.clear();
    t.input.press(QPoint(100, 100), 1000);
    t.input.move(QPoint(140, 100), 10);
    t.input.press(QPoint(150, 100));
    EXPECT_EQ(t.names(), (std::vector<std::string>{"pan:1", "pan:4"}));
    t.input.release(QPoint(150, 100), 10);

    // A pinch during a pan runs only when a delegate allows it.
    struct Allow : GestureRecognizerDelegate {
        bool allow = false;
        bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
            GestureRecognizer&, GestureRecognizer&) override {
            return allow;
        }
    } delegate;
    t.pinch->setDelegate(&delegate);
    for (bool allow : {false, true}) {
        delegate.allow = allow;
        t.seen.clear();
        t.input.press(QPoint(100, 100), 1000);
        t.input.move(QPoint(140, 100), 10);
        t.native(Qt::ZoomNativeGesture, 0.2);
        t.native(Qt::EndNativeGesture, 0);
        t.input.release(QPoint(140, 100), 10);
        if (allow)
            EXPECT_EQ(t.names(), (std::vector<std::string>{"pan:1", "pinch:1", "pinch:2",
                                                           "pinch:3", "pan:3"}));
        else
            EXPECT_EQ(t.names(), (std::vector<std::string>{"pan:1", "pan:3"}));
    }
}
