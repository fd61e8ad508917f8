#include "Charting/utils/QPainterGraphicsContext.h"
#include "support/RecordingGraphicsContext.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace charting;
using platform::Point;

TEST(GraphicsContextDevicePixels, TransformScaleTimesTheSurfacePixelRatio) {
    RecordingGraphicsContext r;
    EXPECT_EQ(r.devicePixelsPerPoint(), 1);
    r.scaleBy(3, 3);
    EXPECT_EQ(r.devicePixelsPerPoint(), 3);

    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    QPainter p(&image);
    p.scale(1.5, 1.5);
    QPainterGraphicsContext g(p);
    EXPECT_DOUBLE_EQ(g.devicePixelsPerPoint(), 3);
    g.scaleBy(2, 0.5); // area scale 1
    EXPECT_DOUBLE_EQ(g.devicePixelsPerPoint(), 3);
}

TEST(GraphicsContextDevicePixels, ThinDashedLinesKeepTheirInkAndPattern) {
    // A dashed line of half a pixel: one whole pixel without antialiasing, half the ink with it,
    // as a solid line of that width; each dash 6 points long.
    for (bool antialias : {false, true}) {
        QImage image(60, 10, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            QPainterGraphicsContext g(p);
            g.setShouldAntialias(antialias);
            g.setLineWidth(0.5);
            g.setLineDash(0, {6, 6});
            g.strokeLineSegments({Point{0, 5.5}, Point{60, 5.5}});
        }
        int ink = 0;
        for (int y = 0; y < 10; ++y)
            ink = std::max(ink, qAlpha(image.pixel(3, y)));
        EXPECT_NEAR(ink, antialias ? 128 : 255, 2) << antialias;
        for (int y = 0; y < 10; ++y)
            EXPECT_EQ(qAlpha(image.pixel(9, y)), 0);
        EXPECT_GT(qAlpha(image.pixel(15, 5)), 0);
    }
}
