#pragma once

#include "OVX_Configurator/ViewController.h"
#include "platform/NotificationCenter.h"
#include "platform/Scheduler.h"

#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class AppDelegate;
struct DeviceModel;
class FirmwareUpdateViewController;
class ModelPageViewController;
class LayoutConstraint;
class ModalViewController;
class OVXA_ViewController;
class OVXB_ViewController;
class OVXC_ViewController;
class OVXD_ViewController;
class WelcomeViewController;
enum PageIndex : int;
namespace Ui {
class MainViewController;
}

// The content of the main window: the port list and status bar at the top, the page area, the
// message bar at the bottom. It owns the connection choice, the unit's identity and parameter
// block, and the pages (child controllers in a fixed order: 0 welcome, 1 firmware update, 2 to 5
// the OVXA, OVXB, OVXC and OVXD pages), and fills the eight handler slots through which the
// active page plugs into the menus. Everything runs on the main thread.
class MainViewController : public ViewController {
    Q_OBJECT
public:
    using Callback = std::function<void()>;

    MainViewController();
    ~MainViewController() override;

    // Outlets of the layout that other classes use: the port list and its reload button (the
    // firmware page disables them while it works) and the status bar the pages fill (the main
    // view's own outlets are private).
    QPointer<QComboBox> lstPortList;
    QPointer<QToolButton> btnReloadPortList;
    QPointer<QLabel> statusSystemState, statusFlightMode, statusMasterGain;
    QPointer<QLabel> statusChannel1, statusChannel2, statusChannel3, statusChannel4, statusChannel5,
        statusChannel6, statusChannel7, statusChannel8, statusChannel9;
    QPointer<QLabel> statusFirmwareVersionTitle, statusFirmwareVersion, statusDataVersionTitle,
        statusDataVersion;
    // Trailing distance of channel indicators 7 and 8.
    LayoutConstraint* constChannel7Trailing = nullptr;
    LayoutConstraint* constChannel8Trailing = nullptr;

    // The identified unit (0 / empty until a unit has been identified) and its parameter block.
    std::uint8_t deviceID = 0;
    QString deviceDesc;
    std::uint8_t firmwareVersion = 0;
    std::uint8_t dataVersion = 0;
    std::int64_t dataLength = 0;
    QByteArray data;

    // Handler slots: the menus and page buttons call only these; an empty slot does nothing.
    Callback handlerDataToUI;
    Callback handlerUIToData;
    Callback handlerReadFromDevice;
    Callback handlerWriteToDevice;
    Callback handlerLevelCalibration;
    Callback handlerHoverCalibration;
    Callback handlerAccelCalibration;
    Callback handlerFactoryRestore;

    AppDelegate* appDelegate; // the program's one delegate
    // False while a procedure that must not be left half-done runs (the accelerometer
    // calibration wizard): the window refuses to close meanwhile.
    bool windowClosable = true;
    QPointer<QWidget> window; // the window whose title is set
    ViewController* currentViewController = nullptr;

    // Pages, made on first use (all but the progress sheet get this view as parentController).
    ModalViewController* modalViewController();
    WelcomeViewController* welcomeViewController();
    FirmwareUpdateViewController* firmwareUpdateViewController();
    OVXA_ViewController* ovxaViewController();
    OVXB_ViewController* ovxbViewController();
    OVXC_ViewController* ovxcViewController();
    OVXD_ViewController* ovxdViewController();

    // The status bar's 16 fields and its 9 channel fields, in order (the program stops when
    // one is not connected).
    QList<QLabel*> statusLabels() const;
    QList<QLabel*> channelLabels() const;

    // Adds the six pages, observes the port events, shows the welcome page and fills the port
    // list (connecting the preselected port).
    void viewDidLoad() override;

    // Shows child page `index` in the content area: stops the firmware-check timer, removes the
    // current page, and for a valid index shows the new page, resets the window title and the
    // status fields and disables the device menu items. An index outside the children leaves
    // the content area empty and changes nothing else.
    void showPage(std::int64_t index);

    void lockMenus() { setMenusEnabled(false); }
    void unlockMenus() { setMenusEnabled(true); }
    // Enabled state of the delegate's main, language and help menus.
    void setMenusEnabled(bool enabled);

    // The message bar at the bottom for 3 seconds (texts already localised).
    void showInfoMessage(const QString& text);
    void showCautionMessage(const QString& text);

    // ---- Ports and identification ----
    // Rebuilds the port list from the link and preselects the open port when it is still listed,
    // else the last port whose name contains "SLAB" (connecting it when `connect`). An open port
    // is closed first (a procedure a page runs on the unit ended there before, as by
    // endProceduresOnUnit) and the list is rebuilt 0.5 s later.
    void reloadPortList(bool connect);
    // (Re)opens the link on `name`; an open port is closed first and the new one opened 0.5 s
    // later. "OPEN_PORT_FAILED" when it does not open ("PORT_PATH_MISSING" when its path leads
    // nowhere). Another port than the identified unit's may hold another unit: the unit is
    // forgotten (its page, polls, block and handler slots) until Connect identifies the unit on
    // the new port.
    //
    // The pause after closing a port does not block the program. Whatever comes during it (a
    // port event, a choice of port, a device operation) first finishes the step waiting for its
    // end, so that it finds the port list and the connection as they are after the pause.
    void connectPort(const QString& name);
    // Tells the user that no port is open: "OPEN_PORT_FAILED" or "PORT_PATH_MISSING" when the
    // chosen port is listed but did not open, else "SELECT_PORT_WARNING" (OK opens the port list),
    // or the caution message "PORT_NOT_FOUND" when there is no port at all.
    void warnPortNotConnected();
    // Sends "r" and identifies the unit from its reply.
    void detectDevice();
    // The identified unit's port opens again after it closed or went away: another unit may be
    // on it now. The link is held from the moment the port closed, so nothing but "r" and "R"
    // reaches the port until the unit on it has answered. The same device identifier, firmware
    // and data version, and the block the program last knew the unit to hold: the page goes on
    // as it was (its edits kept). Where a calibration or procedure of the program ended without
    // the read that follows it (the port closed first), the same unit with another block goes on
    // with the block read into the page, as that read would have done. Another answer, or none,
    // forgets the unit as a change of port does, with one message naming the port that stays its
    // full 3 seconds. An answer that is no identification or block (a unit just plugged in may
    // still sit in its boot loader) is asked once more, from "r", retryUnitCheckDelay seconds
    // later.
    void checkReturningUnit();
    // Whether the unit on a reopened port is still to answer (the link is held meanwhile).
    bool isCheckingReturningUnit() const { return unitPortLost_; }
    // Before the program lets go of the identified unit's port (it quits, or another port is
    // chosen): a procedure a page runs on the unit is ended there with the word its Cancel or
    // Exit sends.
    void endProceduresOnUnit();
    // Identifies the unit from the "r" reply in the link's data: page, block length, versions,
    // handler slots, device menus, the firmware-check timer, then reads the block.
    void identifyDevice();
    // Accelerometer calibration slot of the OVXB, OVXC and OVXD pages: selects "Sensor" in
    // `tabMain`, then "AccelerometerCalibration" in `tabSensor` (the program stops when either is
    // missing).
    void selectAccelCalibrationTab(QTabWidget* tabMain, QTabWidget* tabSensor);
    // Shows the firmware and data version in the status bar, as the pages' dataToUI do: the
    // identified unit's own, else the block's (bytes 1 and 2); nothing while the block is
    // shorter than 3 bytes.
    void showBlockVersions();

    // Port list actions.
    void lstPortListItemAction();
    void btnReloadPortListAction();

    // Observers of the port manager's and the link's port events. An error of the link's port
    // while it is open shows "PORT_ERROR"; one of a port that failed to open is left to the
    // open's own "OPEN_PORT_FAILED".
    void serialPortsWereConnected(const platform::Notification& n);
    void serialPortsWereDisconnected(const platform::Notification& n);
    void serialPortWasOpened(const platform::Notification& n);
    void serialPortWasClosed(const platform::Notification& n);
    void serialPortWasRemovedFromSystem(const platform::Notification& n);
    void serialPortEncounterError(const platform::Notification& n);
    // Whether a port notification is about the link's port.
    bool isCurrentPort(const platform::Notification& n) const;

    // ---- The parameter block and the unit ----
    // Each first checks that a port is open (else warnPortNotConnected and no closure runs).
    // A request the link refuses while it is busy runs no closure either. A request that gets no
    // reply shows "RESPONSE_TIMEOUT", or "LINE_BUSY" when it was never written (showNoReply).
    //
    // "R": the block into `data`, handlerDataToUI, "READ_SUCCESS".
    void readFromDevice(Callback onSuccess, Callback onError, Callback onTimeout);
    // After "WRITE_CONFIRM": handlerUIToData, then sendBlock(head); "DEVICE_BUSY" when the link
    // refuses it. Refused with "NO_UNIT_NO_PARAMETERS" (no unit identified), "DATA_BUFFER_EMPTY"
    // or "DATA_BUFFER_INVALID" (onError) unless `data` holds exactly `dataLength` bytes.
    void writeToDevice(Callback onSuccess, Callback onError, Callback onTimeout,
                       qsizetype head = 0);
    // The block to the unit, the link busy until the reply, once checkUnitOnLine found the unit
    // the block was read from: with `head` 0, "W", the block and its CRC in one write, one
    // acknowledge byte; else the letter "W" alone, then the link's pause, the first `head` bytes
    // and their CRC, two acknowledge bytes. A rejected or missing reply shows "RESPONSE_ERROR"
    // or "RESPONSE_TIMEOUT" before onError or onTimeout. False (no closure runs) when the link
    // refused the request.
    bool sendBlock(qsizetype head, Callback onSuccess, Callback onError, Callback onTimeout);
    // "REBT", after "RESTART_CONFIRM" when `confirm`; only the caller's closures report.
    void restartDevice(bool confirm, Callback onSuccess, Callback onError, Callback onTimeout);
    // After "RESET_CONFIRM": "REST", "RESET_SUCCESS", then the block is read again.
    void factoryReset(Callback onSuccess, Callback onError, Callback onTimeout);
    // After their confirmation, with the menus locked under the progress sheet: "LEVL" / "HOVR",
    // "CALIBRATION_SUCCESS" and the block read again, or "CALIBRATION_FAILED" /
    // "RESPONSE_TIMEOUT". Every outcome, a refused request too, unlocks the menus.
    void levelCalibration(Callback onSuccess, Callback onError, Callback onTimeout);
    void hoverCalibration(Callback onSuccess, Callback onError, Callback onTimeout);
    // A calibration by `command` with a two-byte acknowledgement within `timeout` seconds, asked
    // by `confirmKey` ("START" / "CANCEL"), as above. A command the link refuses (busy) closes
    // the sheet, unlocks the menus and shows "DEVICE_BUSY".
    void calibrate(const char* confirmKey, const QByteArray& command, double timeout,
                   Callback onSuccess, Callback onError, Callback onTimeout);
    // The block to a "dat" file chosen in a save panel, written atomically. Refused like a write
    // unless `data` holds exactly `dataLength` bytes of an identified unit, before the panel and
    // again after it (the unit may have been forgotten meanwhile): the file is left as it was.
    void saveParameterFile(Callback onSuccess, Callback onFailure);
    // A "dat" file of exactly `dataLength` bytes and the unit's data version into `data`, then
    // handlerDataToUI. Any other file is refused with "BAD_FILE_FORMAT" and `data` stays as it
    // was; with no unit identified when the panel closes, "NO_UNIT_FOR_FILE".
    void openParameterFile(Callback onSuccess, Callback onFailure);
    // The critical message of a request that got no reply: "LINE_BUSY" when the link never
    // wrote it (the line kept bringing bytes, or its port closed), else "RESPONSE_TIMEOUT".
    void showNoReply();

    // How long the port list waits after closing a port.
    static constexpr double portClosePause = 0.5;
    // Time-outs of the requests, in seconds.
    static constexpr double identifyTimeout = 0.5;
    static constexpr double blockTimeout = 0.5;
    static constexpr double restartTimeout = 0.1;
    static constexpr double calibrationTimeout = 5.0;
    // The firmware release check runs this long after an identification.
    static constexpr double firmwareCheckDelay = 80.0;
    // A unit on a reopened port that answered "r" with something else is asked again this much
    // later (its boot loader has let it start by then); one that could not be asked because an
    // earlier exchange still holds the line, this much later.
    static constexpr double retryUnitCheckDelay = 1.0;
    static constexpr double unitCheckLineWait = 0.1;

protected:
    QWidget* loadView() override;

private:
    // Outlets of the layout only the main view uses (tests find them by their object names).
    QPointer<QWidget> MainContentView;
    QPointer<QWidget> StatusBarView;
    QPointer<QWidget> BottomMessageView;
    QPointer<QLabel> txtBottomMessage;
    QPointer<QLabel> imgBottomMessageIcon;
    QPointer<QLabel> imgPortStatus;

    void setDeviceItemsEnabled(bool enabled, bool rebootAndAccelEnabled);
    void showMessage(const QString& text, const QColor& background, QStyle::StandardPixmap icon);
    void rebuildPortList(bool connect, const QString& keep);
    void openPort(const QString& name);
    bool portIsOpen() const;
    // Whether the link's port is open (after finishPortPause); else warnPortNotConnected.
    bool requirePort();
    void afterPortPause(Callback step);
    void finishPortPause();
    void endFirmwareWork();
    // The unit can no longer be reached: every model page ends what it runs on the unit
    // (ModelPageViewController::unitGone).
    void unitGone();
    void forgetDevice();
    // Forgets the unit and tells the user why (`reason`, localised).
    void forgetUnit(const QString& reason);
    void unitPortClosed();
    void askReturningUnit(bool readBlock);
    void returningUnitAnswered();
    void returningUnitBlockRead();
    bool isIdentifiedUnit(const QByteArray& identity) const;
    // Whether `block`, read from the unit, is what the program last knew the unit to hold.
    bool holdsKnownBlock(const QByteArray& block);
    void recordUnitBlock(const QByteArray& block);
    void clearUnitBlockRecord();
    // The block read from the unit into `data` and the record, shown by the page, "READ_SUCCESS".
    void takeReadBlock(const QByteArray& block);
    QByteArray blockAsStored(qsizetype head) const;
    // Asks the unit on the line who it is ("r") and reads its block ("R"), and runs `proceed`
    // only when it is the identified unit (identifier, firmware and data version) and holds the
    // block the program last knew it to hold (as last read from it or written to it; the reads
    // after a calibration, a procedure or a factory restore keep that true). Otherwise nothing
    // more is sent: the unit is forgotten with the critical message "UNIT_NOT_THE_SAME", then
    // onError runs. A rejected or missing reply reports as sendBlock's. False (no closure runs)
    // when the link refused the request.
    bool checkUnitOnLine(Callback proceed, Callback onError, Callback onTimeout);
    void writeBlock(qsizetype head, Callback onSuccess, Callback onError, Callback onTimeout);
    void returningUnitNotIdentified(bool answered);
    void endUnitCheck();
    void installHandlers(const DeviceModel& model);
    ModelPageViewController* modelPage(PageIndex page);
    // The four model pages made so far (null for one not made yet).
    std::array<ModelPageViewController*, 4> modelPages() const;
    bool checkBlock(const Callback& onFailure);
    // A closure that shows the critical alert of `key`, then runs `then`.
    Callback reportFailure(const char* key, Callback then);
    // A closure that shows showNoReply, then runs `then`.
    Callback reportNoReply(Callback then);
    template <class Page> Page* page(std::unique_ptr<Page>& slot);

    std::unique_ptr<Ui::MainViewController> ui_;
    std::unique_ptr<LayoutConstraint> channel7Trailing_, channel8Trailing_;
    std::unique_ptr<ModalViewController> modalViewController_;
    std::unique_ptr<WelcomeViewController> welcomeViewController_;
    std::unique_ptr<FirmwareUpdateViewController> firmwareUpdateViewController_;
    std::unique_ptr<OVXA_ViewController> ovxaViewController_;
    std::unique_ptr<OVXB_ViewController> ovxbViewController_;
    std::unique_ptr<OVXC_ViewController> ovxcViewController_;
    std::unique_ptr<OVXD_ViewController> ovxdViewController_;
    std::vector<platform::Observation> observations_;
    platform::Timer portPause_;         // the end of the pause after closing a port
    Callback portPauseStep_;            // what waits for it
    unsigned portAttempt_ = 0;          // counts the ports opened and closed here
    std::optional<QString> failedPort_; // the chosen port, when it did not open
    std::optional<QString> unitPort_;   // the port of the identified unit
    bool unitPortLost_ = false;         // it closed since: the unit on it must answer "r"
    bool unitAskedAgain_ = false;       // the unit on it was asked a second time
    unsigned unitCheck_ = 0;            // counts the checks, so a stale answer is ignored
    platform::Timer unitCheckTimer_;
    unsigned messagesShown_ = 0; // counts the message bar's messages
    double barKeptUntil_ = 0;    // no earlier message hides the bar before then
    // The block the identified unit holds as far as the program knows (last read from it or
    // written to it), and the one it holds if a write whose reply failed was stored after all.
    std::optional<QByteArray> unitBlock_;
    std::optional<QByteArray> unitBlockIfWritten_;
    // A calibration or factory restore was sent, or a procedure ended on the unit, and no read
    // has recorded its result yet: the unit coming back on the port with another block is still
    // the same unit.
    bool blockChangedByProgram_ = false;
};
