#include "TTYSerialPort/TTYSerialPortError.h"

#include <cstring>

TTYSerialPortError TTYSerialPortError::fromErrno(int code, const QString& path) {
    return TTYSerialPortError{code, QString::fromLocal8Bit(std::strerror(code)), path};
}
