#pragma once

#include <QString>

// A failed POSIX call of the serial layer, as its delegates hear it: the error domain is always
// POSIX, `code` is the errno value taken right at the failing call, `localizedDescription` is
// strerror(code) and `path` is the device path of the port that made the call.
struct TTYSerialPortError {
    static constexpr const char* domain = "NSPOSIXErrorDomain";

    int code = 0;
    QString localizedDescription;
    QString path;

    // The error for errno value `code` on the port at `path`.
    static TTYSerialPortError fromErrno(int code, const QString& path);

    friend bool operator==(const TTYSerialPortError&, const TTYSerialPortError&) = default;
};
