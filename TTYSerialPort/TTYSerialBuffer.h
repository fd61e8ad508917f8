#pragma once

#include <QByteArray>

#include <cstdint>

// Bytes that keep only their most recent `maximumLength`: appending past it drops the oldest.
class TTYSerialBuffer {
public:
    explicit TTYSerialBuffer(std::uint64_t maximumLength) : maximumLength_(maximumLength) {}

    std::uint64_t maximumLength() const { return maximumLength_; }
    // The kept bytes, oldest first.
    const QByteArray& data() const { return internalBuffer_; }

    void appendData(const QByteArray& data);
    // One byte: the receive path's way, which allocates nothing once the buffer has grown.
    void appendByte(char byte);
    // Empties the buffer; it keeps its memory for the next bytes.
    void clearBuffer() { internalBuffer_.truncate(0); }

private:
    std::uint64_t maximumLength_;
    QByteArray internalBuffer_;
};
