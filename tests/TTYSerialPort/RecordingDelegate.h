#pragma once

#include "TTYSerialPort/TTYSerialPort.h"
#include "TTYSerialPort/TTYSerialPortDelegate.h"

#include <QByteArray>

#include <string>
#include <vector>

// Writes down every report of the ports it serves, in order of arrival.
class RecordingDelegate : public TTYSerialPortDelegate {
public:
    std::vector<std::string> events;
    std::vector<TTYSerialPortError> errors;
    std::vector<QByteArray> chunks;
    std::vector<std::pair<QByteArray, std::shared_ptr<TTYSerialRequest>>> responses;
    std::vector<std::shared_ptr<TTYSerialRequest>> timeouts;
    std::vector<QByteArray> packets;
    bool readingWhenRemoved = true;

    QByteArray received() const {
        QByteArray all;
        for (const auto& c : chunks)
            all += c;
        return all;
    }
    int count(const std::string& event) const {
        int n = 0;
        for (const auto& e : events)
            n += e == event;
        return n;
    }

    void serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& port) override {
        readingWhenRemoved = port->isReading();
        events.push_back("removed");
    }
    void serialPortDidReceiveData(const std::shared_ptr<TTYSerialPort>&,
                                  const QByteArray& data) override {
        if (events.empty() || events.back() != "data")
            events.push_back("data");
        chunks.push_back(data);
    }
    void serialPortDidReceivePacket(const std::shared_ptr<TTYSerialPort>&, const QByteArray& packet,
                                    const std::shared_ptr<TTYSerialPacketDescriptor>&) override {
        events.push_back("packet");
        packets.push_back(packet);
    }
    void serialPortDidReceiveResponse(const std::shared_ptr<TTYSerialPort>&,
                                      const QByteArray& response,
                                      const std::shared_ptr<TTYSerialRequest>& request) override {
        events.push_back("response");
        responses.emplace_back(response, request);
    }
    void serialPortRequestDidTimeout(const std::shared_ptr<TTYSerialPort>&,
                                     const std::shared_ptr<TTYSerialRequest>& request) override {
        events.push_back("timeout");
        timeouts.push_back(request);
    }
    void serialPortDidEncounterError(const std::shared_ptr<TTYSerialPort>&,
                                     const TTYSerialPortError& error) override {
        events.push_back("error");
        errors.push_back(error);
    }
    void serialPortWasOpened(const std::shared_ptr<TTYSerialPort>&) override {
        events.push_back("opened");
    }
    void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>&) override {
        events.push_back("closed");
    }
};
