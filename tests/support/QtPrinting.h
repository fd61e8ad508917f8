#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable Qt values in test failure messages and SCOPED_TRACE / << streams.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s;
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.width() << 'x' << r.height() << " at (" << r.x() << ", " << r.y() << ')';
}
