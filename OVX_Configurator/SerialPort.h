#pragma once

#include <QByteArray>

#include <cstdint>

// What a request expects back from the unit.
enum class ResponseType : int {
    SingleByteRead = 0,      // exactly n raw bytes, no acknowledge, no CRC
    SingleAckReply = 1,      // one byte 0x0D
    DualAckReply = 2,        // two bytes 0x0D 0x0D
    DataFrame = 3,           // 0x0D, n data bytes, CRC high byte, CRC low byte
    DataFrameWithoutCRC = 4, // 0x0D, n data bytes
};

// Width of the flash address in boot-loader page writes.
enum class AddressMode : int {
    _16BIT = 0,
    _24BIT = 1,
};

// CRC-16/MODBUS (start 0xFFFF, reflected polynomial 0xA001, no final XOR) of bytes
// start .. start + count - 1. On the link the high byte goes first.
std::uint16_t crc16Modbus(const QByteArray& bytes, qsizetype start, qsizetype count);
