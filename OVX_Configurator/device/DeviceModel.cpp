#include "OVX_Configurator/device/DeviceModel.h"

const DeviceModel* deviceModelFor(std::uint8_t deviceID) {
    static const DeviceModel models[] = {
        {166, "OVXA", 18, 71, 71, OVXAPage, {}, {}, false},
        {168, "OVXB", 32, 91, 91, OVXBPage, {"A", "E", "R", "A2", "E2", "G", "M"}, {4, 5}, true},
        {169, "OVX Delta", 16, 71, 71, OVXDPage, {"A", "E", "R", "A2", "M", "G", "T"}, {4}, true},
        {170, "OVXC", 16, 96, 93, OVXCPage, {"A", "E", "R", "A2", "E2", "M", "G"}, {4, 5}, true},
    };
    for (const DeviceModel& model : models)
        if (model.deviceID == deviceID)
            return &model;
    return nullptr;
}
