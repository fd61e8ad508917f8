#pragma once

#include "TTYSerialPort/TTYSerialPort.h"
#include "TTYSerialPort/TTYSerialPortDelegate.h"
#include "TTYSerialPort/TTYSerialPortManager.h"
#include "platform/Scheduler.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What a request expects back from the unit.
enum class ResponseType : int {
    SingleByteRead = 0,      // exactly n raw bytes, no acknowledge, no CRC
    SingleAckReply = 1,      // one byte 0x0D
    DualAckReply = 2,        // two bytes 0x0D 0x0D
    DataFrame = 3,           // 0x0D, n data bytes, CRC high byte, CRC low byte
    DataFrameWithoutCRC = 4, // 0x0D, n data bytes
};

// Width of the flash address in boot-loader page writes.
enum class AddressMode : int {
    _16BIT = 0,
    _24BIT = 1,
};

// CRC-16/MODBUS (start 0xFFFF, reflected polynomial 0xA001, no final XOR) of bytes
// start .. start + count - 1. On the link the high byte goes first.
std::uint16_t crc16Modbus(const QByteArray& bytes, qsizetype start, qsizetype count);

// The link's port events, posted on the default notification centre with no sender and the
// user information {"0": the std::shared_ptr<TTYSerialPort> that reported the event}.
inline constexpr const char* serialPortWasOpenedNotification = "TTYSerialPortWasOpened";
inline constexpr const char* serialPortWasClosedNotification = "TTYSerialPortWasClosed";
inline constexpr const char* serialPortWasRemovedNotification = "TTYSerialPortWasRemovedFromSystem";
inline constexpr const char* serialPortErrorNotification = "TTYSerialPortEncounterError";

// The one link between the program and a connected unit. It keeps the serial ports by name,
// opens the chosen one at 115200 baud 8N1, frames each request, collects the reply until exactly
// the expected number of bytes has arrived, checks it (acknowledge byte 0x0D, CRC-16) and runs
// the caller's success, error or time-out closure. Everything runs on the main thread.
//
// A reply is made of the bytes that arrive after the exchange's first write: whatever the line
// brought before it (noise, the rest of an earlier reply), whether still unread or read and not
// yet handed to the link, is dropped when a request or poll is written.
//
// Busy rule: a request that sets `busy` holds the link until its reply was judged or its time-out
// fired; while it is held, every request and poll is refused. A refused request returns false
// and runs none of its closures; an accepted one runs exactly one of them, once, unless its port
// is unplugged first: the removal ends the exchange and none runs. A request still waiting for
// the line when its port closes never goes out on a later port: it ends with its time-out.
class SerialPort : public TTYSerialPortDelegate, public std::enable_shared_from_this<SerialPort> {
public:
    using Callback = std::function<void()>;

    // A link with the shared port manager's ports in `availablePorts`.
    static std::shared_ptr<SerialPort> create();
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // ---- State ----
    // Port name to device path.
    const QMap<QString, QString>& availablePorts() const { return availablePorts_; }
    // The name passed to the last connect that found its name.
    const std::optional<QString>& portName() const { return portName_; }
    // Payload of the last good reply; read it in the success closure.
    const QByteArray& data() const { return data_; }
    // The source of the port list: the shared port manager.
    const std::shared_ptr<TTYSerialPortManager>& serialPortManager() const {
        return serialPortManager_;
    }
    // The port of the current connection, or null.
    const std::shared_ptr<TTYSerialPort>& serialPort() const { return serialPort_; }
    // True when serialPort() exists and is open.
    bool isOpen() const;
    bool dataReceived() const { return dataReceived_; }
    // Bytes received since the current (or last) request or poll was written.
    qint64 dataSizeReceived() const { return dataSizeReceived_; }
    // The reply collected so far; it never holds more than the expected number of bytes.
    const QByteArray& receiveBuff() const { return receiveBuff_; }
    const QByteArray& sendBuff() const { return sendBuff_; }
    bool busy() const { return busy_; }
    // The last request that ended was never written: it ended as a time-out while it waited for
    // a line that kept bringing bytes, or for a port that closed meanwhile.
    bool lastRequestUnwritten() const { return lastRequestUnwritten_; }
    // A request or poll is on the line, waiting for its reply (not yet judged, not timed out).
    bool awaitingReply() const { return pending_ != Pending::None; }
    qint64 expectedDataSize() const { return expectedDataSize_; }
    ResponseType expectedResponseType() const { return expectedResponseType_; }

    // ---- Operations ----
    // Start of every request and poll: forgets the previous exchange (accumulator, closures,
    // its time-out and any write still waiting).
    virtual void resetState();
    // Judges a completed reply and runs the success or the error closure.
    virtual void checkResponse();
    // Closes the open port and rebuilds `availablePorts` from the shared port manager's ports
    // (a later port with the same name replaces an earlier one).
    virtual void refreshPortList();
    // Opens the port of that name at 115200 8N1; 0.3 s later runs onOpened when it is open,
    // onFailed when not. A name that is not listed does nothing.
    virtual void connect(const QString& portName, Callback onOpened = {}, Callback onFailed = {});
    // Closes the port; 0.3 s later runs onClosed when it is closed, onFailed when not. Nothing
    // runs when there is no port object.
    virtual void disconnect(Callback onClosed = {}, Callback onFailed = {});

    // While held, the link takes no request and no poll, as while a request is outstanding; an
    // exchange already on the line runs to its end. The holder lifts the
    // hold for its own request only. The main view holds the link while it asks a unit that came
    // back on the port who it is.
    void setHeld(bool held) { held_ = held; }
    bool held() const { return held_; }
    // Writes `command` at once, outside the exchange on the line, expecting no reply: the last
    // word to the unit before the program lets go of its port. False when no port is open.
    bool sendLastWord(const QByteArray& command);

    // Requests. `command` is written as it stands (an ASCII word, or a single step byte);
    // `setBusy` becomes the new value of `busy`; `timeout` is in seconds. Each returns whether
    // the request was accepted: false while the link is busy or the port is not open.
    //
    // The word; one byte 0x0D expected.
    virtual bool sendCommand(const QByteArray& command, bool setBusy, double timeout,
                             Callback onSuccess = {}, Callback onError = {},
                             Callback onTimeout = {});
    // The word; two bytes 0x0D 0x0D expected.
    virtual bool sendCommandDualAck(const QByteArray& command, bool setBusy, double timeout,
                                    Callback onSuccess = {}, Callback onError = {},
                                    Callback onTimeout = {});
    // The word; 0x0D, n data bytes and their CRC expected. The n bytes land in data().
    virtual bool requestDataFrame(const QByteArray& command, qsizetype n, bool setBusy,
                                  double timeout, Callback onSuccess = {}, Callback onError = {},
                                  Callback onTimeout = {});
    // The word; n raw bytes expected, of which the first lands in data().
    virtual bool requestBytes(const QByteArray& command, qsizetype n, bool setBusy, double timeout,
                              Callback onSuccess = {}, Callback onError = {},
                              Callback onTimeout = {});
    // One write: the first letter of `command`, the first n bytes of `payload`, their CRC high
    // and low byte; one 0x0D expected. Refused when the letter is missing or n does not fit.
    virtual bool sendDataFrame(const QByteArray& command, const QByteArray& payload, qsizetype n,
                               bool setBusy, double timeout, Callback onSuccess = {},
                               Callback onError = {}, Callback onTimeout = {});
    // The letter alone; 0.1 s later (the link stays busy, the main thread runs on) the payload
    // and CRC; two bytes 0x0D 0x0D expected. The time-out counts from the second write, and
    // bytes that come between the two writes belong to the reply.
    virtual bool sendDataFrameSplit(const QByteArray& command, const QByteArray& payload,
                                    qsizetype n, bool setBusy, double timeout,
                                    Callback onSuccess = {}, Callback onError = {},
                                    Callback onTimeout = {});
    // One write: letter, address (2 or 3 bytes, high byte first), payload, CRC of the payload;
    // one 0x0D expected.
    virtual bool sendAddressedFrame(const QByteArray& command, AddressMode addressMode,
                                    std::uint32_t address, const QByteArray& payload, qsizetype n,
                                    bool setBusy, double timeout, Callback onSuccess = {},
                                    Callback onError = {}, Callback onTimeout = {});

    // Live-data polls: never set `busy` and have no error or time-out closure; a refused poll,
    // a lost or damaged reply run nothing. One exchange is on the line at a time: a poll is
    // refused while another poll or a request waits for its reply, and a request waits until the
    // poll's reply was judged or the poll timed out. Each returns whether the poll went out.
    // 0x0D, n data bytes and their CRC expected.
    bool pollDataFrame(const QByteArray& command, qsizetype n, Callback onSuccess);
    // As pollDataFrame, but 0x0D and n data bytes with no CRC.
    bool pollDataFrameWithoutCRC(const QByteArray& command, qsizetype n, Callback onSuccess);

    // How long a poll waits for its reply.
    static constexpr double pollTimeout = 0.5;
    // The pause between the two writes of sendDataFrameSplit.
    static constexpr double splitPause = 0.1;
    // Delay of the connect and disconnect reports.
    static constexpr double connectCheckDelay = 0.3;
    // After a time-out the next exchange waits until the line has been quiet this long since the
    // time-out and since the last byte that came after it: a late reply of the timed-out exchange
    // is discarded instead of being judged as the next one's. Polls are dropped meanwhile.
    static constexpr double quietAfterTimeout = 0.2;
    // When the timed-out exchange waited for a data frame and not all of it came, the line waits
    // this long instead (since the time-out and since each late byte) for the rest of the frame,
    // or until the rest has come and the line was quiet for quietAfterTimeout. A frame of data
    // is long and can hold anything, so it must never reach the next exchange.
    //
    // It is also how long a request waits for the quiet, counted from when it began to wait
    // (when it was accepted, or when the poll it waited for timed out), before a line that keeps
    // bringing bytes ends it: when the line is still chattering then (a byte came within the last
    // quietAfterTimeout), or a byte comes later while it waits, the request ends as a time-out
    // (busy cleared, its time-out closure run once) and nothing of it is written. A line that
    // has fallen quiet by then is waited for to the end of its quiet. Polls stay refused until
    // the line falls quiet.
    static constexpr double lateReplyAllowance = 1.5;

    // ---- TTYSerialPortDelegate ----
    void serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& port) override;
    void serialPortDidReceiveData(const std::shared_ptr<TTYSerialPort>& port,
                                  const QByteArray& data) override;
    void serialPortDidEncounterError(const std::shared_ptr<TTYSerialPort>& port,
                                     const TTYSerialPortError& error) override;
    void serialPortWasOpened(const std::shared_ptr<TTYSerialPort>& port) override;
    void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& port) override;

protected:
    SerialPort();

private:
    // What is pending on the line: nothing, a request's reply or a poll's reply.
    enum class Pending { None, Request, Poll };

    // One request as the caller gave it.
    struct Request {
        QByteArray firstWrite;
        QByteArray secondWrite; // after the split pause; empty for one write
        qint64 expectedSize = 0;
        ResponseType type = ResponseType::SingleAckReply;
        bool setBusy = true;
        double timeout = 0;
        Callback onSuccess, onError, onTimeout;
    };

    bool canStart() const;
    bool startRequest(Request request);
    void begin(Request request);
    void startDeferred();
    void giveUpDeferred();
    double waitBeforeRequest() const;
    void endExchange();
    bool poll(const QByteArray& command, qsizetype n, ResponseType type, Callback onSuccess);
    void settleAfter(qint64 lateBytes);
    void write(const QByteArray& bytes);
    void writeFirst(const QByteArray& bytes);
    void handleTimeout();
    void post(const char* name, const std::shared_ptr<TTYSerialPort>& port);
    void reportAfterDelay(Callback onDone, Callback onFailed, bool wantOpen);
    bool sendWord(const QByteArray& command, const QByteArray& second, qint64 expectedSize,
                  ResponseType type, bool setBusy, double timeout, Callback onSuccess,
                  Callback onError, Callback onTimeout);
    bool sendFramed(const QByteArray& command, const QByteArray& address, const QByteArray& payload,
                    qsizetype n, bool split, bool setBusy, double timeout, Callback onSuccess,
                    Callback onError, Callback onTimeout);

    QMap<QString, QString> availablePorts_;
    QMap<QString, TTYSerialDevice> listedDevices_; // the port list's records, by name
    std::optional<QString> portName_;
    QByteArray data_;
    std::shared_ptr<TTYSerialPortManager> serialPortManager_;
    std::shared_ptr<TTYSerialPort> serialPort_;
    // Every port this link has been the delegate of: a port left behind by connecting to another
    // one keeps reporting here, so the link unhooks all of them when it goes.
    std::vector<std::weak_ptr<TTYSerialPort>> delegatedPorts_;
    bool dataReceived_ = false;
    qint64 dataSizeReceived_ = 0;
    QByteArray receiveBuff_;
    QByteArray sendBuff_;
    bool busy_ = false;
    bool held_ = false;
    qint64 expectedDataSize_ = 0;
    ResponseType expectedResponseType_ = ResponseType::SingleAckReply;
    Callback userSuccessCallback_;
    Callback userErrorCallback_;
    Callback userTimeoutCallback_;
    platform::Timer checkTimeout_;

    Pending pending_ = Pending::None;
    std::optional<Request> deferred_; // accepted, waiting for a poll reply or a quiet line
    bool settling_ = false;           // an exchange timed out; the line must fall quiet
    qint64 lateBytesDue_ = 0;         // bytes of its data frame that may still come
    double quietUntil_ = 0;
    std::optional<double> quietDeadline_; // from then on, chatter ends the waiting request
    double lastByteAt_ = -1e9;            // when the line last brought bytes
    bool lastRequestUnwritten_ = false;
    platform::Timer deferTimer_;
    platform::Timer splitTimer_;
};
