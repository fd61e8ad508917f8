#pragma once

#include "platform/Scheduler.h"
#include "support/PseudoTerminal.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace testsupport {

// A stabiliser unit at the far end of a pseudo-terminal. The program opens `devicePath()` as its
// serial port; the unit reads the commands it sends and answers as a unit of the chosen model
// would: "r", "R", "W" (one write, or the letter alone and the block later), "REBT", "REST",
// "LEVL", "HOVR", the polls "INFO", "STCK", "SERV", "SNSR" and "d", and the page commands "TRIM",
// "TRVL", "CNCL", "ACCL", the calibration step bytes 0x01.., "l" and "h". Commands a model does
// not know are recorded and not answered. Calibrations and procedures keep their result in the
// block, as a unit does: "LEVL" and "HOVR" the level and hover offsets (bytes 15-18), the last
// accelerometer calibration step the accelerometer offsets (bytes 3-8), and the end of servo
// trimming ("CNCL" after "TRIM") the OVXB's sub-trims (bytes 62-66).
//
// Input is read from the Qt event loop (pump it with waitUntil). Delayed replies (late replies,
// split replies, per-command latency) are timed with platform::scheduler(), so a test with a
// ManualScheduler moves them with advance(). Create the ManualScheduler before the unit.
class SimulatedBootLoader;

class SimulatedUnit {
public:
    // Faults a reply can carry.
    enum class Fault {
        NoReply,    // the reply is dropped
        LateReply,  // the reply goes out lateDelay() seconds later
        WrongAck,   // the first byte is 0x06 instead of 0x0D
        BadCrc,     // the last byte is inverted
        SwappedCrc, // the last two bytes change places (CRC low byte first)
        ShortReply, // the last byte is missing
        ExtraByte,  // one byte 0x00 follows in the same write
        SplitReply, // written in chunks (splitChunks()) with splitGap() seconds between them
    };

    static constexpr char kAck = 0x0D;
    // Where the procedures keep their results in the block (four-letter models).
    static constexpr int kAccelOffsets = 3, kLevelOffsets = 15, kHoverOffsets = 17,
                         kSubTrims168 = 62;
    static constexpr char kNak = 0x15; // the unit's answer to a frame it refuses

    // A unit of the model `deviceId` (166, 168, 169 or 170) with that model's default versions
    // and parameter block.
    explicit SimulatedUnit(int deviceId = 168);
    ~SimulatedUnit();
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    bool isValid() const { return pty_.isValid(); }
    QString devicePath() const { return pty_.devicePath(); }

    // ---- Identity ----
    // Switches to a model: default versions, that model's default block, procedures ended.
    void setModel(int deviceId);
    int deviceId() const { return deviceId_; }
    // Also byte 1 of the block.
    void setFirmwareVersion(quint8 version);
    quint8 firmwareVersion() const { return firmwareVersion_; }
    // Also byte 2 of the block; for model 170 the block takes the length of that data version.
    void setDataVersion(quint8 version);
    quint8 dataVersion() const { return dataVersion_; }

    // ---- Parameter block ----
    // Block length of a model: 71 (166, 169), 91 (168), 93 or 96 (170 with data version 16 or
    // another); 0 for an unknown model.
    static int blockLength(int deviceId, quint8 dataVersion);
    // Bytes of block a "W" frame carries (57 for 166, which writes the letter alone first and
    // only the head of its block; the block length for the others).
    static int writePayloadLength(int deviceId, quint8 dataVersion);
    // A plausible factory block: byte 1 firmware version, byte 2 data version, one-g values of
    // 8192 at bytes 9-14 (little-endian) for the four-letter models, every other byte 0.
    static QByteArray defaultBlock(int deviceId, quint8 firmwareVersion, quint8 dataVersion);
    QByteArray block() const { return block_; }
    // Replaces the stored block as it is (no version bytes are forced).
    void setBlock(const QByteArray& block) { block_ = block; }
    // Overrides how many payload bytes the next "W" frames carry (0: the model's own).
    void setWritePayloadLength(int length) { writeLengthOverride_ = length; }

    // ---- Live data ----
    // Payload length of a poll for a model; 0 when the model has no such poll.
    static int pollPayloadLength(int deviceId, const QByteArray& command);
    // Answers `command` ("INFO", "STCK", "SERV", "SNSR", "d") with this payload from now on,
    // instead of generated moving values (the generated "INFO" reports the running procedure
    // as its system state: 4 "ACCL", 7 "TRIM", 8 "TRVL", else 1; its flight mode turns through
    // 0, 1, 2 and its master gain swings between 40 and 80 %). An empty payload goes back to
    // generated values.
    void setPollPayload(const QByteArray& command, const QByteArray& payload);

    // ---- Procedures ----
    // "TRIM", "TRVL" or "ACCL" while one runs, else empty.
    QByteArray activeProcedure() const { return procedure_; }
    // Number of accelerometer calibration steps the model takes (6, or 2 for 169; 0 for 166).
    static int accelCalibrationSteps(int deviceId);

    // ---- What the unit received ----
    // Every byte, in arrival order.
    QByteArray received() const { return received_; }
    // Each recognised command as it arrived; a "W" frame with its payload and CRC.
    QList<QByteArray> frames() const { return frames_; }
    // Number of recognised commands that start with `command` (for "W" the frames; for "R" the
    // reads only, not "REBT" or "REST").
    int count(const QByteArray& command) const;
    void clearRecord();
    // Called for each recognised command (the ovx-sim program prints them).
    std::function<void(const QByteArray& frame)> onFrame;

    // ---- Faults ----
    // The next `times` replies to `command` (any command when empty) carry `fault`. Faults are
    // used in the order they were injected.
    void injectFault(Fault fault, const QByteArray& command = {}, int times = 1);
    void clearFaults() { faults_.clear(); }
    void setLateDelay(double seconds) { lateDelay_ = seconds; }
    double lateDelay() const { return lateDelay_; }
    // Chunk sizes of a split reply (the last chunk takes the rest) and the gap between chunks.
    void setSplit(const QList<int>& chunkSizes, double gapSeconds);
    // Normal latency of the replies to `command` (0: at once).
    void setReplyDelay(const QByteArray& command, double seconds);

    // ---- Timing by hand ----
    // While held, replies are kept instead of written; releaseReplies() writes them in order.
    void holdReplies(bool hold) { holding_ = hold; }
    int heldReplies() const { return int(held_.size()); }
    void releaseReplies();

    // ---- Boot loader ----
    SimulatedBootLoader& bootLoader() { return *bootLoader_; }
    // The unit is switched off and on again: its boot loader waits for "p" a moment.
    void powerCycle();

    // ---- The line ----
    // The unit keeps its answer back for now: a reply waits on the clock or is held, its last
    // command got no answer, a frame waits for the rest of its bytes, or its boot loader runs.
    // Otherwise whatever the program waits for is on its way on the line.
    bool withholding() const;
    // Writes bytes to the program at once, outside any reply.
    void sendRaw(const QByteArray& bytes);
    // Closes the line as when the device is unplugged.
    void hangUp();

    // ---- Extension ----
    // Sees the unread input before the command set: returns the number of bytes it consumed,
    // 0 to wait for more input, or -1 to leave the input to the command set. Used by a unit
    // that runs other firmware (a boot loader).
    using InputHandler = std::function<int(const QByteArray& input)>;
    void setInputHandler(InputHandler handler) { inputHandler_ = std::move(handler); }
    // Sends a reply to `command` through the fault, latency and hold machinery.
    void reply(const QByteArray& command, const QByteArray& bytes);
    // 0x0D, payload, CRC-16 high byte, CRC-16 low byte.
    static QByteArray dataFrame(const QByteArray& payload);

private:
    struct Injected {
        Fault fault;
        QByteArray command;
        int times;
    };

    void readInput();
    void parse(bool settled);
    void handleWord(const QByteArray& word);
    void handleWrite(const QByteArray& frame);
    void storeCalibration(int offset, int count);
    void record(const QByteArray& frame);
    QByteArray pollPayload(const QByteArray& command);
    void emitBytes(const QByteArray& bytes);
    void schedule(double delay, std::function<void()> fn);

    PseudoTerminal pty_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<QTimer> settleTimer_;

    int deviceId_ = 168;
    quint8 firmwareVersion_ = 0;
    quint8 dataVersion_ = 0;
    QByteArray block_;
    int writeLengthOverride_ = 0;
    QByteArray procedure_;
    int accelStepsDone_ = 0;

    QByteArray input_;
    int writeRemaining_ = 0; // payload and CRC bytes still due for a "W" frame
    QByteArray writeFrame_;

    QByteArray received_;
    QList<QByteArray> frames_;

    QList<Injected> faults_;
    double lateDelay_ = 1.0;
    QList<int> splitChunks_{1, 2};
    double splitGap_ = 0.01;
    QMap<QByteArray, double> replyDelays_;
    QMap<QByteArray, QByteArray> pollPayloads_;
    QMap<QByteArray, int> pollCounters_;

    bool unanswered_ = false; // the last command got no reply
    bool holding_ = false;
    QList<QByteArray> held_;

    std::vector<std::pair<platform::Scheduler*, platform::Scheduler::Id>> timers_;
    InputHandler inputHandler_;
    std::unique_ptr<SimulatedBootLoader> bootLoader_;
};

// "W", the block, its CRC high and low byte: the write frame of `block`.
QByteArray writeFrame(const QByteArray& block);

} // namespace testsupport
