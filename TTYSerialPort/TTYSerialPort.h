#pragma once

#include "TTYSerialPort/TTYSerialBuffer.h"
#include "TTYSerialPort/TTYSerialDevice.h"
#include "TTYSerialPort/TTYSerialPacketDescriptor.h"
#include "TTYSerialPort/TTYSerialPortDelegate.h"
#include "TTYSerialPort/TTYSerialPortError.h"
#include "TTYSerialPort/TTYSerialRequest.h"
#include "platform/Scheduler.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <termios.h>

class QSocketNotifier;

// One serial device: opens its device node, configures the line, reads what arrives, writes,
// restores the line settings and closes, and tells its delegate about everything on the main
// thread. There is at most one live port object per device: creating a port for a device that
// already has one yields that object.
//
// A port also runs a queue of requests, each written when the one before it was answered or
// timed out, and listens for packets that match registered descriptors.
//
// Use a port from the main thread. Reading runs on the main thread's event loop; the modem
// status lines (where the device has them) are polled every 10 ms.
class TTYSerialPort : public std::enable_shared_from_this<TTYSerialPort> {
    struct Passkey {};

public:
    enum Parity : unsigned { ParityNone = 0, ParityOdd = 1, ParityEven = 2 };

    // The port of the device whose call-out or dial-in path is `path`, or null when no serial
    // device has that path.
    static std::shared_ptr<TTYSerialPort> create(const QString& path);
    // The port of `device`: the live port of the same device when there is one, else a new,
    // closed port at 19200 baud, 8 data bits, 1 stop bit, no parity, no echo, no flow control.
    // A device without a call-out path stops the program.
    static std::shared_ptr<TTYSerialPort> create(const TTYSerialDevice& device);
    // The first live port whose path is `path`, or null.
    static std::shared_ptr<TTYSerialPort> existingPortWithPath(const QString& path);

    TTYSerialPort(Passkey, const TTYSerialDevice& device);
    ~TTYSerialPort();
    TTYSerialPort(const TTYSerialPort&) = delete;
    TTYSerialPort& operator=(const TTYSerialPort&) = delete;

    const TTYSerialDevice& device() const { return device_; }
    QString path() const { return device_.calloutPath; }
    QString name() const { return device_.name; }
    QString description() const { return name(); }
    // Ports are equal when their paths are.
    bool isEqual(const TTYSerialPort& other) const { return path() == other.path(); }
    std::size_t hash() const;

    // Not owned: the delegate must outlive the port or be cleared before it goes.
    TTYSerialPortDelegate* delegate() const { return delegate_; }
    void setDelegate(TTYSerialPortDelegate* delegate) { delegate_ = delegate; }

    // Opens the device with exclusive access and configures the line; the delegate hears
    // serialPortWasOpened after this call returns, or serialPortDidEncounterError at once when
    // the device cannot be opened. A path that is a link is followed now, to wherever it leads
    // (a link that leads nowhere fails with ENOENT). Does nothing on an open port.
    void open();
    // Restores the line settings found at open, closes the device and tells the delegate
    // serialPortWasClosed before returning. Does nothing on a closed port. Always true.
    bool close();
    bool isOpen() const { return fileDescriptor_ >= 0; }
    // The open device's descriptor, -1 when closed.
    int fileDescriptor() const { return fileDescriptor_; }
    // True while the port watches its device for input (open and not hung up).
    bool isReading() const;

    // Writes all of `data`: false on a closed port or when a write fails (the delegate hears
    // the error); true at once for empty data.
    bool sendData(const QByteArray& data);
    // Drops every byte received so far: what the device holds unread (its input queue is
    // flushed) and what was read but not yet reported with serialPortDidReceiveData. Bytes that
    // arrive after the call are reported as before. Requests and packet listeners keep what
    // they have seen. Does nothing on a closed port.
    void discardInput();

    quint32 baudRate() const { return baudRate_; }
    void setBaudRate(quint32 baudRate);
    unsigned numberOfStopBits() const { return numberOfStopBits_; }
    void setNumberOfStopBits(unsigned numberOfStopBits);
    // 7 or 8; any other count leaves the character-size field of the line cleared.
    unsigned numberOfDataBits() const { return numberOfDataBits_; }
    void setNumberOfDataBits(unsigned numberOfDataBits);
    // A Parity value; values above ParityEven are stored as ParityNone.
    unsigned parity() const { return parity_; }
    void setParity(unsigned parity);
    bool shouldEchoReceivedData() const { return shouldEchoReceivedData_; }
    void setShouldEchoReceivedData(bool shouldEchoReceivedData);
    // Changing a flow-control flag closes an open port and opens it again.
    bool usesRTSCTSFlowControl() const { return usesRTSCTSFlowControl_; }
    void setUsesRTSCTSFlowControl(bool usesRTSCTSFlowControl);
    // DTR/DSR and carrier-detect flow control have no Linux line setting: stored only.
    bool usesDTRDSRFlowControl() const { return usesDTRDSRFlowControl_; }
    void setUsesDTRDSRFlowControl(bool usesDTRDSRFlowControl);
    bool usesDCDOutputFlowControl() const { return usesDCDOutputFlowControl_; }
    void setUsesDCDOutputFlowControl(bool usesDCDOutputFlowControl);
    // Stored only: speeds outside the standard rates are refused with EINVAL.
    bool allowsNonStandardBaudRates() const { return allowsNonStandardBaudRates_; }
    void setAllowsNonStandardBaudRates(bool allowsNonStandardBaudRates) {
        allowsNonStandardBaudRates_ = allowsNonStandardBaudRates;
    }

    // Requested states of the output modem lines.
    bool RTS() const { return RTS_; }
    void setRTS(bool RTS);
    bool DTR() const { return DTR_; }
    void setDTR(bool DTR);
    // The line settings the port applies over `attributes` (the device's current ones), in this
    // order: a raw line (cfmakeraw); VMIN 1 and VTIME 2; the character size (7 or 8 bits, else
    // the field cleared); parity; stop bits; echo; RTS/CTS flow control; always CREAD, HUPCL
    // and CLOCAL; ICANON and ISIG cleared; the speed (left as it is for a rate that is not a
    // standard one). The descriptor is non-blocking, so VMIN and VTIME never make a read wait;
    // the settings found at open are restored on close.
    termios configuredAttributes(termios attributes) const;

    // Last polled states of the input modem lines (false where the device has none).
    bool CTS() const { return CTS_; }
    bool DSR() const { return DSR_; }
    bool DCD() const { return DCD_; }

    // The device has gone: tells the delegate serialPortWasRemovedFromSystem, then closes. A
    // removal is reported once, however many paths notice it.
    void cleanupAfterSystemRemoval();
    // Deprecated: logs a warning, then cleanupAfterSystemRemoval.
    void cleanup();

    // ---- request queue ----

    // Writes the request now when none is pending (the result of the write), else queues it
    // behind the others (true). The pending request ends when its response descriptor finds a
    // packet in the bytes received since it was written (serialPortDidReceiveResponse), when
    // its time-out passes (serialPortRequestDidTimeout; the next request is written after that
    // report), or right after its write when it awaits no answer. A request whose write failed
    // stays pending until its time-out or the port's close. A null request is refused (false).
    bool sendRequest(const std::shared_ptr<TTYSerialRequest>& request);
    // Removes a queued request; the pending one (or null) is left alone.
    void cancelQueuedRequest(const std::shared_ptr<TTYSerialRequest>& request);
    // Empties the queue; the pending request stays.
    void cancelAllQueuedRequests();
    // The requests waiting behind the pending one, first first.
    std::vector<std::shared_ptr<TTYSerialRequest>> queuedRequests() const { return requestsQueue_; }
    // The request written last and not yet answered or timed out, or null.
    const std::shared_ptr<TTYSerialRequest>& pendingRequest() const { return pendingRequest_; }

    // ---- packet listeners ----

    // Every packet of `descriptor` that arrives is reported with serialPortDidReceivePacket,
    // once; each descriptor keeps its own buffer of its maximumPacketLength latest bytes, which
    // starts empty again after each packet. Listening twice for a descriptor keeps one buffer.
    void startListeningForPacketsMatchingDescriptor(
        const std::shared_ptr<TTYSerialPacketDescriptor>& descriptor);
    void stopListeningForPacketsMatchingDescriptor(
        const std::shared_ptr<TTYSerialPacketDescriptor>& descriptor);
    std::vector<std::shared_ptr<TTYSerialPacketDescriptor>> packetDescriptors() const;

private:
    friend class TTYSerialPortManager;
    using Report =
        std::function<void(TTYSerialPortDelegate&, const std::shared_ptr<TTYSerialPort>&)>;
    using Task = std::function<void(const std::shared_ptr<TTYSerialPort>&)>;

    bool setPortOptions();
    void updateModemLines();
    void pollModemLines();
    void readAvailableBytes();
    void receive(const QByteArray& bytes);
    void deviceWasRemoved();
    void reallyClosePort(bool quietly);

    bool reallySendRequest(const std::shared_ptr<TTYSerialRequest>& request);
    void sendNextRequest();
    void pendingRequestDidTimeout();
    // One received byte for the pending request, or none (nullptr) when a write completed.
    void checkResponseToPendingRequest(const char* receivedByte);
    void endRequests();

    // Reports leave in the order they were made: postReport (and postTask, for work that must
    // follow a report) runs later from the event loop, reportNow runs every earlier task first
    // and then delivers its own report before returning.
    void postReport(const Report& report);
    void postTask(Task task);
    void reportNow(const Report& report);
    void flushTasks();
    void reportError(int code);

    TTYSerialDevice device_;
    TTYSerialPortDelegate* delegate_ = nullptr;
    termios originalPortAttributes_{};
    int fileDescriptor_ = -1;
    bool hasModemLines_ = false;
    bool removalReported_ = false;

    bool allowsNonStandardBaudRates_ = false;
    bool shouldEchoReceivedData_ = false;
    bool usesRTSCTSFlowControl_ = false;
    bool usesDTRDSRFlowControl_ = false;
    bool usesDCDOutputFlowControl_ = false;
    bool RTS_ = false;
    bool DTR_ = false;
    bool CTS_ = false;
    bool DSR_ = false;
    bool DCD_ = false;
    quint32 baudRate_ = 19200;
    unsigned numberOfStopBits_ = 1;
    unsigned numberOfDataBits_ = 8;
    unsigned parity_ = ParityNone;

    std::unique_ptr<QSocketNotifier> readPollSource_;
    platform::Timer pinPollTimer_;

    std::shared_ptr<TTYSerialRequest> pendingRequest_;
    bool pendingRequestTimedOut_ = false;
    std::vector<std::shared_ptr<TTYSerialRequest>> requestsQueue_;
    TTYSerialBuffer requestResponseReceiveBuffer_{0};
    std::vector<std::pair<std::shared_ptr<TTYSerialPacketDescriptor>, TTYSerialBuffer>>
        packetDescriptorsAndBuffers_;
    platform::Timer pendingRequestTimeoutTimer_;

    // Raised by discardInput: a data report made before it carries an older number and is
    // dropped instead of delivered.
    quint64 inputGeneration_ = 0;

    std::deque<Task> tasks_;
    bool tasksPosted_ = false;
};
