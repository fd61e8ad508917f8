#include "OvxbPage.h"

#include "OVX_Configurator/SerialPort.h"

namespace testsupport {

QByteArray writeFrame(const QByteArray& block) {
    const std::uint16_t crc = crc16Modbus(block, 0, block.size());
    QByteArray frame("W");
    frame += block;
    frame += char(crc >> 8);
    frame += char(crc & 0xFF);
    return frame;
}

} // namespace testsupport
