#include "platform/Geometry.h"

#include <gtest/gtest.h>

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

TEST(AffineTransform, ConcatenationAppliesTheReceiverFirst) {
    auto scale = AffineTransform::makeScale(2, 3);
    auto move = AffineTransform::makeTranslation(10, 20);
    EXPECT_EQ(scale.concatenating(move).apply(Point{1, 1}), (Point{12, 23}));
    EXPECT_EQ(move.concatenating(scale).apply(Point{1, 1}), (Point{22, 63}));
}

TEST(AffineTransform, TranslateAndScaleApplyBeforeTheExistingTransform) {
    auto t = AffineTransform::makeScale(2, 2);
    EXPECT_EQ(t.translatedBy(5, 0).apply(Point{0, 0}), (Point{10, 0}));
    auto m = AffineTransform::makeTranslation(5, 0);
    EXPECT_EQ(m.scaledBy(3, 1).apply(Point{1, 0}), (Point{8, 0}));
}

TEST(AffineTransform, InverseRoundTripsAndASingularTransformStaysUnchanged) {
    AffineTransform t{2, 0.5, -1, 3, 7, -4};
    Point p{3.25, -8.5};
    Point back = t.inverted().apply(t.apply(p));
    EXPECT_NEAR(back.x, p.x, 1e-12);
    EXPECT_NEAR(back.y, p.y, 1e-12);

    AffineTransform singular{1, 2, 2, 4, 5, 6};
    EXPECT_EQ(singular.inverted(), singular);
    EXPECT_EQ(AffineTransform::makeScale(0, 1).inverted(), AffineTransform::makeScale(0, 1));
}

TEST(AffineTransform, TransformedRectangleIsTheBoundingBoxOfItsCorners) {
    auto rot = AffineTransform::makeRotation(M_PI / 2); // (x, y) -> (-y, x)
    Rect r = rot.apply(Rect(1, 2, 3, 4));
    EXPECT_NEAR(r.origin.x, -6, 1e-12);
    EXPECT_NEAR(r.origin.y, 1, 1e-12);
    EXPECT_NEAR(r.size.width, 4, 1e-12);
    EXPECT_NEAR(r.size.height, 3, 1e-12);
    // A flip gives a positive size too.
    EXPECT_EQ(AffineTransform::makeScale(1, -1).apply(Rect(0, 0, 10, 5)), Rect(0, -5, 10, 5));
}

TEST(Rect, EdgesOfANegativeSizeAndContainment) {
    Rect r(10, 10, -4, -6);
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxY(), 10);
    EXPECT_TRUE(r.contains(Point{6, 4}));
    EXPECT_FALSE(r.contains(Point{10, 5}));
    EXPECT_EQ(Rect(0, 0, 10, 10).insetBy(2, 3), Rect(2, 3, 6, 4));
}
