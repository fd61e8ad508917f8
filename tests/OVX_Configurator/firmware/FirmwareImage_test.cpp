// The firmware image: its pages, the boot loader's byte order and the checks before a write.

#include "OVX_Configurator/device/FirmwareImage.h"

#include <gtest/gtest.h>

#include <optional>

using namespace firmware;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// An image for `deviceId` and `version` with `pages` pages; page p (by flash address) is filled
// with p + 1 and the image stores them last to first; `extra` unused bytes follow.
QByteArray image(int deviceId, int version, int pages, int extra = 0) {
    QByteArray out = bytes({deviceId, version});
    for (int p = pages - 1; p >= 0; --p)
        out.append(QByteArray(kPageSize, char(p + 1)));
    out.append(QByteArray(extra, '\x5A'));
    return out;
}

TEST(FirmwareImage, PagesAreWholePagesStoredLastToFirst) {
    EXPECT_EQ(pageCount({}), 0);
    EXPECT_EQ(pageCount(bytes({168, 0x32})), 0);
    EXPECT_EQ(pageCount(image(168, 0x32, 0, 127)), 0);
    EXPECT_EQ(pageCount(image(168, 0x32, 3, 127)), 3);
    const QByteArray img = image(168, 0x32, 3, 5);
    EXPECT_EQ(imagePage(img, 0), QByteArray(kPageSize, char(1)));
    EXPECT_EQ(imagePage(img, 2), QByteArray(kPageSize, char(3)));
    EXPECT_EQ(pageOffset(3, 2), 2); // the last flash page comes first in the file
    EXPECT_EQ(pageOffset(3, 0), 2 + 2 * kPageSize);
    EXPECT_TRUE(imagePage(img, 3).isEmpty());
    EXPECT_TRUE(imagePage(img, -1).isEmpty());
}

TEST(FirmwareImage, PermutesEachGroupOfEightAndBack) {
    const QByteArray group = bytes({0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17});
    const QByteArray sent = bytes({0x14, 0x12, 0x15, 0x16, 0x17, 0x11, 0x10, 0x13});
    EXPECT_EQ(pageBytePermutation(group), sent);
    EXPECT_EQ(pageByteUnpermutation(sent), group);

    QByteArray page(kPageSize, '\0');
    for (int i = 0; i < kPageSize; ++i)
        page[i] = char(i * 7 + 3);
    const QByteArray permuted = pageBytePermutation(page);
    EXPECT_EQ(permuted.mid(120, 8), pageBytePermutation(page.mid(120, 8))); // the last group too
    EXPECT_EQ(pageByteUnpermutation(permuted), page);
}

TEST(FirmwareImage, AddressWidthFollowsTheDeviceIdentifier) {
    EXPECT_EQ(addressModeFor(171), AddressMode::_24BIT);
    for (int id : {0, 166, 168, 169, 170, 172, 255})
        EXPECT_EQ(addressModeFor(std::uint8_t(id)), AddressMode::_16BIT) << id;
}

TEST(FirmwareImage, RefusesWhatCannotBeWritten) {
    const ExpectedImage listed{168, 0x32, std::nullopt};
    const ExpectedImage sized{168, 0x32, 2 + 4 * 128};
    struct Case {
        const char* what;
        QByteArray image;
        AddressMode mode;
        std::optional<ExpectedImage> expected;
        std::optional<const char*> problem;
    } cases[] = {
        {"empty", {}, AddressMode::_16BIT, {}, "FIRMWARE_BUFF_ERROR"},
        {"an empty download", {}, AddressMode::_16BIT, listed, "FIRMWARE_IMAGE_TOO_SHORT"},
        {"header only", bytes({168, 0x32}), AddressMode::_16BIT, {}, "FIRMWARE_IMAGE_TOO_SHORT"},
        {"less than a page",
         image(168, 0x32, 0, 127),
         AddressMode::_16BIT,
         {},
         "FIRMWARE_IMAGE_TOO_SHORT"},
        {"one page", image(168, 0x32, 1), AddressMode::_16BIT, {}, std::nullopt},
        {"64 KB at 16 bits", image(168, 0x32, 512), AddressMode::_16BIT, {}, std::nullopt},
        {"past 64 KB at 16 bits",
         image(168, 0x32, 513),
         AddressMode::_16BIT,
         {},
         "FIRMWARE_IMAGE_TOO_LARGE"},
        {"past 64 KB at 24 bits", image(171, 0x32, 513), AddressMode::_24BIT, {}, std::nullopt},
        {"as listed", image(168, 0x32, 4), AddressMode::_16BIT, listed, std::nullopt},
        {"another model", image(170, 0x32, 4), AddressMode::_16BIT, listed,
         "FIRMWARE_IMAGE_MISMATCH"},
        {"another version", image(168, 0x31, 4), AddressMode::_16BIT, listed,
         "FIRMWARE_IMAGE_MISMATCH"},
        {"listed size", image(168, 0x32, 4), AddressMode::_16BIT, sized, std::nullopt},
        {"cut short", image(168, 0x32, 3), AddressMode::_16BIT, sized,
         "FIRMWARE_IMAGE_SIZE_MISMATCH"},
        {"longer", image(168, 0x32, 4, 1), AddressMode::_16BIT, sized,
         "FIRMWARE_IMAGE_SIZE_MISMATCH"},
    };
    for (const Case& c : cases) {
        const auto problem = imageProblem(c.image, c.mode, c.expected);
        ASSERT_EQ(problem.has_value(), c.problem.has_value()) << c.what;
        if (problem) {
            EXPECT_STREQ(*problem, *c.problem) << c.what;
        }
    }
}

} // namespace
