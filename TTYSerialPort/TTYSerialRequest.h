#pragma once

#include "TTYSerialPort/TTYSerialPacketDescriptor.h"

#include <QByteArray>
#include <QString>

#include <any>
#include <memory>

// One command for a port's request queue: the bytes to send, what the answer looks like and
// how long to wait for it.
class TTYSerialRequest {
    struct Passkey {};

public:
    // `timeoutInterval` in seconds, 0 or less for no time-out; a null `responseDescriptor` means
    // that no answer is awaited.
    static std::shared_ptr<TTYSerialRequest>
    create(const QByteArray& dataToSend, std::any userInfo, double timeoutInterval,
           std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor);
    // The answer is whatever passes `responseEvaluator`, however long it is.
    static std::shared_ptr<TTYSerialRequest>
    create(const QByteArray& dataToSend, std::any userInfo, double timeoutInterval,
           TTYSerialPacketDescriptor::ResponseEvaluator responseEvaluator);

    TTYSerialRequest(Passkey, const QByteArray& dataToSend, std::any userInfo,
                     double timeoutInterval,
                     std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor);
    TTYSerialRequest(const TTYSerialRequest&) = delete;
    TTYSerialRequest& operator=(const TTYSerialRequest&) = delete;

    const QByteArray& dataToSend() const { return dataToSend_; }
    void setDataToSend(const QByteArray& dataToSend) { dataToSend_ = dataToSend; }
    const std::any& userInfo() const { return userInfo_; }
    void setUserInfo(std::any userInfo) { userInfo_ = std::move(userInfo); }
    double timeoutInterval() const { return timeoutInterval_; }
    void setTimeoutInterval(double timeoutInterval) { timeoutInterval_ = timeoutInterval; }
    const std::shared_ptr<TTYSerialPacketDescriptor>& responseDescriptor() const {
        return responseDescriptor_;
    }
    void setResponseDescriptor(std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor) {
        responseDescriptor_ = std::move(responseDescriptor);
    }
    const QString& UUIDString() const { return UUIDString_; }
    void setUUIDString(const QString& UUIDString) { UUIDString_ = UUIDString; }

    // True when no answer is awaited, else whether `data` is a packet of the descriptor.
    bool dataIsValidResponse(const QByteArray& data) const;
    // "<TTYSerialRequest: address> data: <hex> userInfo: ... timeout interval: seconds"
    QString description() const;

private:
    QByteArray dataToSend_;
    std::any userInfo_;
    double timeoutInterval_;
    std::shared_ptr<TTYSerialPacketDescriptor> responseDescriptor_;
    QString UUIDString_;
};
