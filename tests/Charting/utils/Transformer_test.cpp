#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <gtest/gtest.h>

using charting::Transformer;
using charting::ViewPortHandler;
using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {

// Content 200 x 100 at offsets left 10, top 5, bottom 15 on a chart 120 high; x 0...20, y -1...1.
struct Example {
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(230, 120);
    std::shared_ptr<Transformer> t = Transformer::create(handler);
    explicit Example(bool inverted) {
        handler->restrainViewPort(10, 5, 20, 15);
        t->prepareMatrixValuePx(0, 20, 2, -1);
        t->prepareMatrixOffset(inverted);
    }
};

void expectPoint(Point p, Point expected) {
    EXPECT_NEAR(p.x, expected.x, 1e-9);
    EXPECT_NEAR(p.y, expected.y, 1e-9);
}

} // namespace

TEST(Transformer, WorkedExample) {
    struct Case {
        bool inverted;
        Point value, pixel;
    };
    const Case cases[] = {
        {false, {0, -1}, {10, 105}}, {false, {20, 1}, {210, 5}},  {false, {10, 0}, {110, 55}},
        {true, {0, -1}, {10, 5}},    {true, {20, 1}, {210, 105}}, {true, {10, 0}, {110, 55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inverted << " " << c.value.x << "," << c.value.y);
        Example e(c.inverted);
        expectPoint(e.t->pixelForValues(c.value.x, c.value.y), c.pixel);
        Point p = c.value;
        e.t->valueToPixel(p);
        expectPoint(p, c.pixel);
        expectPoint(e.t->valueForTouchPoint(c.pixel), c.value);
    }
}

TEST(Transformer, ArraysMapInPlaceInOrder) {
    Example e(false);
    std::vector<Point> pts{{0, -1}, {20, 1}, {10, 0}};
    e.t->valuesToPixels(pts);
    ASSERT_EQ(pts.size(), 3u);
    expectPoint(pts[0], {10, 105});
    expectPoint(pts[2], {110, 55});
    e.t->pixelsToValues(pts);
    expectPoint(pts[1], {20, 1});
    std::vector<Point> none;
    e.t->valuesToPixels(none);
    EXPECT_TRUE(none.empty());
}

TEST(Transformer, RoundTripsUnderZoomAndPan) {
    Example e(false);
    e.handler->refresh(AffineTransform{3, 0, 0, 2, -150, 40}, nullptr, false);
    for (double x : {-5.0, 0.0, 3.25, 19.5, 1e6}) {
        for (double y : {-1.0, 0.0, 0.37, 1e-3}) {
            Point back = e.t->valueForTouchPoint(e.t->pixelForValues(x, y));
            EXPECT_NEAR(back.x, x, 1e-9 * std::max(1.0, std::abs(x)));
            EXPECT_NEAR(back.y, y, 1e-9);
        }
    }
}

TEST(Transformer, ZeroRangeGivesZeroScaleAndTheSingularInverseIsTheMatrixItself) {
    Example e(false);
    e.t->prepareMatrixValuePx(0, 0, 2, -1);
    EXPECT_EQ(e.t->matrixValueToPx().a, 0);
    EXPECT_DOUBLE_EQ(e.t->pixelForValues(12345, 0).x, 10); // offsetLeft + tx
    EXPECT_DOUBLE_EQ(e.t->pixelForValues(-3, 0).x, 10);
    EXPECT_EQ(e.t->pixelToValueMatrix(), e.t->valueToPixelMatrix());
}

TEST(Transformer, RectanglesAreUprightAndGrowWithThePhase) {
    Example e(false);
    Rect r(0, 0, 10, 1); // x 0...10, values 0...1
    e.t->rectToPixel(r);
    EXPECT_EQ(r, Rect(10, 5, 100, 50)); // height positive although y is flipped

    Rect zero(0, 0, 10, 1);
    e.t->rectToPixel(zero, 0.0);
    EXPECT_EQ(zero, Rect(10, 55, 100, 0)); // on the pixel line of value 0

    Rect full(0, 0, 10, 1);
    e.t->rectToPixel(full, 1.0);
    EXPECT_EQ(full, r);

    Rect half(4, -1, 6, 0.5);
    e.t->rectToPixelHorizontal(half, 0.5); // x 2...5
    EXPECT_EQ(half, Rect(30, 80, 30, 25));

    std::vector<Rect> rects{Rect(0, 0, 10, 1), Rect(0, -1, 20, 2)};
    e.t->rectsToPixels(rects);
    EXPECT_EQ(rects[0], r);
    EXPECT_EQ(rects[1], Rect(10, 5, 200, 100));
}

TEST(Transformer, FollowsZoomWithoutRebuildingItsMatrices) {
    Example e(false);
    double before = e.t->pixelForValues(5, 0).x - e.t->pixelForValues(1, 0).x;
    // Zoom by 2 about the content's left edge in the touch matrix's input space (x = 0).
    e.handler->refresh(e.handler->zoom(2, 1, 0, 0), nullptr, false);
    double after = e.t->pixelForValues(5, 0).x - e.t->pixelForValues(1, 0).x;
    EXPECT_DOUBLE_EQ(after, 2 * before);
    EXPECT_DOUBLE_EQ(e.t->pixelForValues(0, 0).x, 10);
}
