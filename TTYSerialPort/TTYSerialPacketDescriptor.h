#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QUuid>

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// What a complete packet looks like: exact bytes, a prefix and/or suffix, a regular expression
// anchored at the packet's start, or a test of the caller's own. A descriptor is identified by
// its uuid, a new one per descriptor.
class TTYSerialPacketDescriptor {
    struct Passkey {};

public:
    // Decides whether the given bytes are a complete packet. The bytes may be a view into the
    // port's buffer: valid during the call only (copy them with QByteArray(data.constData(),
    // data.size()) to keep them).
    using ResponseEvaluator = std::function<bool(const QByteArray&)>;

    // Packets up to `maximumPacketLength` bytes that pass `responseEvaluator`; without one,
    // any non-empty bytes pass.
    static std::shared_ptr<TTYSerialPacketDescriptor> create(std::uint64_t maximumPacketLength,
                                                             std::any userInfo,
                                                             ResponseEvaluator responseEvaluator);
    // Exactly the bytes `packetData`.
    static std::shared_ptr<TTYSerialPacketDescriptor> create(const QByteArray& packetData,
                                                             std::any userInfo);
    // Bytes that begin with `prefix` and end with `suffix` (either may be absent, not both).
    static std::shared_ptr<TTYSerialPacketDescriptor>
    create(const std::optional<QByteArray>& prefix, const std::optional<QByteArray>& suffix,
           std::uint64_t maximumPacketLength, std::any userInfo);
    // As above with the UTF-8 bytes of each string.
    static std::shared_ptr<TTYSerialPacketDescriptor>
    createWithPrefixString(const std::optional<QString>& prefixString,
                           const std::optional<QString>& suffixString,
                           std::uint64_t maximumPacketLength, std::any userInfo);
    // Valid UTF-8 text in which `regularExpression` matches at the start.
    static std::shared_ptr<TTYSerialPacketDescriptor>
    create(const QRegularExpression& regularExpression, std::uint64_t maximumPacketLength,
           std::any userInfo);

    TTYSerialPacketDescriptor(Passkey, std::uint64_t maximumPacketLength, std::any userInfo,
                              ResponseEvaluator responseEvaluator);
    TTYSerialPacketDescriptor(const TTYSerialPacketDescriptor&) = delete;
    TTYSerialPacketDescriptor& operator=(const TTYSerialPacketDescriptor&) = delete;

    const std::optional<QByteArray>& packetData() const { return packetData_; }
    const std::optional<QByteArray>& prefix() const { return prefix_; }
    const std::optional<QByteArray>& suffix() const { return suffix_; }
    const std::optional<QRegularExpression>& regularExpression() const {
        return regularExpression_;
    }
    std::uint64_t maximumPacketLength() const { return maximumPacketLength_; }
    const std::any& userInfo() const { return userInfo_; }
    const QUuid& uuid() const { return uuid_; }
    const ResponseEvaluator& responseEvaluator() const { return responseEvaluator_; }

    bool dataIsValidPacket(const QByteArray& data) const;
    // The shortest tail of `buffer` that is a valid packet, or nothing.
    std::optional<QByteArray> packetMatchingAtEndOfBuffer(const QByteArray& buffer) const;

    // The same descriptor: equal uuids.
    bool isEqual(const TTYSerialPacketDescriptor& other) const { return uuid_ == other.uuid_; }
    std::size_t hash() const { return qHash(uuid_); }

private:
    std::optional<QByteArray> packetData_;
    std::optional<QByteArray> prefix_;
    std::optional<QByteArray> suffix_;
    std::optional<QRegularExpression> regularExpression_;
    std::uint64_t maximumPacketLength_;
    std::any userInfo_;
    QUuid uuid_;
    ResponseEvaluator responseEvaluator_;
};
