#include "Charting/utils/ViewPortChart.h"
#include "Charting/utils/ViewPortHandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using charting::ViewPortChart;
using charting::ViewPortHandler;
using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {

class CountingView : public ViewPortChart {
public:
    Rect bounds() const override { return Rect(0, 0, 120, 80); }
    void setNeedsDisplayInRect(const Rect& rect) override {
        ++redraws;
        last = rect;
    }
    int redraws = 0;
    Rect last;
};

void expectMatrix(const AffineTransform& m, double a, double d, double tx, double ty) {
    EXPECT_DOUBLE_EQ(m.a, a);
    EXPECT_DOUBLE_EQ(m.d, d);
    EXPECT_DOUBLE_EQ(m.tx, tx);
    EXPECT_DOUBLE_EQ(m.ty, ty);
}

} // namespace

TEST(ViewPortHandler, ContentRectangleFollowsSizeAndOffsets) {
    auto empty = ViewPortHandler::create(0, 0);
    EXPECT_FALSE(empty->hasChartDimens());
    EXPECT_EQ(empty->contentRect(), Rect(0, 0, 0, 0));

    auto h = ViewPortHandler::create(300, 200);
    EXPECT_TRUE(h->hasChartDimens());
    EXPECT_EQ(h->contentRect(), Rect(0, 0, 300, 200));

    h->restrainViewPort(10, 20, 30, 40);
    EXPECT_EQ(h->contentRect(), Rect(10, 20, 260, 140));
    EXPECT_EQ(h->offsetRight(), 30);
    EXPECT_EQ(h->offsetBottom(), 40);
    EXPECT_EQ(h->contentRight(), 270);
    EXPECT_EQ(h->contentBottom(), 160);
    EXPECT_EQ(h->contentCenter(), (Point{140, 90}));

    h->setChartDimens(400, 300); // the offsets survive a resize
    EXPECT_EQ(h->contentRect(), Rect(10, 20, 360, 240));
    EXPECT_EQ(h->offsetLeft(), 10);
    EXPECT_EQ(h->offsetTop(), 20);
    EXPECT_EQ(h->offsetRight(), 30);
    EXPECT_EQ(h->offsetBottom(), 40);
}

TEST(ViewPortHandler, ZoomMatricesKeepTheirCentreAndChangeNothing) {
    auto h = ViewPortHandler::create(300, 200);
    AffineTransform in = h->zoomIn(50, 80);
    expectMatrix(in, 1.4, 1.4, -0.4 * 50, -0.4 * 80);
    Point p = in.apply(Point{50, 80});
    EXPECT_NEAR(p.x, 50, 1e-12);
    EXPECT_NEAR(p.y, 80, 1e-12);
    EXPECT_TRUE(h->touchMatrix().isIdentity()); // returned, not stored

    AffineTransform out = h->zoomOut(50, 80);
    EXPECT_DOUBLE_EQ(out.a, 0.7);
    AffineTransform applied = h->refresh(out, nullptr, true);
    expectMatrix(applied, 1, 1, 0, 0); // raised back to the lower limit

    EXPECT_EQ(h->resetZoom(), h->touchMatrix());

    h->setTouchMatrix(AffineTransform{3, 0, 0, 2, -7, 9});
    expectMatrix(h->setZoom(5, 6), 5, 6, -7, 9);
    // setZoom about a point starts from scale 1 and keeps the translation.
    AffineTransform z = h->setZoom(2, 2, 10, 10);
    expectMatrix(z, 2, 2, -7 - 10, 9 - 10);
}

TEST(ViewPortHandler, RefreshClampsTranslationWithinTheZoomedContent) {
    struct Case {
        double dragOffsetX, tx, expectedTx;
    };
    const Case cases[] = {
        {0, -1000, -100}, {0, 50, 0}, {0, -40, -40}, {20, -1000, -120}, {20, 50, 20}, {20, 10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tx);
        auto h = ViewPortHandler::create(100, 100);
        h->setDragOffsetX(c.dragOffsetX);
        AffineTransform m = h->refresh(AffineTransform{2, 0, 0, 1, c.tx, 0}, nullptr, false);
        EXPECT_DOUBLE_EQ(m.tx, c.expectedTx);
        EXPECT_DOUBLE_EQ(h->transX(), c.expectedTx);
        EXPECT_DOUBLE_EQ(h->touchMatrix().tx, c.expectedTx);
    }
    // Vertically the content may move down by (s - 1) x height, never up past the top.
    auto h = ViewPortHandler::create(100, 50);
    EXPECT_DOUBLE_EQ(h->refresh(AffineTransform{1, 0, 0, 3, 0, 500}, nullptr, false).ty, 100);
    EXPECT_DOUBLE_EQ(h->refresh(AffineTransform{1, 0, 0, 3, 0, -5}, nullptr, false).ty, 0);
    // A scale or translation that is not a number never reaches the touch matrix.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    AffineTransform m = h->refresh(AffineTransform{nan, 0, 0, nan, nan, nan}, nullptr, false);
    EXPECT_FALSE(std::isnan(m.a) || std::isnan(m.d) || std::isnan(m.tx) || std::isnan(m.ty));
}

TEST(ViewPortHandler, RefreshRedrawsTheWholeViewAndCentreMovesAPointToTheContentCorner) {
    CountingView view;
    auto h = ViewPortHandler::create(120, 80);
    h->restrainViewPort(20, 10, 0, 0);
    h->setTouchMatrix(h->refresh(AffineTransform::makeScale(4, 4), &view, false));
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(view.last, Rect(0, 0, 120, 80));

    // A point drawn at (50, 30) moves to the content's top-left corner (20, 10).
    AffineTransform expected =
        h->touchMatrix().concatenating(AffineTransform::makeTranslation(-(50 - 20), -(30 - 10)));
    EXPECT_EQ(h->translate(Point{50, 30}), expected);
    h->centerViewPort(Point{50, 30}, &view);
    EXPECT_EQ(view.redraws, 2);
    EXPECT_DOUBLE_EQ(h->transX(), -30);
    EXPECT_DOUBLE_EQ(h->transY(), 0); // clamped: the content cannot move up past its top
}

TEST(ViewPortHandler, ScaleLimits) {
    auto h = ViewPortHandler::create(100, 100);
    h->setMinimumScaleX(0.5);
    EXPECT_EQ(h->minScaleX(), 1);
    h->setMaximumScaleX(3);
    h->refresh(AffineTransform::makeScale(10, 10), nullptr, false);
    EXPECT_EQ(h->scaleX(), 3);
    EXPECT_FALSE(h->canZoomInMoreX());
    EXPECT_TRUE(h->canZoomInMoreY());
    h->setMaximumScaleX(0); // removes the limit
    EXPECT_EQ(h->maxScaleX(), std::numeric_limits<double>::max());

    h->setMinMaxScaleY(4, 5); // clamps the touch matrix at once
    EXPECT_EQ(h->touchMatrix().d, 5);
    EXPECT_FALSE(h->isFullyZoomedOutY());
    EXPECT_TRUE(h->fitScreen().isIdentity());
    EXPECT_EQ(h->minScaleX(), 1);
    EXPECT_EQ(h->minScaleY(), 1);
    EXPECT_EQ(h->touchMatrix().d, 5); // fitScreen alone changes nothing visible
}

TEST(ViewPortHandler, BoundsTests) {
    auto h = ViewPortHandler::create(200, 200);
    h->restrainViewPort(10, 20, 100, 30); // content x 10...100, y 20...170
    struct Case {
        const char* test;
        double v;
        bool expected;
    };
    const Case cases[] = {
        {"left", 9, true},         {"left", 8.99, false},     {"right", 101.009, true},
        {"right", 101.01, false},  {"top", 19.99, false},     {"top", 20, true},
        {"bottom", 170.009, true}, {"bottom", 170.01, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.test) + " " + std::to_string(c.v));
        std::string t = c.test;
        bool r = t == "left"    ? h->isInBoundsLeft(c.v)
                 : t == "right" ? h->isInBoundsRight(c.v)
                 : t == "top"   ? h->isInBoundsTop(c.v)
                                : h->isInBoundsBottom(c.v);
        EXPECT_EQ(r, c.expected);
    }
    EXPECT_TRUE(h->isInBounds(Point{50, 50}));
    EXPECT_FALSE(h->isInBounds(50, 10));
}

TEST(ViewPortHandler, LineIntersection) {
    auto h = ViewPortHandler::create(200, 200);
    h->restrainViewPort(10, 20, 100, 30); // content x 10...100, y 20...170
    EXPECT_FALSE(h->isIntersectingLine(Point{-50, 5}, Point{300, 5}));  // horizontal, above
    EXPECT_TRUE(h->isIntersectingLine(Point{-50, 60}, Point{300, 60})); // horizontal, through
    EXPECT_TRUE(h->isIntersectingLine(Point{50, -10}, Point{50, 300})); // vertical, through
    EXPECT_FALSE(h->isIntersectingLine(Point{150, -10}, Point{150, 300}));
    EXPECT_TRUE(h->isIntersectingLine(Point{0, 0}, Point{1, 1}));        // the infinite line
    EXPECT_TRUE(h->isIntersectingLine(Point{50, 60}, Point{500, 500}));  // start inside
    EXPECT_FALSE(h->isIntersectingLine(Point{0, 300}, Point{300, 180})); // passes below
}

TEST(ViewPortHandler, ClampWhenLimitsCross) {
    // A negative drag offset makes the translation limits cross: horizontally the upper limit
    // wins, vertically the lower one.
    auto h = ViewPortHandler::create(100, 100);
    h->setDragOffsetX(-20);
    h->setDragOffsetY(-20);
    for (double t : {-50.0, 0.0, 50.0}) {
        SCOPED_TRACE(t);
        AffineTransform m = h->refresh(AffineTransform{1, 0, 0, 1, t, t}, nullptr, false);
        EXPECT_EQ(m.tx, -20);
        EXPECT_EQ(m.ty, 20);
    }
    // A smallest scale above the largest: raised to the smallest, then lowered to the largest.
    h->setMinMaxScaleX(5, 2);
    EXPECT_EQ(h->refresh(AffineTransform::makeScale(10, 1), nullptr, false).a, 2);
    EXPECT_EQ(h->refresh(AffineTransform::makeScale(1, 1), nullptr, false).a, 2);
    // b and c pass through the clamp untouched.
    AffineTransform skew = h->refresh(AffineTransform{2, 0.3, -0.4, 1, 0, 0}, nullptr, false);
    EXPECT_EQ(skew.b, 0.3);
    EXPECT_EQ(skew.c, -0.4);
}

TEST(ViewPortHandler, ScaleLimitsThatAreNotNumbers) {
    // A visible range of 0 over an axis range of 0 gives 0 / 0: the limit is taken as none.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto h = ViewPortHandler::create(100, 100);
    h->refresh(AffineTransform{2, 0, 0, 2, -30, 30}, nullptr, false);
    h->setMinimumScaleX(nan);
    h->setMinMaxScaleY(nan, nan);
    EXPECT_EQ(h->minScaleX(), 1);
    EXPECT_EQ(h->minScaleY(), 1);
    EXPECT_EQ(h->maxScaleY(), std::numeric_limits<double>::max());
    expectMatrix(h->touchMatrix(), 2, 2, -30, 30);
    EXPECT_TRUE(h->canZoomInMoreY());
    h->setMaximumScaleX(nan);
    EXPECT_EQ(h->maxScaleX(), std::numeric_limits<double>::max());
    expectMatrix(h->refresh(AffineTransform::makeScale(3, 3), nullptr, false), 3, 3, 0, 0);
}

TEST(ViewPortHandler, ZoomAndDragStates) {
    auto h = ViewPortHandler::create(100, 100);
    EXPECT_TRUE(h->isFullyZoomedOut());
    EXPECT_FALSE(h->canZoomOutMoreX());
    EXPECT_TRUE(h->canZoomInMoreX());
    EXPECT_TRUE(h->hasNoDragOffset());

    h->refresh(AffineTransform::makeScale(2, 1), nullptr, false);
    EXPECT_FALSE(h->isFullyZoomedOutX());
    EXPECT_TRUE(h->isFullyZoomedOutY());
    EXPECT_FALSE(h->isFullyZoomedOut());
    EXPECT_TRUE(h->canZoomOutMoreX());
    EXPECT_FALSE(h->canZoomOutMoreY());

    // At a smallest scale above 1 the view is never fully zoomed out, even at that scale.
    h->setMinimumScaleY(3);
    EXPECT_EQ(h->scaleY(), 3);
    EXPECT_FALSE(h->canZoomOutMoreY());
    EXPECT_FALSE(h->isFullyZoomedOutY());

    h->setDragOffsetY(5);
    EXPECT_FALSE(h->hasNoDragOffset());
    h->setDragOffsetY(-5);
    EXPECT_TRUE(h->hasNoDragOffset());
    EXPECT_EQ(h->transOffsetY(), -5);
}
