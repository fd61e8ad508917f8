#include "OVX_Configurator/SerialPort.h"

#include <gtest/gtest.h>

TEST(Crc16Modbus, CheckValueAndRanges) {
    const QByteArray text("123456789");
    EXPECT_EQ(crc16Modbus(text, 0, text.size()), 0x4B37);
    EXPECT_EQ(crc16Modbus(text, 0, 0), 0xFFFF);
    // Only the given range counts: the same bytes inside a longer array give the same CRC.
    const QByteArray framed = "W" + text + "xy";
    EXPECT_EQ(crc16Modbus(framed, 1, text.size()), 0x4B37);
    const QByteArray zeros(2, '\0');
    EXPECT_EQ(crc16Modbus(zeros, 0, 2), 0xB001);
}
