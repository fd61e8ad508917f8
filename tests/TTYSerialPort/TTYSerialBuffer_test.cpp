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
