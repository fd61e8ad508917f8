#include "TTYSerialPort/TTYSerialBuffer.h"

#include <gtest/gtest.h>

TEST(TTYSerialBuffer, KeepsTheMostRecentBytesInOrder) {
    TTYSerialBuffer buffer(4);
    buffer.appendData("abc");
    EXPECT_EQ(buffer.data(), QByteArray("abc"));
    buffer.appendData("def");
    EXPECT_EQ(buffer.data(), QByteArray("cdef"));
    buffer.appendData("0123456789");
    EXPECT_EQ(buffer.data(), QByteArray("6789"));
    buffer.clearBuffer();
    EXPECT_TRUE(buffer.data().isEmpty());
    EXPECT_EQ(buffer.maximumLength(), 4u);

    TTYSerialBuffer none(0);
    none.appendData("abc");
    EXPECT_TRUE(none.data().isEmpty());
}

// The receive path's way: byte by byte, the same bytes kept as by whole appends.
TEST(TTYSerialBuffer, ByteByByteKeepsTheSameBytes) {
    for (std::uint64_t length : {0u, 1u, 4u, 64u}) {
        SCOPED_TRACE(length);
        TTYSerialBuffer whole(length), bytes(length);
        const QByteArray stream = "abcdef0123456789";
        whole.appendData(stream);
        for (const char byte : stream)
            bytes.appendByte(byte);
        EXPECT_EQ(bytes.data(), whole.data());
        bytes.clearBuffer();
        EXPECT_TRUE(bytes.data().isEmpty());
        bytes.appendByte('z');
        EXPECT_EQ(bytes.data(), length == 0 ? QByteArray() : QByteArray("z"));
    }
}
