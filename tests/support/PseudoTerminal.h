#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// A pseudo-terminal pair for tests: the program under test opens `devicePath()` (the slave side)
// as a serial device; the test reads and writes the master side. The pair keeps its own raw,
// non-blocking descriptor of the slave open, so that the program closing its descriptor does not
// hang up the line.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return master_ >= 0; }
    QString devicePath() const { return path_; }
    int masterFd() const { return master_; }

    // Writes all of `bytes` to the master side.
    bool write(const QByteArray& bytes);
    // Reads what the program has sent so far (non-blocking; empty when nothing is there).
    QByteArray readAvailable();
    // Reads until `count` bytes arrived or `timeoutMs` passed, pumping the Qt event loop meanwhile.
    QByteArray readExactly(int count, int timeoutMs = 2000);

    // Closes both sides, as when the device disappears.
    void hangUp();

private:
    int master_ = -1;
    int slaveKeeper_ = -1;
    QString path_;
};

// Bytes waiting unread in the input queue of the terminal descriptor `fd` (-1 on failure).
int unreadBytes(int fd);
// Waits, without running the event loop, until at least `count` bytes wait unread on `fd`, or
// `timeoutMs` passed: bytes written to the far end have reached the descriptor and nobody has
// read them yet.
bool waitForUnread(int fd, int count, int timeoutMs = 5000);

} // namespace testsupport
