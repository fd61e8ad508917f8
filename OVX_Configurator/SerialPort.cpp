#include "OVX_Configurator/SerialPort.h"

std::uint16_t crc16Modbus(const QByteArray& bytes, qsizetype start, qsizetype count) {
    std::uint16_t crc = 0xFFFF;
    for (qsizetype i = start; i < start + count; ++i) {
        crc ^= static_cast<std::uint8_t>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}
