#include "Charting/data/Highlight.h"
#include "Charting/data/Range.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace charting;

TEST(Highlight, InitialisersAndEquality) {
    auto full = Highlight::create(1, 2, 10, 20, 3, 4, 5, AxisDependency::right);
    EXPECT_EQ(full->dataIndex(), 3);
    EXPECT_EQ(full->dataSetIndex(), 4);
    EXPECT_EQ(full->stackIndex(), 5);
    EXPECT_TRUE(full->isStacked());
    EXPECT_EQ(full->drawX(), 0);

    EXPECT_EQ(Highlight::create(1, 2, 10, 20, 4, 5, AxisDependency::left)->dataIndex(), 0);
    auto shortForm = Highlight::create(1, 2, 10, 20, 4, AxisDependency::left);
    EXPECT_EQ(shortForm->dataIndex(), -1);
    EXPECT_EQ(shortForm->stackIndex(), -1);
    EXPECT_FALSE(shortForm->isStacked());

    auto values = Highlight::create(1, 2, 3, 7);
    EXPECT_TRUE(std::isnan(values->xPx()));
    EXPECT_TRUE(std::isnan(values->yPx()));
    EXPECT_EQ(values->dataSetIndex(), 3);
    EXPECT_EQ(values->dataIndex(), 7);
    EXPECT_EQ(values->axis(), AxisDependency::left);

    auto stacked = Highlight::create(1, 0, 2);
    EXPECT_TRUE(std::isnan(stacked->y()));
    EXPECT_TRUE(stacked->isStacked());
    EXPECT_FALSE(stacked->isEqual(Highlight::create(1, 0, 2).get())); // NaN y
    EXPECT_TRUE(stacked->isEqual(stacked.get()));

    auto plain = Highlight::create();
    EXPECT_TRUE(std::isnan(plain->x()));
    EXPECT_EQ(plain->dataSetIndex(), 0);

    // Pixel position, axis and draw position take no part in equality.
    auto a = Highlight::create(1, 2, 10, 20, 0, 4, -1, AxisDependency::left);
    auto b = Highlight::create(1, 2, 99, 99, 0, 4, -1, AxisDependency::right);
    b->setDraw(platform::Point{5, 6});
    EXPECT_TRUE(a->isEqual(b.get()));
    EXPECT_EQ(b->drawX(), 5);
    EXPECT_EQ(b->drawY(), 6);
    b->setDataIndex(1);
    EXPECT_FALSE(a->isEqual(b.get()));
    EXPECT_FALSE(a->isEqual(nullptr));

    EXPECT_EQ(a->description(), "Highlight, x: 1.0, y: 2.0, dataIndex (combined charts): 0, "
                                "dataSetIndex: 4, stackIndex (only stacked barentry): -1");
    EXPECT_EQ(Highlight::create(0.1, 1, 2)->description(),
              "Highlight, x: 0.1, y: nan, dataIndex (combined charts): -1, dataSetIndex: 1, "
              "stackIndex (only stacked barentry): 2");
}

TEST(Range, OpenBelowClosedAbove) {
    auto r = Range::create(1, 3);
    EXPECT_FALSE(r->contains(1));
    EXPECT_TRUE(r->contains(2));
    EXPECT_TRUE(r->contains(3));
    EXPECT_FALSE(r->contains(3.5));
    EXPECT_TRUE(r->isSmaller(0.5));
    EXPECT_FALSE(r->isSmaller(1));
    EXPECT_TRUE(r->isLarger(3.5));
    EXPECT_FALSE(r->isLarger(3));
}
