#include "TTYSerialPort/TTYSerialPacketDescriptor.h"

#include <QStringDecoder>

namespace {

bool prefixAndSuffixMatch(const std::optional<QByteArray>& prefix,
                          const std::optional<QByteArray>& suffix, const QByteArray& data) {
    if (!prefix && !suffix)
        return false;
    if (prefix && !data.startsWith(*prefix))
        return false;
    return !suffix || data.endsWith(*suffix);
}

// The bytes as text, or nothing when they are not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray& data) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

TTYSerialPacketDescriptor::TTYSerialPacketDescriptor(Passkey, std::uint64_t maximumPacketLength,
                                                     std::any userInfo,
                                                     ResponseEvaluator responseEvaluator)
    : maximumPacketLength_(maximumPacketLength), userInfo_(std::move(userInfo)),
      uuid_(QUuid::createUuid()), responseEvaluator_(std::move(responseEvaluator)) {
    if (!responseEvaluator_)
        responseEvaluator_ = [](const QByteArray& data) { return !data.isEmpty(); };
}

std::shared_ptr<TTYSerialPacketDescriptor>
TTYSerialPacketDescriptor::create(std::uint64_t maximumPacketLength, std::any userInfo,
                                  ResponseEvaluator responseEvaluator) {
    return std::make_shared<TTYSerialPacketDescriptor>(
        Passkey{}, maximumPacketLength, std::move(userInfo), std::move(responseEvaluator));
}

std::shared_ptr<TTYSerialPacketDescriptor>
TTYSerialPacketDescriptor::create(const QByteArray& packetData, std::any userInfo) {
    auto descriptor = create(static_cast<std::uint64_t>(packetData.size()), std::move(userInfo),
                             [packetData](const QByteArray& data) { return data == packetData; });
    descriptor->packetData_ = packetData;
    return descriptor;
}

std::shared_ptr<TTYSerialPacketDescriptor>
TTYSerialPacketDescriptor::create(const std::optional<QByteArray>& prefix,
                                  const std::optional<QByteArray>& suffix,
                                  std::uint64_t maximumPacketLength, std::any userInfo) {
    auto descriptor =
        create(maximumPacketLength, std::move(userInfo), [prefix, suffix](const QByteArray& data) {
            return prefixAndSuffixMatch(prefix, suffix, data);
        });
    descriptor->prefix_ = prefix;
    descriptor->suffix_ = suffix;
    return descriptor;
}

std::shared_ptr<TTYSerialPacketDescriptor> TTYSerialPacketDescriptor::createWithPrefixString(
    const std::optional<QString>& prefixString, const std::optional<QString>& suffixString,
    std::uint64_t maximumPacketLength, std::any userInfo) {
    auto utf8 = [](const std::optional<QString>& s) -> std::optional<QByteArray> {
        if (!s)
            return std::nullopt;
        return s->toUtf8();
    };
    return create(utf8(prefixString), utf8(suffixString), maximumPacketLength, std::move(userInfo));
}

std::shared_ptr<TTYSerialPacketDescriptor>
TTYSerialPacketDescriptor::create(const QRegularExpression& regularExpression,
                                  std::uint64_t maximumPacketLength, std::any userInfo) {
    auto descriptor = create(maximumPacketLength, std::move(userInfo),
                             [regularExpression](const QByteArray& data) {
                                 std::optional<QString> text = decodeUtf8(data);
                                 if (!text)
                                     return false;
                                 return regularExpression
                                     .match(*text, 0, QRegularExpression::NormalMatch,
                                            QRegularExpression::AnchorAtOffsetMatchOption)
                                     .hasMatch();
                             });
    descriptor->regularExpression_ = regularExpression;
    return descriptor;
}

bool TTYSerialPacketDescriptor::dataIsValidPacket(const QByteArray& data) const {
    return responseEvaluator_(data);
}

std::optional<QByteArray>
TTYSerialPacketDescriptor::packetMatchingAtEndOfBuffer(const QByteArray& buffer) const {
    // Each tail is looked at in place; only a packet found is copied out.
    for (qsizetype length = 1; length <= buffer.size(); ++length) {
        const QByteArray tail =
            QByteArray::fromRawData(buffer.constData() + buffer.size() - length, length);
        if (dataIsValidPacket(tail))
            return QByteArray(tail.constData(), length);
    }
    return std::nullopt;
}
