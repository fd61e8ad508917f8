#include "support/FakeSerialDeviceSource.h"

#include <QFileInfo>

namespace testsupport {

std::unique_ptr<FakeSerialDeviceSource> FakeSerialDeviceSource::failing() {
    auto source = std::make_unique<FakeSerialDeviceSource>();
    source->fails_ = true;
    return source;
}

TTYSerialDevice FakeSerialDeviceSource::device(const QString& path, const QString& name) {
    TTYSerialDevice d;
    d.calloutPath = path;
    d.dialinPath = path;
    d.name = name.isEmpty() ? QFileInfo(path).fileName() : name;
    return d;
}

std::optional<std::vector<TTYSerialDevice>>
FakeSerialDeviceSource::start(DevicesHandler published, DevicesHandler terminated) {
    ++starts_;
    if (fails_)
        return std::nullopt;
    published_ = std::move(published);
    terminated_ = std::move(terminated);
    return present_;
}

void FakeSerialDeviceSource::arrive(const std::vector<TTYSerialDevice>& devices) {
    if (published_)
        published_(devices);
}

void FakeSerialDeviceSource::remove(const std::vector<TTYSerialDevice>& devices) {
    if (terminated_)
        terminated_(devices);
}

} // namespace testsupport
