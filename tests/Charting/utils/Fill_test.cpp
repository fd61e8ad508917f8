#include "Charting/utils/Fill.h"

#include "Charting/utils/QPainterGraphicsContext.h"
#include "support/RecordingGraphicsContext.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace charting;
using platform::Point;
using platform::Rect;

namespace {
const Rect kRect(10, 20, 200, 100); // centre (110, 70)

Gradient redToBlue() {
    return Gradient{{QColor(Qt::red), QColor(Qt::blue)}, {0, 1}};
}

std::vector<std::string> opsOf(const RecordingGraphicsContext& g) {
    std::vector<std::string> ops;
    for (const auto& c : g.calls())
        ops.push_back(c.op);
    return ops;
}
} // namespace

TEST(Fill, EachFillPaintsTheCurrentPathInsideOneSavedState) {
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::green);
    struct Row {
        const char* name;
        std::shared_ptr<Fill> fill;
        std::vector<std::string> ops;
        std::string paintOp;
        std::vector<double> paintArgs;
    };
    const Row rows[] = {
        {"empty", std::make_shared<EmptyFill>(), {}, "", {}},
        {"colour", std::make_shared<ColorFill>(QColor(Qt::red)),
         {"saveGState", "setFillColor", "fillPath", "restoreGState"}, "fillPath", {0}},
        {"image", std::make_shared<ImageFill>(image, false),
         {"saveGState", "clip", "drawImage", "restoreGState"}, "drawImage", {10, 20, 200, 100}},
        {"tiled image", std::make_shared<ImageFill>(image, true),
         {"saveGState", "clip", "drawTiledImage", "restoreGState"}, "drawTiledImage",
         {10, 20, 200, 100}},
        {"layer", std::make_shared<LayerFill>(image),
         {"saveGState", "clip", "drawImage", "restoreGState"}, "drawImage", {10, 20, 200, 100}},
        // Angle 0: across the full width at the vertical centre.
        {"linear 0", std::make_shared<LinearGradientFill>(redToBlue(), 0),
         {"saveGState", "clip", "drawLinearGradient", "restoreGState"}, "drawLinearGradient",
         {10, 70, 210, 70, 3}},
        // Angle 90: from the bottom edge to the top edge at the horizontal centre.
        {"linear 90", std::make_shared<LinearGradientFill>(redToBlue(), 90),
         {"saveGState", "clip", "drawLinearGradient", "restoreGState"}, "drawLinearGradient",
         {110, 120, 110, 20, 3}},
        // From the centre to half the longer side.
        {"radial", std::make_shared<RadialGradientFill>(redToBlue()),
         {"saveGState", "clip", "drawRadialGradient", "restoreGState"}, "drawRadialGradient",
         {110, 70, 0, 110, 70, 100, 3}},
        {"radial offsets", std::make_shared<RadialGradientFill>(redToBlue(), Point{0.1, -0.5},
                                                                 Point{-0.25, 0.5}, 0.5, 2),
         {"saveGState", "clip", "drawRadialGradient", "restoreGState"}, "drawRadialGradient",
         {130, 20, 50, 60, 120, 200, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RecordingGraphicsContext g;
        g.addRect(Rect(0, 0, 50, 50));
        g.clear();
        r.fill->fillPath(g, kRect);
        EXPECT_EQ(opsOf(g), r.ops);
        EXPECT_EQ(g.savedStateCount(), 0);
        if (r.paintOp.empty())
            continue;
        const auto paint = g.callsNamed(r.paintOp).at(0);
        ASSERT_EQ(paint.args.size(), r.paintArgs.size());
        for (std::size_t i = 0; i < r.paintArgs.size(); ++i)
            EXPECT_NEAR(paint.args[i], r.paintArgs[i], 1e-9) << i;
        EXPECT_TRUE(g.isPathEmpty()); // the fill consumed the path
    }
}

TEST(Fill, ColourFillUsesItsColourAndLeavesTheContextAsItWas) {
    RecordingGraphicsContext g;
    g.setFillColor(Qt::blue);
    g.addRect(Rect(0, 0, 5, 5));
    ColorFill(QColor(Qt::red)).fillPath(g, kRect);
    EXPECT_EQ(g.callsNamed("fillPath").at(0).state.fillColor, QColor(Qt::red));
    EXPECT_EQ(g.state().fillColor, QColor(Qt::blue));
}

TEST(Fill, GradientsOnPixels) {
    QImage image(220, 140, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        QPainterGraphicsContext g(p);
        g.addRect(Rect(10, 20, 200, 100));
        LinearGradientFill(redToBlue(), 0).fillPath(g, kRect);
    }
    // Red at the left edge, blue at the right edge, half-way between at the centre.
    EXPECT_GT(qRed(image.pixel(11, 70)), 245);
    EXPECT_LT(qBlue(image.pixel(11, 70)), 10);
    EXPECT_GT(qBlue(image.pixel(208, 70)), 245);
    EXPECT_NEAR(qRed(image.pixel(110, 70)), 128, 6);
    EXPECT_EQ(qAlpha(image.pixel(5, 70)), 0); // outside the path

    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        QPainterGraphicsContext g(p);
        g.addRect(Rect(10, 20, 200, 100));
        RadialGradientFill(redToBlue()).fillPath(g, kRect);
    }
    // Red at the centre, blue from 100 points out (extended past the end circle).
    EXPECT_GT(qRed(image.pixel(110, 70)), 240);
    EXPECT_NEAR(qBlue(image.pixel(160, 70)), 128, 8);
    EXPECT_GT(qBlue(image.pixel(11, 21)), 245);
}
