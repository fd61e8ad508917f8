#include "TTYSerialPort/TTYSerialRequest.h"

#include <gtest/gtest.h>

#include <QUuid>

#include <limits>

TEST(TTYSerialRequest, EvaluatorRequestNeverDropsAnswerBytes) {
    auto request = TTYSerialRequest::create("R", std::any(), 1.5,
                                            [](const QByteArray& d) { return d.endsWith('\r'); });
    ASSERT_TRUE(request->responseDescriptor());
    EXPECT_EQ(request->responseDescriptor()->maximumPacketLength(),
              std::uint64_t(std::numeric_limits<std::int64_t>::max()));
    EXPECT_TRUE(request->dataIsValidResponse("abc\r"));
    EXPECT_FALSE(request->dataIsValidResponse("abc"));
    EXPECT_EQ(request->dataToSend(), QByteArray("R"));
    EXPECT_EQ(request->timeoutInterval(), 1.5);
}

TEST(TTYSerialRequest, WithoutDescriptorAnyAnswerIsValidAndEachHasItsOwnUuid) {
    auto a = TTYSerialRequest::create("W", QString("tag"), 0,
                                      std::shared_ptr<TTYSerialPacketDescriptor>());
    auto b = TTYSerialRequest::create("W", QString("tag"), 0,
                                      std::shared_ptr<TTYSerialPacketDescriptor>());
    EXPECT_TRUE(a->dataIsValidResponse(""));
    EXPECT_NE(a->UUIDString(), b->UUIDString());
    EXPECT_FALSE(QUuid::fromString(a->UUIDString()).isNull());
    EXPECT_TRUE(a->description().endsWith(" data: <57> userInfo: tag timeout interval: 0.000000"))
        << a->description().toStdString();
    EXPECT_TRUE(a->description().startsWith("<TTYSerialRequest: 0x"));
}
