#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The parameter file: a unit's raw parameter block, no header, no checksum.
class ParameterFile {
public:
    enum class Status {
        Read,      // the block was read
        Missing,   // no file at the path
        BadFormat, // not a regular file, unreadable, or not exactly the expected length
    };

    // Reads the block of `length` bytes at `path` into `block`; `block` is left as it was
    // unless the status is Read. The size is checked before reading, so an unrelated big file
    // is never loaded; a length of 0 or less accepts no file.
    static Status read(const QString& path, std::int64_t length, QByteArray& block);

    // Writes `block` to `path`, replacing an existing file. Written to a temporary file and
    // renamed over the target: a failed write leaves the old file (or none) in place, never
    // half a block.
    static bool write(const QString& path, const QByteArray& block);
};
