// The simulated unit's boot loader as the device link meets it: the far end that the firmware
// update's tests rely on must take pages at the right addresses and refuse what a unit refuses.

#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/device/FirmwareImage.h"
#include "platform/Scheduler.h"
#include "support/EventLoop.h"
#include "support/SimulatedBootLoader.h"
#include "support/SimulatedPorts.h"
#include "support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <memory>

using testsupport::SimulatedBootLoader;
using testsupport::SimulatedUnit;
using Fault = SimulatedUnit::Fault;

namespace {

enum class Outcome { None, Success, Error, Timeout };

// A unit on a simulated port, a link opened on it, time by hand.
struct Bench {
    explicit Bench(int model = 168) : unit(model), ports(unit) {
        link = SerialPort::create();
        link->connect("SLAB_sim");
        clock.advance(SerialPort::connectCheckDelay);
    }
    platform::ManualScheduler clock;
    platform::ScopedScheduler scope{clock};
    SimulatedUnit unit;
    testsupport::SimulatedPorts ports;
    std::shared_ptr<SerialPort> link;
    Outcome outcome = Outcome::None;

    SimulatedBootLoader& boot() { return unit.bootLoader(); }

    // Runs a request and waits for its outcome (the time-out after `timeout` on the clock).
    Outcome await(const std::function<bool(SerialPort::Callback, SerialPort::Callback,
                                           SerialPort::Callback)>& request,
                  double timeout = 0.5) {
        outcome = Outcome::None;
        const bool accepted =
            request([this] { outcome = Outcome::Success; }, [this] { outcome = Outcome::Error; },
                    [this] { outcome = Outcome::Timeout; });
        EXPECT_TRUE(accepted);
        if (!testsupport::waitUntil([this] { return outcome != Outcome::None; }, 300)) {
            // After a time-out the link sends the next request once the line was quiet.
            clock.advance(SerialPort::quietAfterTimeout);
            if (!testsupport::waitUntil([this] { return outcome != Outcome::None; }, 300))
                clock.advance(timeout);
        }
        return outcome;
    }
    Outcome command(const QByteArray& word) {
        return await(
            [&](auto s, auto e, auto t) { return link->sendCommand(word, true, 0.5, s, e, t); });
    }
    Outcome readByte() {
        return await(
            [&](auto s, auto e, auto t) { return link->requestBytes("r", 1, true, 0.5, s, e, t); });
    }
    Outcome writePage(AddressMode mode, std::uint32_t address, const QByteArray& page) {
        const QByteArray sent = firmware::pageBytePermutation(page);
        const QByteArray letter = mode == AddressMode::_24BIT ? "W" : "w";
        return await([&](auto s, auto e, auto t) {
            return link->sendAddressedFrame(letter, mode, address, sent, sent.size(), true, 0.5, s,
                                            e, t);
        });
    }
};

QByteArray pageOf(char seed) {
    QByteArray page(firmware::kPageSize, '\0');
    for (int i = 0; i < page.size(); ++i)
        page[i] = char(seed + i);
    return page;
}

TEST(SimulatedBootLoader, RestartOpensAWindowForTheProbe) {
    Bench b(168);
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Application);
    EXPECT_EQ(b.command("REBT"), Outcome::Success);
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Window);
    b.clock.advance(0.1);
    EXPECT_EQ(b.command("p"), Outcome::Success);
    EXPECT_TRUE(b.boot().isActive());
    ASSERT_EQ(b.readByte(), Outcome::Success);
    EXPECT_EQ(quint8(b.link->data()[0]), 168);
    EXPECT_EQ(b.command("e"), Outcome::Success);
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Application);
    EXPECT_EQ(b.boot().commands(), (QList<QByteArray>{"p", "r", "e"}));

    // Without a probe in time, or with another command first, the application runs on.
    EXPECT_EQ(b.command("b"), Outcome::Success);
    b.clock.advance(b.boot().bootWindow());
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Application);
    EXPECT_EQ(b.command("p"), Outcome::Timeout);
    b.unit.powerCycle();
    auto identify = [&] {
        return b.await([&](auto s, auto e, auto t) {
            return b.link->requestDataFrame("r", 3, true, 0.5, s, e, t);
        });
    };
    // Just switched on, the boot loader answers "r" with its identifier byte alone and goes on
    // waiting; the application answers once the window has passed.
    b.boot().clearRecord();
    EXPECT_EQ(identify(), Outcome::Timeout);
    EXPECT_EQ(b.boot().commands(), QList<QByteArray>{"r"});
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Window);
    // The window passes, and so does the link's wait for the rest of the frame it expected.
    b.clock.advance(std::max(b.boot().bootWindow(), SerialPort::lateReplyAllowance));
    EXPECT_EQ(identify(), Outcome::Success);
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Application);
    b.unit.powerCycle();
    EXPECT_EQ(b.command("REST"), Outcome::Success); // another command starts the application
    EXPECT_EQ(b.boot().mode(), SimulatedBootLoader::Mode::Application);
}

TEST(SimulatedBootLoader, WritesPage5AtAddress640InBothWidths) {
    for (int id : {168, 171}) {
        Bench b(id == 171 ? 170 : id);
        b.boot().setIdentifier(id);
        b.boot().enter();
        const AddressMode mode = firmware::addressModeFor(std::uint8_t(id));
        EXPECT_EQ(b.boot().addressMode(), mode);
        b.unit.clearRecord();
        const QByteArray page = pageOf(char(id));
        ASSERT_EQ(b.writePage(mode, 5 * 128, page), Outcome::Success) << id;
        const QByteArray head = mode == AddressMode::_24BIT ? QByteArray("W\x00\x02\x80", 4)
                                                            : QByteArray("w\x02\x80", 3);
        EXPECT_TRUE(b.unit.received().startsWith(head)) << id;
        EXPECT_EQ(b.unit.received().size(), head.size() + 128 + 2) << id;
        ASSERT_EQ(b.boot().pageWrites().size(), 1);
        EXPECT_EQ(b.boot().pageWrites()[0].address, 640u);
        EXPECT_EQ(b.boot().flashPage(5), page) << id;
        EXPECT_EQ(b.boot().flashPage(4), QByteArray(128, char(0xFF))) << id;
    }
}

TEST(SimulatedBootLoader, RefusesBadPagesAndCarriesFaults) {
    Bench b(168);
    b.boot().enter();
    // A page with a damaged CRC: NAK, nothing written.
    QByteArray frame("w\x00\x00", 3);
    frame.append(pageOf(1));
    frame.append("\x00\x00", 2);
    b.unit.clearRecord();
    EXPECT_EQ(b.await([&](auto s, auto e, auto t) {
        return b.link->sendCommand(frame, true, 0.5, s, e, t);
    }),
              Outcome::Error);
    EXPECT_TRUE(b.boot().flash().isEmpty());
    // A refused page, a lost and a wrong acknowledge; then a page goes through.
    b.boot().refusePages(1);
    EXPECT_EQ(b.writePage(AddressMode::_16BIT, 0, pageOf(2)), Outcome::Error);
    b.boot().injectFault(Fault::NoReply, "w");
    EXPECT_EQ(b.writePage(AddressMode::_16BIT, 0, pageOf(2)), Outcome::Timeout);
    b.boot().injectFault(Fault::WrongAck, "w");
    EXPECT_EQ(b.writePage(AddressMode::_16BIT, 0, pageOf(2)), Outcome::Error);
    EXPECT_EQ(b.writePage(AddressMode::_16BIT, 0, pageOf(2)), Outcome::Success);
    EXPECT_EQ(b.boot().flashPage(0), pageOf(2));
    // A wrong identifier is just another identifier.
    b.boot().setIdentifier(170);
    ASSERT_EQ(b.readByte(), Outcome::Success);
    EXPECT_EQ(quint8(b.link->data()[0]), 170);
}

TEST(SimulatedBootLoader, FlashComparesWithTheImagePageByPage) {
    Bench b(168);
    b.boot().enter();
    QByteArray img("\xA8\x32", 2);
    for (int p = 2; p >= 0; --p)
        img.append(pageOf(char(p * 16)));
    EXPECT_FALSE(b.boot().flashMatches(img));
    for (int p = 0; p < 3; ++p)
        ASSERT_EQ(b.writePage(AddressMode::_16BIT, p * 128, firmware::imagePage(img, p)),
                  Outcome::Success);
    EXPECT_TRUE(b.boot().flashMatches(img));
    img[2 + 5] = char(img[2 + 5] ^ 1); // a byte of the last page
    EXPECT_EQ(b.boot().firstDifferentPage(img), 2);
}

} // namespace
