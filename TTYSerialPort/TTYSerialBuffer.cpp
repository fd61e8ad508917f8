#include "TTYSerialPort/TTYSerialBuffer.h"

void TTYSerialBuffer::appendByte(char byte) {
    if (maximumLength_ == 0)
        return;
    if (static_cast<std::uint64_t>(internalBuffer_.size()) >= maximumLength_)
        internalBuffer_.remove(0, internalBuffer_.size() - qsizetype(maximumLength_) + 1);
    internalBuffer_.append(byte);
}

void TTYSerialBuffer::appendData(const QByteArray& data) {
    internalBuffer_.append(data);
    const auto size = static_cast<std::uint64_t>(internalBuffer_.size());
    if (size > maximumLength_)
        internalBuffer_.remove(0, static_cast<qsizetype>(size - maximumLength_));
}
