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
        BadFormat, // not a regular file, unreadable, not exactly the expected length, or of
                   // another data version
    };

    // Offset of the data version in every model's block (the firmware version is at 1).
    static constexpr int dataVersionOffset = 2;

    // Reads the block of `length` bytes and data version `dataVersion` at `path` into `block`;
    // `block` is left as it was unless the status is Read. The size is checked before reading,
    // so an unrelated big file is never loaded; a length of 0 or less accepts no file. A block
    // of the same length but another data version is laid out otherwise and is refused.
    static Status read(const QString& path, std::int64_t length, std::uint8_t dataVersion,
                       QByteArray& block);

    // Writes `block` to `path`, replacing an existing file. Written to a temporary file and
    // renamed over the target: a failed write leaves the old file (or none) in place, never
    // half a block.
    static bool write(const QString& path, const QByteArray& block);
};
