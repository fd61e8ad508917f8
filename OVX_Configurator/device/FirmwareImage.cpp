#include "OVX_Configurator/device/FirmwareImage.h"

namespace firmware {

qsizetype pageCount(const QByteArray& image) {
    return image.size() > kHeaderSize ? (image.size() - kHeaderSize) / kPageSize : 0;
}

qsizetype pageOffset(qsizetype pages, qsizetype page) {
    return kHeaderSize + (pages - 1 - page) * kPageSize;
}

QByteArray imagePage(const QByteArray& image, qsizetype page) {
    const qsizetype pages = pageCount(image);
    if (page < 0 || page >= pages)
        return {};
    return image.mid(pageOffset(pages, page), kPageSize);
}

AddressMode addressModeFor(std::uint8_t deviceId) {
    return deviceId == kWideAddressDeviceId ? AddressMode::_24BIT : AddressMode::_16BIT;
}

QByteArray pageBytePermutation(const QByteArray& page) {
    QByteArray sent(page.size(), '\0');
    for (qsizetype group = 0; group + 8 <= page.size(); group += 8)
        for (int k = 0; k < 8; ++k)
            sent[group + k] = page[group + kPermutation[k]];
    return sent;
}

QByteArray pageByteUnpermutation(const QByteArray& sent) {
    QByteArray page(sent.size(), '\0');
    for (qsizetype group = 0; group + 8 <= sent.size(); group += 8)
        for (int k = 0; k < 8; ++k)
            page[group + kPermutation[k]] = sent[group + k];
    return page;
}

std::optional<const char*> imageProblem(const QByteArray& image, AddressMode mode,
                                        const std::optional<ExpectedImage>& expected) {
    if (image.isEmpty() && !expected)
        return "FIRMWARE_BUFF_ERROR";
    const qsizetype pages = pageCount(image);
    if (pages < 1)
        return "FIRMWARE_IMAGE_TOO_SHORT";
    const qint64 limit = mode == AddressMode::_16BIT ? 0x10000 : 0x1000000;
    if (qint64(pages) * kPageSize > limit)
        return "FIRMWARE_IMAGE_TOO_LARGE";
    if (expected) {
        if (quint8(image[0]) != expected->deviceId || quint8(image[1]) != expected->version)
            return "FIRMWARE_IMAGE_MISMATCH";
        if (expected->size && *expected->size != image.size())
            return "FIRMWARE_IMAGE_SIZE_MISMATCH";
    }
    return std::nullopt;
}

} // namespace firmware
