#pragma once

#include "OVX_Configurator/SerialPort.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

// A firmware image as the maker ships it: byte 0 the device identifier of the target model (171
// marks a unit whose boot loader takes 24-bit flash addresses), byte 1 the firmware version
// (high nibble major, low nibble minor), then whole flash pages of 128 bytes stored from the last
// page to the first. Bytes after the last whole page are not used.
namespace firmware {

inline constexpr qsizetype kPageSize = 128;
inline constexpr qsizetype kHeaderSize = 2;
// The device identifier of units whose boot loader takes 24-bit flash addresses.
inline constexpr std::uint8_t kWideAddressDeviceId = 171;

// Number of whole pages of `image` (0 for an image of 2 bytes or less).
qsizetype pageCount(const QByteArray& image);
// File offset of flash page `page` of an image of `pages` pages.
qsizetype pageOffset(qsizetype pages, qsizetype page);
// The 128 bytes of flash page `page` (0 <= page < pageCount) as the image stores them.
QByteArray imagePage(const QByteArray& image, qsizetype page);
// The flash address width for an image whose byte 0 is `deviceId`.
AddressMode addressModeFor(std::uint8_t deviceId);

// The order in which the boot loader takes a page: within each group of 8 bytes, sent byte k is
// byte kPermutation[k] of the group.
inline constexpr int kPermutation[8] = {4, 2, 5, 6, 7, 1, 0, 3};
// `page` (a multiple of 8 bytes) in the boot loader's order.
QByteArray pageBytePermutation(const QByteArray& page);
// The inverse: the page as it was before pageBytePermutation.
QByteArray pageByteUnpermutation(const QByteArray& sent);

// What a release list says of the image it names.
struct ExpectedImage {
    std::uint8_t deviceId = 0;
    std::uint8_t version = 0;
    std::optional<qint64> size; // when the list gives one
};

// Why an image cannot be written, as the key of its alert; none when it can. An image must hold
// at least one whole page, and every page address must fit the address width of its boot loader
// (16-bit: pages x 128 <= 0x10000). A downloaded image must also be the release the list
// described: bytes 0 and 1 its device identifier and version, its length the listed size. No
// image at all is "FIRMWARE_BUFF_ERROR", but a download that brought no bytes is too short.
std::optional<const char*> imageProblem(const QByteArray& image, AddressMode mode,
                                        const std::optional<ExpectedImage>& expected);

} // namespace firmware
