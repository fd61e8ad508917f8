#pragma once

#include "TTYSerialPort/TTYSerialPortError.h"

#include <QByteArray>

#include <memory>

class TTYSerialPort;
class TTYSerialPacketDescriptor;
class TTYSerialRequest;

// Receiver of everything a TTYSerialPort reports. Every call arrives on the main thread, in the
// order the port saw the events. Only the removal report must be implemented.
class TTYSerialPortDelegate {
public:
    virtual ~TTYSerialPortDelegate() = default;

    // The device has gone; the port closes right after this call.
    virtual void serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& port) = 0;

    // Bytes were read from the device (one call per read of up to 1024 bytes).
    virtual void serialPortDidReceiveData(const std::shared_ptr<TTYSerialPort>& port,
                                          const QByteArray& data) {
        (void)port;
        (void)data;
    }

    // Bytes that form a packet of a descriptor the port listens for.
    virtual void
    serialPortDidReceivePacket(const std::shared_ptr<TTYSerialPort>& port, const QByteArray& packet,
                               const std::shared_ptr<TTYSerialPacketDescriptor>& descriptor) {
        (void)port;
        (void)packet;
        (void)descriptor;
    }

    // The answer to a request sent through the port's request queue.
    virtual void serialPortDidReceiveResponse(const std::shared_ptr<TTYSerialPort>& port,
                                              const QByteArray& response,
                                              const std::shared_ptr<TTYSerialRequest>& request) {
        (void)port;
        (void)response;
        (void)request;
    }

    // A queued request got no answer within its time-out.
    virtual void serialPortRequestDidTimeout(const std::shared_ptr<TTYSerialPort>& port,
                                             const std::shared_ptr<TTYSerialRequest>& request) {
        (void)port;
        (void)request;
    }

    // A POSIX call on the device failed.
    virtual void serialPortDidEncounterError(const std::shared_ptr<TTYSerialPort>& port,
                                             const TTYSerialPortError& error) {
        (void)port;
        (void)error;
    }

    virtual void serialPortWasOpened(const std::shared_ptr<TTYSerialPort>& port) { (void)port; }

    virtual void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& port) { (void)port; }
};
