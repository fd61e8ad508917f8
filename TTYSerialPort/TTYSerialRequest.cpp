#include "TTYSerialPort/TTYSerialRequest.h"

#include <QUuid>

#include <cstdint>
#include <limits>

TTYSerialRequest::TTYSerialRequest(Passkey, const QByteArray& dataToSend, std::any userInfo,
                                   double timeoutInterval,
                                   std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor)
    : dataToSend_(dataToSend), userInfo_(std::move(userInfo)), timeoutInterval_(timeoutInterval),
      responseDescriptor_(std::move(responseDescriptor)),
      UUIDString_(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()) {}

std::shared_ptr<TTYSerialRequest>
TTYSerialRequest::create(const QByteArray& dataToSend, std::any userInfo, double timeoutInterval,
                         std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor) {
    return std::make_shared<TTYSerialRequest>(Passkey{}, dataToSend, std::move(userInfo),
                                              timeoutInterval, std::move(responseDescriptor));
}

std::shared_ptr<TTYSerialRequest>
TTYSerialRequest::create(const QByteArray& dataToSend, std::any userInfo, double timeoutInterval,
                         TTYSerialPacketDescriptor::ResponseEvaluator responseEvaluator) {
    auto descriptor = TTYSerialPacketDescriptor::create(
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()), std::any(),
        std::move(responseEvaluator));
    return create(dataToSend, std::move(userInfo), timeoutInterval, std::move(descriptor));
}

bool TTYSerialRequest::dataIsValidResponse(const QByteArray& data) const {
    return !responseDescriptor_ || responseDescriptor_->dataIsValidPacket(data);
}

QString TTYSerialRequest::description() const {
    const QString base =
        QStringLiteral("<TTYSerialRequest: 0x%1>").arg(reinterpret_cast<quintptr>(this), 0, 16);
    QString info = QStringLiteral("(null)");
    if (userInfo_.has_value()) {
        if (const auto* s = std::any_cast<QString>(&userInfo_))
            info = *s;
        else
            info = QString::fromLatin1(userInfo_.type().name());
    }
    return QStringLiteral("%1 data: <%2> userInfo: %3 timeout interval: %4")
        .arg(base, QString::fromLatin1(dataToSend_.toHex()), info,
             QString::number(timeoutInterval_, 'f', 6));
}
