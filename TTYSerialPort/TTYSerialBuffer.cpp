#include "TTYSerialPort/TTYSerialBuffer.h"

void TTYSerialBuffer::appendData(const QByteArray& data) {
    internalBuffer_.append(data);
    const auto size = static_cast<std::uint64_t>(internalBuffer_.size());
    if (size > maximumLength_)
        internalBuffer_.remove(0, static_cast<qsizetype>(size - maximumLength_));
}
