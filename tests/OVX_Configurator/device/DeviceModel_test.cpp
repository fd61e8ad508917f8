// The table of models the identification reads.

#include "OVX_Configurator/device/DeviceModel.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceModel, EachServedModelHasItsPageFirmwareMinimumAndBlockLength) {
    struct Case {
        int deviceID;
        int dataVersion;
        const char* name;
        int minFirmware;
        std::int64_t blockLength;
        PageIndex page;
        bool accel;
    };
    const Case cases[] = {
        {166, 16, "OVXA", 18, 71, OVXAPage, false},
        {166, 17, "OVXA", 18, 71, OVXAPage, false},
        {168, 16, "OVXB", 32, 91, OVXBPage, true},
        {169, 16, "OVX Delta", 16, 71, OVXDPage, true},
        {170, 16, "OVXC", 16, 93, OVXCPage, true}, // the older block of data version 16
        {170, 17, "OVXC", 16, 96, OVXCPage, true},
        {170, 15, "OVXC", 16, 96, OVXCPage, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deviceID << " data version " << c.dataVersion);
        const DeviceModel* model = deviceModelFor(std::uint8_t(c.deviceID));
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->deviceID, c.deviceID);
        EXPECT_STREQ(model->name, c.name);
        EXPECT_EQ(model->minFirmware, c.minFirmware);
        EXPECT_EQ(model->blockLength(std::uint8_t(c.dataVersion)), c.blockLength);
        EXPECT_EQ(model->page, c.page);
        EXPECT_EQ(model->hasAccelCalibration, c.accel);
        EXPECT_EQ(model->letters.isEmpty(), c.deviceID == 166);
    }
}

TEST(DeviceModel, OtherIdentifiersAreNoModel) {
    for (int id : {0, 165, 167, 171, 255})
        EXPECT_EQ(deviceModelFor(std::uint8_t(id)), nullptr) << id;
}

TEST(DeviceModel, PageIndicesAreTheOrderOfTheMainViewsChildren) {
    EXPECT_EQ(WelcomePage, 0);
    EXPECT_EQ(FirmwareUpdatePage, 1);
    EXPECT_EQ(OVXAPage, 2);
    EXPECT_EQ(OVXBPage, 3);
    EXPECT_EQ(OVXCPage, 4);
    EXPECT_EQ(OVXDPage, 5);
}

} // namespace
