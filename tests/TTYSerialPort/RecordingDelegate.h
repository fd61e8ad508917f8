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
