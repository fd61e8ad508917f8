#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/data/ScatterChartDataSet.h"
#include "Charting/renderers/ShapeRenderers.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace charting;
using Shape = ScatterChartDataSet::Shape;

namespace {
std::shared_ptr<ScatterChartDataSet> scatterSet(double shapeSize) {
    auto set = ScatterChartDataSet::create({ChartDataEntry::create(1, 2)}, QStringLiteral("s"));
    set->setScatterShapeSize(shapeSize);
    return set;
}
} // namespace

TEST(ScatterChartDataSet, DefaultsAreASquareOfTenWithoutHole) {
    auto set = ScatterChartDataSet::create(
        {ChartDataEntry::create(0, 3), ChartDataEntry::create(2, -1)}, QStringLiteral("Points"));
    EXPECT_EQ(set->scatterShapeSize(), 10.0);
    EXPECT_EQ(set->scatterShapeHoleRadius(), 0.0);
    EXPECT_FALSE(set->scatterShapeHoleColor().has_value());
    ASSERT_TRUE(set->shapeRenderer());
    EXPECT_EQ(typeid(*set->shapeRenderer()), typeid(SquareShapeRenderer));
    EXPECT_TRUE(set->isHorizontalHighlightIndicatorEnabled());
    EXPECT_TRUE(set->isVerticalHighlightIndicatorEnabled());
    EXPECT_EQ(set->highlightColor(), QColor(255, 187, 115));
    EXPECT_EQ(set->yMin(), -1);
    EXPECT_EQ(set->yMax(), 3);
    EXPECT_EQ(set->xMax(), 2);

    auto empty = ScatterChartDataSet::create();
    EXPECT_EQ(empty->entryCount(), 0);
    EXPECT_EQ(typeid(*empty->shapeRenderer()), typeid(SquareShapeRenderer));
    // Two data sets never share their first renderer.
    EXPECT_NE(empty->shapeRenderer(), set->shapeRenderer());
}

TEST(ScatterChartDataSet, EachShapeGetsAFreshRendererOfItsKind) {
    const std::vector<std::pair<int, const std::type_info*>> cases = {
        {0, &typeid(SquareShapeRenderer)},    {1, &typeid(CircleShapeRenderer)},
        {2, &typeid(TriangleShapeRenderer)},  {3, &typeid(CrossShapeRenderer)},
        {4, &typeid(XShapeRenderer)},         {5, &typeid(ChevronUpShapeRenderer)},
        {6, &typeid(ChevronDownShapeRenderer)}};
    auto set = ScatterChartDataSet::create();
    for (const auto& [raw, type] : cases) {
        const auto shape = ScatterChartDataSet::shapeFromRawValue(raw);
        ASSERT_TRUE(shape) << raw;
        const auto before = set->shapeRenderer();
        set->setScatterShape(*shape);
        EXPECT_EQ(typeid(*set->shapeRenderer()), *type) << raw;
        EXPECT_NE(set->shapeRenderer(), before) << raw;
        EXPECT_EQ(typeid(*ScatterChartDataSet::rendererForShape(*shape)), *type) << raw;
    }
    EXPECT_FALSE(ScatterChartDataSet::shapeFromRawValue(7));
    EXPECT_FALSE(ScatterChartDataSet::shapeFromRawValue(-1));
}

TEST(ScatterChartDataSetDeathTest, AValueThatIsNoShapeStopsTheProgram) {
    auto set = ScatterChartDataSet::create();
    EXPECT_DEATH(set->setScatterShape(Shape(7)), "unexpected enumeration value 7");
    EXPECT_DEATH(ScatterChartDataSet::rendererForShape(Shape(-1)), "unexpected enumeration value");
}

TEST(ScatterChartDataSet, CopySharesRendererAndHoleButNotSize) {
    auto source = scatterSet(12);
    source->setScatterShape(Shape::triangle);
    source->setScatterShapeHoleRadius(3);
    source->setScatterShapeHoleColor(QColor(1, 2, 3));
    source->setDrawHorizontalHighlightIndicatorEnabled(false);
    source->setHighlightLineWidth(2);
    auto copy = std::dynamic_pointer_cast<ScatterChartDataSet>(source->copy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->shapeRenderer(), source->shapeRenderer());
    EXPECT_EQ(copy->scatterShapeHoleColor(), QColor(1, 2, 3));
    EXPECT_EQ(copy->scatterShapeHoleRadius(), 3);
    EXPECT_EQ(copy->scatterShapeSize(), 12);
    EXPECT_FALSE(copy->isHorizontalHighlightIndicatorEnabled());
    EXPECT_TRUE(copy->isVerticalHighlightIndicatorEnabled());
    EXPECT_EQ(copy->highlightLineWidth(), 2);
    EXPECT_EQ(copy->entryCount(), 1);
    copy->setScatterShapeSize(4);
    EXPECT_EQ(source->scatterShapeSize(), 12);
}

TEST(ScatterChartData, GreatestShapeSizeNeedsEveryDataSetToBeScatter) {
    EXPECT_EQ(ScatterChartData::create({scatterSet(8), scatterSet(12), scatterSet(12)})
                  ->getGreatestShapeSize(),
              12);
    EXPECT_EQ(ScatterChartData::create({scatterSet(3), scatterSet(2)})->getGreatestShapeSize(), 3);
    auto line = LineChartDataSet::create({ChartDataEntry::create(0, 0)}, QStringLiteral("l"));
    EXPECT_EQ(ScatterChartData::create({scatterSet(8), line, scatterSet(12)})
                  ->getGreatestShapeSize(),
              0);
    EXPECT_EQ(ScatterChartData::create()->getGreatestShapeSize(), 0);
}
