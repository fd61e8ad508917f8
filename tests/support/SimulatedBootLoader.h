#pragma once

#include "OVX_Configurator/SerialPort.h"
#include "platform/Scheduler.h"
#include "support/SimulatedUnit.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <functional>

namespace testsupport {

// The boot loader of a SimulatedUnit. A restart of the unit ("REBT", "b" or powerCycle())
// starts it: for bootWindow() seconds it waits for "p", answering "r" meanwhile as below; without
// one (time up, or another byte first) the unit goes back to its application, with one the boot
// loader stays and answers
//   "p"                      0x0D
//   "r"                      one byte, its identifier() (no acknowledge, no CRC)
//   "w" a1 a0 + 128 + CRC    (16-bit addresses) \ the page, checked against its CRC, un-permuted
//   "W" a2 a1 a0 + 128 + CRC (24-bit addresses) / into flash(); 0x0D, or 0x15 when refused
//   "e"                      0x0D, and the unit runs its application again.
// An identifier of 171 takes "W", any other "w". Replies go through the unit's fault and latency
// machinery under the keys "boot p", "boot r", "boot w", "boot W" and "boot e" (injectFault()).
class SimulatedBootLoader {
public:
    static constexpr char kNak = 0x15;

    enum class Mode {
        Application, // the unit runs its application; the boot loader hears nothing
        Window,      // just restarted: waiting for "p"
        Active,      // answering the boot-loader commands
    };

    explicit SimulatedBootLoader(SimulatedUnit& unit);
    ~SimulatedBootLoader();
    SimulatedBootLoader(const SimulatedBootLoader&) = delete;
    SimulatedBootLoader& operator=(const SimulatedBootLoader&) = delete;

    Mode mode() const { return mode_; }
    bool isActive() const { return mode_ == Mode::Active; }
    // The unit restarts: the boot loader waits bootWindow() seconds for "p".
    void restart();
    // Starts in the boot loader at once, as a unit that was powered up with "p" already waiting.
    void enter();

    // The byte "r" answers: the unit's model unless set (171 for a 24-bit unit).
    int identifier() const;
    void setIdentifier(int id) { identifier_ = id; }
    AddressMode addressMode() const;

    double bootWindow() const { return bootWindow_; }
    void setBootWindow(double seconds) { bootWindow_ = seconds; }
    // Answers each page write only after the frame's time on a line of `baud` (0: at once), as a
    // unit at the far end of a real serial line would.
    void setLineRate(int baud);

    // ---- The flash ----
    // Flash bytes from address 0; never written bytes are 0xFF.
    QByteArray flash() const { return flash_; }
    // The 128 bytes at page × 128 (0xFF where nothing was written).
    QByteArray flashPage(qsizetype page) const;
    void eraseFlash() { flash_.clear(); }
    // Whether the flash holds every page of the firmware image `image` at its address.
    bool flashMatches(const QByteArray& image) const;
    // The first flash page that differs from `image`, or -1.
    qsizetype firstDifferentPage(const QByteArray& image) const;

    // ---- What it received ----
    struct PageWrite {
        std::uint32_t address;
        QByteArray sent; // the 128 bytes as they came (permuted)
        bool accepted;
    };
    const QList<PageWrite>& pageWrites() const { return writes_; }
    // Boot-loader commands in arrival order ("p", "r", "e", "w"/"W" for a page write).
    const QList<QByteArray>& commands() const { return commands_; }
    void clearRecord();
    // Called for each boot-loader command (ovx-sim prints them).
    std::function<void(const QByteArray& command)> onCommand;

    // ---- Faults ----
    // The next `times` replies to the boot-loader `command` ("p", "r", "w", "W", "e") carry
    // `fault`.
    void injectFault(SimulatedUnit::Fault fault, const QByteArray& command, int times = 1);
    // The next `times` page writes are refused with 0x15 although their CRC is good.
    void refusePages(int times) { refusals_ += times; }

private:
    int handleInput(const QByteArray& input);
    void handleWrite(const QByteArray& frame, int addressBytes);
    void answer(const QByteArray& command, const QByteArray& bytes);

    SimulatedUnit& unit_;
    Mode mode_ = Mode::Application;
    int identifier_ = 0; // 0: the unit's model
    double bootWindow_ = 1.0;
    platform::Timer window_;
    QByteArray flash_;
    QList<PageWrite> writes_;
    QList<QByteArray> commands_;
    int refusals_ = 0;
};

} // namespace testsupport
