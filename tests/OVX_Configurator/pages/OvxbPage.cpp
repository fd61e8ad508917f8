#include "OvxbPage.h"

#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/SerialPort.h"

#include <QPixmap>

namespace testsupport {

bool showsPicture(const QLabel* view, const char* name) {
    const QPixmap expected = imageNamed(QString::fromLatin1(name), view->minimumSize());
    const QPixmap shown = view->pixmap();
    return !expected.isNull() && !shown.isNull() && shown.toImage() == expected.toImage();
}

QByteArray writeFrame(const QByteArray& block) {
    const std::uint16_t crc = crc16Modbus(block, 0, block.size());
    QByteArray frame("W");
    frame += block;
    frame += char(crc >> 8);
    frame += char(crc & 0xFF);
    return frame;
}

} // namespace testsupport
