#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace charting;
using platform::AffineTransform;
using platform::Point;
using platform::Rect;
using platform::Size;

namespace {

TextAttributes font10() {
    TextAttributes a;
    a.font.setPointSizeF(10); // fake measurer: 5 per character, 12.5 per line
    return a;
}

class CountingMeasurer : public FakeTextMeasurer {
public:
    platform::Size size(const QString& text, const TextAttributes& a) const override {
        ++count;
        return FakeTextMeasurer::size(text, a);
    }
    mutable int count = 0;
};

void expectPoint(Point p, Point expected) {
    EXPECT_NEAR(p.x, expected.x, 1e-9);
    EXPECT_NEAR(p.y, expected.y, 1e-9);
}

} // namespace

TEST(RecordingGraphicsContext, DefaultsAreButtCapsMiterJoinsSolidLinesAndNonzeroFill) {
    RecordingGraphicsContext g;
    g.moveTo(Point{0, 0});
    g.addLineTo(Point{10, 0});
    g.strokePath();
    g.addRect(Rect(0, 0, 5, 5));
    g.fillPath();
    auto stroke = g.callsNamed("strokePath").at(0);
    EXPECT_EQ(stroke.state.lineCap, LineCap::butt);
    EXPECT_EQ(stroke.state.lineJoin, LineJoin::miter);
    EXPECT_EQ(stroke.state.lineWidth, 1);
    EXPECT_TRUE(stroke.state.lineDashLengths.empty());
    EXPECT_TRUE(stroke.state.shouldAntialias);
    EXPECT_EQ(g.callsNamed("fillPath").at(0).args, std::vector<double>{0}); // 0: winding
    EXPECT_TRUE(g.isPathEmpty()); // painting consumes the path
}

TEST(RecordingGraphicsContext, DashLengthsAndPhaseStayInPoints) {
    RecordingGraphicsContext g;
    g.setLineWidth(4);
    g.setLineDash(3, {4, 2});
    g.strokeLineSegments({Point{0, 0}, Point{10, 0}, Point{0, 5}, Point{10, 5}});
    auto call = g.callsNamed("strokeLineSegments").at(0);
    EXPECT_EQ(call.state.lineDashLengths, (std::vector<double>{4, 2}));
    EXPECT_EQ(call.state.lineDashPhase, 3);
    EXPECT_EQ(call.state.lineWidth, 4);
    ASSERT_EQ(call.path.elements().size(), 4u); // two separate segments
    g.setLineDash(0, {});
    EXPECT_TRUE(g.state().lineDashLengths.empty());
}

TEST(RecordingGraphicsContext, ClipsIntersectAndRestoreWithTheState) {
    RecordingGraphicsContext g;
    g.saveGState();
    g.clipToRect(Rect(0, 0, 60, 60));
    g.clipToRect(Rect(40, 40, 60, 60));
    g.fillRect(Rect(0, 0, 100, 100));
    auto fill = g.callsNamed("fillRect").at(0);
    ASSERT_EQ(fill.state.clips.size(), 2u); // both apply
    EXPECT_EQ(fill.state.clips[0].path.boundingBox(), Rect(0, 0, 60, 60));
    EXPECT_EQ(fill.state.clips[1].path.boundingBox(), Rect(40, 40, 60, 60));
    g.restoreGState();
    EXPECT_TRUE(g.state().clips.empty());
    g.restoreGState(); // unbalanced restore does nothing
    EXPECT_EQ(g.savedStateCount(), 0);
}

TEST(RecordingGraphicsContext, PathPointsTakeTheTransformInEffectAndSurviveRestore) {
    RecordingGraphicsContext g;
    g.saveGState();
    g.translateBy(10, 20);
    g.scaleBy(2, 2);
    g.moveTo(Point{1, 1});
    g.restoreGState();
    g.addLineTo(Point{1, 1});
    g.strokePath();
    const auto stroke = g.callsNamed("strokePath").at(0);
    const auto& el = stroke.path.elements();
    ASSERT_EQ(el.size(), 2u);
    expectPoint(el[0].points[0], Point{12, 22});
    expectPoint(el[1].points[0], Point{1, 1});
}

TEST(ChartUtilsText, UnrotatedTextIsPlacedByItsAnchorAndAnchorZeroNeverMeasures) {
    CountingMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    RecordingGraphicsContext g;
    drawTextAnchored(g, "abcd", Point{100, 50}, font10(), Point{0, 0}, 0);
    EXPECT_EQ(measurer.count, 0);
    drawTextAnchored(g, "abcd", Point{100, 50}, font10(), Point{0.5, 0.5}, 0);
    drawTextAnchored(g, "abcd", Point{100, 50}, font10(), Point{1, 1}, 0);
    auto texts = g.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].args, (std::vector<double>{100, 50}));
    EXPECT_EQ(texts[1].args, (std::vector<double>{90, 43.75}));
    EXPECT_EQ(texts[2].args, (std::vector<double>{80, 37.5}));
    EXPECT_EQ(texts[0].text, "abcd");
    EXPECT_EQ(g.savedStateCount(), 0);
}

TEST(ChartUtilsText, RotatedTextCentredOnItsAnchorStaysCentredWhateverTheAngle) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    for (double angle : {0.3, M_PI / 2, -2.0}) {
        RecordingGraphicsContext g;
        drawTextAnchored(g, "abcd", Point{100, 50}, font10(), Point{0.5, 0.5}, angle);
        auto text = g.callsNamed("drawText").at(0);
        // The box (-10, -6.25, 20, 12.5) in the rotated space has its centre on the point.
        const Point centre = text.state.ctm.apply(Point{text.args[0] + 10, text.args[1] + 6.25});
        expectPoint(centre, Point{100, 50});
        EXPECT_DOUBLE_EQ(std::atan2(text.state.ctm.b, text.state.ctm.a), angle);
        EXPECT_TRUE(g.state().ctm.isIdentity()); // restored afterwards
    }
    // Rotated by a quarter turn with anchor (0, 0): the point moves by the rotated box.
    RecordingGraphicsContext g;
    drawTextAnchored(g, "abcd", Point{100, 50}, font10(), Point{0, 0}, M_PI / 2);
    auto text = g.callsNamed("drawText").at(0);
    expectPoint(text.state.ctm.apply(Point{0, 0}), Point{100 + 12.5 / 2, 50 + 20.0 / 2});
}

TEST(ChartUtilsText, AlignmentAndMultilineBoxes) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    RecordingGraphicsContext g;
    drawTextAligned(g, "12345678", Point{100, 10}, TextAlignment::center, font10(), Point{0, 0},
                    0); // 40 wide
    drawTextAligned(g, "12345678", Point{100, 10}, TextAlignment::right, font10(), Point{0, 0}, 0);
    auto texts = g.callsNamed("drawText");
    EXPECT_EQ(texts[0].args[0], 80);
    EXPECT_EQ(texts[1].args[0], 60);

    drawMultilineText(g, "a b c", Point{50, 50}, font10(), Size{30, 40}, Point{0.5, 1}, 0);
    EXPECT_EQ(g.callsNamed("drawTextInRect").at(0).args, (std::vector<double>{35, 10, 30, 40}));
}

TEST(ChartUtilsImage, OwnSizeDrawsDirectlyOtherSizesUseOneResizedCopy) {
    QImage image(8, 6, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    RecordingGraphicsContext g;
    drawImageCentred(g, image, Point{50, 50}, Size{8, 6});
    EXPECT_EQ(g.callsNamed("drawImage").at(0).args, (std::vector<double>{46, 47, 8, 6}));
    EXPECT_FALSE(hasResizedImageCopy(image, Size{16, 12}));
    drawImageCentred(g, image, Point{50, 50}, Size{16, 12});
    EXPECT_TRUE(hasResizedImageCopy(image, Size{16, 12}));
    drawImageCentred(g, image, Point{0, 0}, Size{16, 12});
    auto draws = g.callsNamed("drawImage");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[1].args, (std::vector<double>{42, 44, 16, 12}));
    EXPECT_EQ(draws[2].args, (std::vector<double>{-8, -6, 16, 12}));
}

// ---- the QPainter side, checked on pixels ----

namespace {
struct Canvas {
    QImage image{120, 120, QImage::Format_ARGB32_Premultiplied};
    Canvas() { image.fill(Qt::transparent); }
    bool inked(int x, int y) const { return qAlpha(image.pixel(x, y)) > 128; }
    template <class F> void draw(F&& f) {
        QPainter p(&image);
        {
            QPainterGraphicsContext g(p);
            f(g);
        }
    }
};
} // namespace

TEST(QPainterGraphicsContext, LinesHaveButtCapsUnlessSet) {
    for (bool square : {false, true}) {
        Canvas c;
        c.draw([&](GraphicsContext& g) {
            g.setLineWidth(10);
            if (square)
                g.setLineCap(LineCap::square);
            g.moveTo(Point{20, 20});
            g.addLineTo(Point{40, 20});
            g.strokePath();
        });
        EXPECT_TRUE(c.inked(22, 20));
        EXPECT_EQ(c.inked(17, 20), square);
        EXPECT_EQ(c.inked(43, 20), square);
    }
}

TEST(QPainterGraphicsContext, DashLengthsAndPhaseAreInPointsWhateverTheWidthAndScale) {
    // Thin lines matter most: grid lines are half a point wide, and a dashed QPen measures lines
    // of at most one device pixel in pixels, not in pen widths.
    for (double scale : {1.0, 2.0}) {
        for (double width : {0.5, 1.0, 4.0}) {
            SCOPED_TRACE(testing::Message() << "width " << width << " scale " << scale);
            QImage image(int(120 * scale), int(40 * scale), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            image.setDevicePixelRatio(scale);
            {
                QPainter p(&image);
                QPainterGraphicsContext g(p);
                g.setLineWidth(width);
                g.setShouldAntialias(false);
                g.setLineDash(0, {10, 10});
                g.strokeLineSegments({Point{0, 10.25}, Point{100, 10.25}});
                g.setLineDash(5, {10, 10});
                g.strokeLineSegments({Point{0, 30.25}, Point{100, 30.25}});
            }
            // Inked at the point (x, y), in points.
            auto inked = [&](double x, double y) {
                return qAlpha(image.pixel(int(x * scale), int(y * scale))) > 128;
            };
            for (double x : {5.0, 25.0, 45.0, 85.0})
                EXPECT_TRUE(inked(x, 10)) << x;
            // Butt caps: each dash ends where its length does, even when wide.
            for (double x : {11.5, 15.0, 18.5, 35.0, 55.0, 95.0})
                EXPECT_FALSE(inked(x, 10)) << x;
            // With phase 5 the pattern starts half-way into its first dash.
            EXPECT_TRUE(inked(2, 30));
            EXPECT_FALSE(inked(10, 30));
            EXPECT_TRUE(inked(20, 30));
            EXPECT_FALSE(inked(30, 30));
        }
    }
}

TEST(QPainterGraphicsContext, ClipsIntersectAndRestoreWithTheState) {
    Canvas c;
    c.draw([&](GraphicsContext& g) {
        g.saveGState();
        g.clipToRect(Rect(0, 0, 60, 60));
        g.clipToRect(Rect(40, 40, 60, 60));
        g.setFillColor(Qt::blue);
        g.fillRect(Rect(0, 0, 120, 120));
        g.restoreGState();
        g.fillRect(Rect(100, 0, 20, 20)); // no clip after restore
    });
    EXPECT_TRUE(c.inked(50, 50));
    EXPECT_FALSE(c.inked(20, 20));
    EXPECT_FALSE(c.inked(80, 80));
    EXPECT_TRUE(c.inked(110, 10));
}

TEST(QPainterGraphicsContext, NonzeroFillAndTextPlacedByTheTopOfItsBox) {
    Canvas c;
    c.draw([&](GraphicsContext& g) {
        // Two overlapping squares of the same direction: nonzero fills the overlap.
        g.addRect(Rect(10, 10, 40, 40));
        g.addRect(Rect(30, 30, 40, 40));
        g.fillPath();
        TextAttributes a;
        a.font.setPixelSize(20);
        g.drawText("HHHH", Point{10, 90}, a);
    });
    EXPECT_TRUE(c.inked(40, 40));
    int top = 120, bottom = 0;
    for (int y = 75; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (c.inked(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(top, 90);     // nothing above the given point
    EXPECT_LE(top, 90 + 8); // the glyphs start near the top of the box
    EXPECT_LE(bottom, 90 + 25);
}

TEST(QPainterGraphicsContext, EvenOddOnRequestAndTheTransformMapsAsRecorded) {
    Canvas c;
    RecordingGraphicsContext recorded;
    auto draw = [](GraphicsContext& g) {
        g.addRect(Rect(10, 10, 40, 40));
        g.addRect(Rect(30, 30, 40, 40));
        g.fillPath(FillRule::evenOdd);
        // A quarter turn in y-down space turns x into y: the bar runs downwards from (100, 10).
        g.saveGState();
        g.translateBy(100, 10);
        g.rotateBy(M_PI / 2);
        g.fillRect(Rect(0, 0, 20, 4));
        g.restoreGState();
        // A transform without inverse paints nothing (and does not fall back to the identity).
        g.scaleBy(0, 1);
        g.fillRect(Rect(0, 100, 120, 20));
    };
    c.draw(draw);
    draw(recorded);
    EXPECT_TRUE(c.inked(20, 20));
    EXPECT_FALSE(c.inked(40, 40)); // the overlap is outside with even-odd
    EXPECT_TRUE(c.inked(60, 60));
    const Rect bar = recorded.callsNamed("fillRect").at(0).path.boundingBox();
    EXPECT_NEAR(bar.minX(), 96, 1e-9);
    EXPECT_NEAR(bar.minY(), 10, 1e-9);
    EXPECT_NEAR(bar.maxY(), 30, 1e-9);
    EXPECT_TRUE(c.inked(98, 20));
    EXPECT_FALSE(c.inked(98, 5));
    EXPECT_FALSE(c.inked(102, 20));
    for (int x = 0; x < 120; x += 10)
        EXPECT_FALSE(c.inked(x, 110));
}

TEST(QPainterGraphicsContext, ImagesFillTheirRectangleAndTilesRepeatWhateverThePixelRatio) {
    for (double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        // 10 x 10 points: red above, blue below.
        QImage image(int(10 * ratio), int(10 * ratio), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::blue);
        {
            QPainter p(&image);
            p.fillRect(0, 0, image.width(), image.height() / 2, Qt::red);
        }
        image.setDevicePixelRatio(ratio);
        Canvas c;
        c.draw([&](GraphicsContext& g) {
            g.saveGState();
            g.clipToRect(Rect(0, 0, 40, 120));
            g.drawTiledImage(image, Rect(0, 0, 20, 20)); // each tile twice the image's size
            g.restoreGState();
            g.drawImage(image, Rect(60, 60, 10, 10));
        });
        auto colour = [&](int x, int y) { return c.image.pixelColor(x, y); };
        for (int y0 : {0, 20, 100})
            for (int x : {5, 35})
                for (int dy : {2, 7, 12, 17})
                    EXPECT_EQ(colour(x, y0 + dy), QColor(dy < 10 ? Qt::red : Qt::blue))
                        << x << "," << y0 + dy;
        EXPECT_EQ(colour(45, 5).alpha(), 0); // tiles stay inside the clip
        EXPECT_EQ(colour(65, 62), QColor(Qt::red));
        EXPECT_EQ(colour(65, 67), QColor(Qt::blue));
    }
}

TEST(QPainterGraphicsContext, HandsThePainterBackAsItCame) {
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.translate(3, 4);
    {
        QPainterGraphicsContext g(p);
        g.saveGState();
        g.saveGState();
        g.translateBy(100, 100);
        g.clipToRect(Rect(0, 0, 1, 1));
    }
    EXPECT_EQ(p.worldTransform(), QTransform::fromTranslate(3, 4));
    EXPECT_FALSE(p.hasClipping());
}

TEST(RecordingGraphicsContext, PathBoundsAreInTheCurrentUserSpaceAndStrokedPathsAreOutlines) {
    RecordingGraphicsContext g;
    EXPECT_TRUE(g.boundingBoxOfPath().isNull());
    g.translateBy(100, 0);
    g.addRect(Rect(0, 0, 10, 20));
    EXPECT_EQ(g.boundingBoxOfPath(), Rect(0, 0, 10, 20));
    EXPECT_EQ(g.devicePath().boundingBox(), Rect(100, 0, 10, 20));
    g.beginPath();
    g.setLineWidth(4);
    g.moveTo(Point{0, 10});
    g.addLineTo(Point{50, 10});
    g.replacePathWithStrokedPath();
    const Rect outline = g.boundingBoxOfPath();
    EXPECT_NEAR(outline.minX(), 0, 1e-6); // butt caps: no overhang
    EXPECT_NEAR(outline.maxX(), 50, 1e-6);
    EXPECT_NEAR(outline.minY(), 8, 1e-6);
    EXPECT_NEAR(outline.maxY(), 12, 1e-6);
}
