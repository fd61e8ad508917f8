#include "Charting/components/Description.h"
#include "Charting/components/MarkerImage.h"
#include "Charting/components/MarkerView.h"
#include "Charting/utils/ChartDefaults.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;

TEST(Description, Defaults) {
    auto description = Description::create();
    EXPECT_FALSE(description->text());
    EXPECT_FALSE(description->position());
    EXPECT_EQ(description->textAlign(), TextAlignment::right);
    EXPECT_EQ(description->font().pointSizeF(), standardSystemFontSize());
    EXPECT_EQ(description->textColor(), labelTextColor());
    EXPECT_TRUE(description->isEnabled());
    EXPECT_EQ(description->xOffset(), 5);
    EXPECT_EQ(description->yOffset(), 5);
}

TEST(MarkerImage, OffsetsAreClampedToTheChart) {
    NSUIView chart;
    chart.resize(100, 100);
    auto marker = MarkerImage::create();
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::red);
    marker->setImage(image);
    marker->setChartView(&chart);

    struct Case {
        Point offset, point, expected;
    };
    for (const Case& c : {Case{{-10, 0}, {5, 5}, {-5, 0}},      // left edge
                          Case{{0, 0}, {95, 50}, {-15, 0}},     // right edge
                          Case{{0, -20}, {50, 10}, {0, -10}},   // top edge
                          Case{{0, 0}, {50, 95}, {0, -5}},      // bottom edge
                          Case{{-4, -4}, {50, 50}, {-4, -4}}}) { // inside
        marker->setOffset(c.offset);
        EXPECT_EQ(marker->offsetForDrawing(c.point), c.expected);
    }
    // An explicit size counts instead of the image's.
    marker->setSize({40, 0});
    marker->setOffset({0, 0});
    EXPECT_EQ(marker->offsetForDrawing({95, 50}), (Point{-35, 0}));

    // Without a chart view only the left and top edges clamp.
    marker->setChartView(nullptr);
    marker->setOffset({-10, 0});
    EXPECT_EQ(marker->offsetForDrawing({5, 5}), (Point{-5, 0}));
    marker->setOffset({0, 0});
    EXPECT_EQ(marker->offsetForDrawing({95, 95}), (Point{0, 0}));
}

TEST(MarkerImage, DrawsTheImageAtTheClampedOffsetAndNothingWithoutOne) {
    NSUIView chart;
    chart.resize(100, 100);
    auto marker = MarkerImage::create();
    marker->setChartView(&chart);
    RecordingGraphicsContext context;
    marker->draw(context, {5, 5});
    EXPECT_TRUE(context.paintCalls().empty());

    QImage image(20, 10, QImage::Format_ARGB32);
    marker->setImage(image);
    marker->setOffset({-10, 0});
    marker->draw(context, {5, 5});
    const auto images = context.callsNamed("drawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].args, (std::vector<double>{0, 5, 20, 10}));
}

TEST(MarkerView, ClampsToItsChartOnlyWhenItHasOne) {
    MarkerView marker;
    marker.resize(30, 20);
    marker.setOffset({-40, -40});
    EXPECT_EQ(marker.offsetForDrawing({10, 10}), (Point{-40, -40}));

    NSUIView chart;
    chart.resize(100, 100);
    marker.setChartView(&chart);
    EXPECT_EQ(marker.offsetForDrawing({10, 10}), (Point{-10, -10}));
    marker.setOffset({0, 0});
    EXPECT_EQ(marker.offsetForDrawing({90, 90}), (Point{-20, -10}));

    RecordingGraphicsContext context;
    marker.draw(context, {90, 90});
    const auto images = context.callsNamed("drawImage");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].args, (std::vector<double>{0, 0, 30, 20}));
    EXPECT_EQ(context.callsNamed("translateBy")[0].args, (std::vector<double>{70, 80}));
}

TEST(MarkerView, LayoutsMakeMarkerViewsOrNothing) {
    EXPECT_EQ(MarkerView::viewFromLayout("NoSuchMarker"), nullptr);
    MarkerView::registerLayout("PlainWidget", [] { return new QWidget(); });
    EXPECT_EQ(MarkerView::viewFromLayout("PlainWidget"), nullptr);
    MarkerView::registerLayout("MarkerView", [] {
        auto view = new MarkerView();
        view->resize(12, 8);
        return view;
    });
    auto view = MarkerView::viewFromLayout();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->bounds().size, (platform::Size{12, 8}));
}
