#include "TTYSerialPort/TTYSerialPacketDescriptor.h"

#include <gtest/gtest.h>

using Descriptor = TTYSerialPacketDescriptor;

TEST(TTYSerialPacketDescriptor, PrefixAndSuffixFindTheLastLineAloneAtTheEnd) {
    auto lines = Descriptor::create(QByteArray("$"), QByteArray("\n"), 16, std::any());
    EXPECT_EQ(lines->packetMatchingAtEndOfBuffer("$AB\n$CD\n"), QByteArray("$CD\n"));
    EXPECT_EQ(lines->packetMatchingAtEndOfBuffer("$AB\n$CD"), std::nullopt);
    EXPECT_EQ(lines->packetMatchingAtEndOfBuffer(""), std::nullopt);
    EXPECT_EQ(lines->prefix(), QByteArray("$"));
    EXPECT_EQ(lines->suffix(), QByteArray("\n"));
    EXPECT_EQ(lines->maximumPacketLength(), 16u);
}

// The tails are looked at in place, but a packet found is a copy of its own: it stays as it was
// when the buffer changes.
TEST(TTYSerialPacketDescriptor, APacketFoundOutlivesTheBuffer) {
    auto lines = Descriptor::create(QByteArray("$"), QByteArray("\n"), 16, std::any());
    QByteArray buffer("xx$AB\n");
    const std::optional<QByteArray> packet = lines->packetMatchingAtEndOfBuffer(buffer);
    buffer[3] = 'Z';
    buffer.truncate(0);
    buffer.append("overwritten");
    ASSERT_TRUE(packet);
    EXPECT_EQ(*packet, QByteArray("$AB\n"));
}

TEST(TTYSerialPacketDescriptor, PrefixSuffixRuleCases) {
    struct Case {
        std::optional<QByteArray> prefix, suffix;
        QByteArray data;
        bool valid;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, "anything", false},
        {std::nullopt, std::nullopt, "", false},
        {QByteArray("$"), std::nullopt, "$AB", true},
        {QByteArray("$"), std::nullopt, "AB", false},
        {std::nullopt, QByteArray("\r"), "OK\r", true},
        {std::nullopt, QByteArray("\r"), "OK", false},
        {QByteArray("$G"), QByteArray("\n"), "$", false},  // shorter than the prefix
        {QByteArray("$"), QByteArray("*\n"), "\n", false}, // shorter than the suffix
        {QByteArray("$"), QByteArray("\n"), "$AB\n", true},
        {QByteArray("$"), QByteArray("\n"), "#AB\n", false},
        {QByteArray("\n"), QByteArray("\n"), "\n", true}, // prefix and suffix overlap
    };
    for (const Case& c : cases) {
        auto d = Descriptor::create(c.prefix, c.suffix, 64, std::any());
        EXPECT_EQ(d->dataIsValidPacket(c.data), c.valid) << c.data.toStdString();
    }
}

TEST(TTYSerialPacketDescriptor, PrefixStringsAreTakenAsUtf8) {
    auto d = Descriptor::createWithPrefixString(QString::fromUtf8("é"), std::nullopt, 8, 7);
    EXPECT_TRUE(d->dataIsValidPacket("\xC3\xA9x"));
    EXPECT_FALSE(d->dataIsValidPacket("\xE9x"));
    EXPECT_EQ(std::any_cast<int>(d->userInfo()), 7);
}

TEST(TTYSerialPacketDescriptor, ExactBytes) {
    auto d = Descriptor::create(QByteArray("OK\r"), std::any());
    EXPECT_EQ(d->maximumPacketLength(), 3u);
    EXPECT_EQ(d->packetData(), QByteArray("OK\r"));
    EXPECT_TRUE(d->dataIsValidPacket("OK\r"));
    EXPECT_FALSE(d->dataIsValidPacket("OK"));
    EXPECT_FALSE(d->dataIsValidPacket("OK\r\n"));
    EXPECT_EQ(d->packetMatchingAtEndOfBuffer("xxOK\r"), QByteArray("OK\r"));
}

TEST(TTYSerialPacketDescriptor, PatternMatchesAtTheStartOfValidUtf8Only) {
    auto d = Descriptor::create(QRegularExpression("OK\\r"), 8, std::any());
    EXPECT_TRUE(d->dataIsValidPacket("OK\r"));
    EXPECT_FALSE(d->dataIsValidPacket("xOK\r")); // anchored at the start
    EXPECT_TRUE(d->dataIsValidPacket("OK\r\n")); // but need not reach the end
    EXPECT_EQ(d->packetMatchingAtEndOfBuffer("xxOK\r"), QByteArray("OK\r"));
    ASSERT_TRUE(d->regularExpression());

    // Bytes that are not UTF-8 never match, even a pattern that matches any text.
    auto any = Descriptor::create(QRegularExpression(".*"), 8, std::any());
    EXPECT_TRUE(any->dataIsValidPacket("\xC3\xA9"));
    for (const char* invalid : {"\xFF", "\xC3", "\xC3\x28", "\xED\xA0\x80", "\xC0\xAF", "A\x80"})
        EXPECT_FALSE(any->dataIsValidPacket(invalid)) << QByteArray(invalid).toHex().constData();
    EXPECT_EQ(any->packetMatchingAtEndOfBuffer("\xFF\xFE"), std::nullopt);
}

TEST(TTYSerialPacketDescriptor, EvaluatorDecidesAndItsAbsenceAcceptsAnyBytes) {
    auto even =
        Descriptor::create(8, std::any(), [](const QByteArray& d) { return d.size() % 2 == 0; });
    EXPECT_EQ(even->packetMatchingAtEndOfBuffer("abcde"), QByteArray("de"));
    auto anyBytes = Descriptor::create(8, std::any(), nullptr);
    EXPECT_TRUE(anyBytes->dataIsValidPacket("x"));
    EXPECT_FALSE(anyBytes->dataIsValidPacket(""));
    EXPECT_EQ(anyBytes->packetMatchingAtEndOfBuffer("abc"), QByteArray("c"));
}

TEST(TTYSerialPacketDescriptor, IdentityIsTheUuid) {
    auto a = Descriptor::create(QByteArray("OK"), std::any());
    auto b = Descriptor::create(QByteArray("OK"), std::any());
    EXPECT_TRUE(a->isEqual(*a));
    EXPECT_FALSE(a->isEqual(*b));
    EXPECT_NE(a->uuid(), b->uuid());
    EXPECT_EQ(a->hash(), qHash(a->uuid()));
}
