#include "Charting/data/ChartDataEntry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace charting;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// An entry kind with a field of its own, copied by its own level of the copy.
class SizedEntry : public ChartDataEntry {
public:
    static std::shared_ptr<SizedEntry> create(double x, double y, double size) {
        std::shared_ptr<SizedEntry> e(new SizedEntry());
        e->setX(x);
        e->setY(y);
        e->size = size;
        return e;
    }
    std::shared_ptr<ChartDataEntry> copy() const override {
        auto c = ChartDataEntry::copy();
        static_cast<SizedEntry&>(*c).size = size;
        return c;
    }
    double size = 0;

protected:
    SizedEntry() = default;
    std::shared_ptr<ChartDataEntry> newInstance() const override {
        return std::shared_ptr<SizedEntry>(new SizedEntry());
    }
};

// A subclass that forgot newInstance(): its copy would be of the wrong class.
class ForgetfulEntry : public ChartDataEntry {
public:
    static std::shared_ptr<ForgetfulEntry> create() {
        return std::shared_ptr<ForgetfulEntry>(new ForgetfulEntry());
    }
};
} // namespace

TEST(ChartDataEntry, ConstructionAndDescription) {
    auto e = ChartDataEntry::create(2, 5);
    EXPECT_EQ(e->x(), 2);
    EXPECT_EQ(e->y(), 5);
    EXPECT_FALSE(e->data().has_value());
    EXPECT_FALSE(e->icon().has_value());
    EXPECT_EQ(e->description(), "ChartDataEntry, x: 2.0, y 5.0");
    EXPECT_EQ(ChartDataEntry::create(0.25, -1e300)->description(),
              "ChartDataEntry, x: 0.25, y -1e+300");

    auto plain = ChartDataEntry::create();
    EXPECT_EQ(plain->x(), 0);
    EXPECT_EQ(plain->y(), 0);

    QImage icon(2, 2, QImage::Format_ARGB32);
    auto base = ChartDataEntryBase::create(3, icon, std::any(QStringLiteral("payload")));
    EXPECT_EQ(base->y(), 3);
    EXPECT_TRUE(base->icon().has_value());
    EXPECT_EQ(std::any_cast<QString>(base->data()), "payload");
    EXPECT_EQ(base->description(), "ChartDataEntryBase, y 3.0");
}

TEST(ChartDataEntry, EqualityIsByXAndYOnly) {
    auto a = ChartDataEntry::create(1, 2, std::any(7));
    auto b = ChartDataEntry::create(1, 2, QImage(1, 1, QImage::Format_ARGB32), std::any(8));
    EXPECT_TRUE(a->isEqual(b.get()));
    EXPECT_FALSE(a->isEqual(ChartDataEntry::create(1, 3).get()));
    EXPECT_FALSE(a->isEqual(ChartDataEntry::create(0, 2).get()));
    EXPECT_FALSE(a->isEqual(nullptr));
    EXPECT_FALSE(a->isEqual(ChartDataEntryBase::create(2).get())); // not an entry with x

    auto nanY = ChartDataEntry::create(1, kNaN);
    auto nanX = ChartDataEntry::create(kNaN, 1);
    EXPECT_TRUE(nanY->isEqual(nanY.get()));
    EXPECT_FALSE(nanY->isEqual(ChartDataEntry::create(1, kNaN).get()));
    EXPECT_TRUE(nanX->isEqual(nanX.get()));
    EXPECT_FALSE(nanX->isEqual(ChartDataEntry::create(kNaN, 1).get()));

    // The base compares y only.
    EXPECT_TRUE(ChartDataEntryBase::create(4)->isEqual(ChartDataEntryBase::create(4).get()));
}

TEST(ChartDataEntry, CopyKeepsClassValuesAndPayloadButNotIcon) {
    auto payload = std::make_shared<int>(42);
    auto e = ChartDataEntry::create(1, 2, QImage(1, 1, QImage::Format_ARGB32), std::any(payload));
    auto c = e->copy();
    EXPECT_NE(c, e);
    EXPECT_TRUE(c->isEqual(e.get()));
    EXPECT_FALSE(c->icon().has_value());
    EXPECT_EQ(std::any_cast<std::shared_ptr<int>>(c->data()), payload); // shared, not duplicated

    auto sized = SizedEntry::create(3, 4, 9);
    auto sizedCopy = std::dynamic_pointer_cast<SizedEntry>(sized->copy());
    ASSERT_TRUE(sizedCopy);
    EXPECT_EQ(sizedCopy->x(), 3);
    EXPECT_EQ(sizedCopy->y(), 4);
    EXPECT_EQ(sizedCopy->size, 9);
}

TEST(ChartDataEntryDeathTest, CopyOfASubclassWithoutItsOwnInstanceStops) {
    auto e = ForgetfulEntry::create();
    EXPECT_DEATH(e->copy(),
                 "copy\\(\\) of ForgetfulEntry needs newInstance\\(\\) of its own class");
}
