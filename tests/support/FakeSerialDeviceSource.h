#pragma once

#include "TTYSerialPort/TTYSerialDeviceSource.h"

#include <QString>

#include <optional>
#include <vector>

namespace testsupport {

// A device source that the test drives: it lists the devices it was given and reports the
// arrivals and removals the test asks for.
//
//     auto source = std::make_unique<FakeSerialDeviceSource>(devices);
//     auto* fake = source.get();
//     auto manager = TTYSerialPortManager::create(std::move(source));
//     fake->arrive({FakeSerialDeviceSource::device(pty.devicePath(), "SLAB_ttyUSB0")});
class FakeSerialDeviceSource : public TTYSerialDeviceSource {
public:
    explicit FakeSerialDeviceSource(std::vector<TTYSerialDevice> present = {})
        : present_(std::move(present)) {}

    // A source that cannot list devices at all.
    static std::unique_ptr<FakeSerialDeviceSource> failing();

    // A device record for `path` (a pseudo-terminal, say), named `name` or by its file name.
    static TTYSerialDevice device(const QString& path, const QString& name = QString());

    std::optional<std::vector<TTYSerialDevice>> start(DevicesHandler published,
                                                      DevicesHandler terminated) override;

    void arrive(const std::vector<TTYSerialDevice>& devices);
    void remove(const std::vector<TTYSerialDevice>& devices);

    int starts() const { return starts_; }

private:
    std::vector<TTYSerialDevice> present_;
    bool fails_ = false;
    int starts_ = 0;
    DevicesHandler published_;
    DevicesHandler terminated_;
};

} // namespace testsupport
