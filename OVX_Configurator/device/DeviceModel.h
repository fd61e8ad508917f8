#pragma once

#include <QList>
#include <QStringList>

#include <cstdint>

// The main view's child pages, in the order they are added: the index of showPage.
enum PageIndex : int {
    WelcomePage = 0,
    FirmwareUpdatePage = 1,
    OVXAPage = 2,
    OVXBPage = 3,
    OVXCPage = 4,
    OVXDPage = 5,
};

// One unit model as the identification knows it: what its "r" reply names, the least firmware
// it accepts, the length of its parameter block, the page that configures it and how its status
// bar looks.
struct DeviceModel {
    std::uint8_t deviceID;
    const char* name;           // display name (deviceDesc)
    std::uint8_t minFirmware;   // least firmware version accepted (the raw byte)
    std::int64_t dataLength;    // length of the parameter block
    std::int64_t dataLength16;  // length with data version 16 (the OVXC's older block)
    PageIndex page;             // the main view's child page of the model
    QStringList letters;        // texts of channel indicators 1-7; none: no indicator shown
    QList<int> leftAligned;     // indicators (1-based) aligned to the left
    // Whether the unit has a reboot command and an accelerometer calibration (the page's
    // calibration tab); a unit without them runs its own level and hover calibrations and
    // factory restore from its page.
    bool hasAccelCalibration;

    // Length of the parameter block a unit of this model with `dataVersion` keeps.
    std::int64_t blockLength(std::uint8_t dataVersion) const {
        return dataVersion == 16 ? dataLength16 : dataLength;
    }
};

// The models the program serves; nullptr for any other device identifier.
const DeviceModel* deviceModelFor(std::uint8_t deviceID);
