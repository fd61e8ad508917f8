#pragma once

#include "TTYSerialPort/TTYSerialDevice.h"

#include <functional>
#include <optional>
#include <vector>

// Where the port manager learns which serial devices the computer has, and of their arrival
// and removal.
class TTYSerialDeviceSource {
public:
    using DevicesHandler = std::function<void(const std::vector<TTYSerialDevice>&)>;

    virtual ~TTYSerialDeviceSource() = default;

    // Starts following the devices: from now on `published` hears each batch of arriving
    // devices and `terminated` each batch of removed ones, on the main thread. Returns the
    // devices present now, or nothing when the source cannot list devices at all.
    virtual std::optional<std::vector<TTYSerialDevice>> start(DevicesHandler published,
                                                              DevicesHandler terminated) = 0;
};
