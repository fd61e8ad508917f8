#pragma once

#include "OVX_Configurator/FirmwareUpdateElement.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/ViewController.h"
#include "OVX_Configurator/XMLParser.h"
#include "OVX_Configurator/device/FirmwareImage.h"
#include "platform/Scheduler.h"

#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QTabWidget>
#include <QToolButton>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AppDelegate;
class MainViewController;
namespace Ui {
class FirmwareUpdateViewController;
}

// The firmware update page, child page 1 of the main view. It fetches the maker's device list
// and firmware release list, downloads the chosen release ("OnlineUpdate") or opens an image
// file ("OfflineUpdate"), checks the image, restarts the connected unit into its boot loader over
// the one device link and writes the image page by page, with retries and progress.
//
// The update is a state machine (State). Each step that waits (a reply, a confirmation, a
// pause) carries the number of the run it belongs to; ending or cancelling a run changes the
// number, so a reply or a delayed step that comes later is dropped. Start takes a snapshot of
// the image and its targets: what is written is what was shown when Start was pressed.
class FirmwareUpdateViewController : public ViewController, public XMLParserDelegate {
    Q_OBJECT
public:
    // Which list the parser is reading; raw values are the lists' file names.
    enum class XMLFileName { XMLDeviceList, XMLUpdateList };
    static QString rawValue(XMLFileName name);
    // Only "device_list.xml" and "update_list.xml" make one.
    static std::optional<XMLFileName> xmlFileName(const QString& raw);

    // One unit model of the device list: the texts of the child elements of the same name.
    struct DeviceElement {
        std::optional<QString> device_id;
        std::optional<QString> name_cn;
        std::optional<QString> name_en;
        // The field that the element `elementName` fills, or null.
        std::optional<QString>* field(const QString& elementName);
        bool operator==(const DeviceElement&) const = default;
    };
    // One release of the release list (the same list and fields as the delegate's check).
    using UpdateElement = FirmwareUpdateElement;

    // Where the update sequence stands.
    enum class State {
        Idle,
        Identifying,         // "r" in application mode
        ConfirmingUpdate,    // "UPDATE_CONFIRM" shown
        Restarting,          // "REBT" or "b" sent
        ProbingAfterRestart, // the pause, then "p"
        ReadingIdentifier,   // "r" to the boot loader after the restart
        ConfirmingDetect,    // "DETECT_CONFIRM" shown
        Detecting,           // probing for a boot loader (isDetecting)
        Updating,            // writing pages (isUpdating)
    };

    // Time-outs of the sequence's requests and the pause after the restart command, in seconds.
    struct Timeouts {
        double identify = 0.5;
        double restart = 0.3;
        double restartPause = 0.1;
        double probe = 0.5;
        double readIdentifier = 0.5;
        double page = 0.5;
        double leave = 0.1;
    };

    // Failed page writes an update tolerates; the next one ends it.
    static constexpr int kMaxRetries = 6;

    FirmwareUpdateViewController();
    ~FirmwareUpdateViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate

    // Outlets.
    QPointer<QTabWidget> tabMain;
    QPointer<QComboBox> lstDeviceList, lstFirmwareList;
    QPointer<QToolButton> btnReloadDeviceList, btnReloadFirmwareList;
    QPointer<QPlainTextEdit> txtFirmwareDescription;
    QPointer<QProgressBar> barUpdateProgress;
    QPointer<QPushButton> btnStart, btnClose;
    QPointer<QLabel> txtUpdating, txtUpdateInformation;
    QPointer<QProgressBar> barDetecting;
    QPointer<QLabel> txtDetecting;
    QPointer<QLineEdit> txtFilename;
    QPointer<QPushButton> btnOpen;
    QPointer<QPlainTextEdit> txtFirmwareFileDescription;

    int pageSize = int(firmware::kPageSize);
    double updateInterval = 0.05; // pause before each page write
    double detectInterval = 0.05; // pause between boot-loader probes
    Timeouts timeouts;

    XMLFileName currentXMLFile = XMLFileName::XMLDeviceList;
    std::optional<QString> currentNodeName;
    std::vector<DeviceElement> deviceElements;
    std::vector<UpdateElement> updateElements;
    // The releases in lstFirmwareList: item i + 1 shows entry i.
    std::vector<UpdateElement> currentUpdateElements;
    std::optional<DeviceElement> deviceElement;
    std::optional<UpdateElement> updateElement;

    std::uint8_t targetDeviceId = 0;
    std::uint8_t targetVersion = 0;
    QString targetFilename;
    AddressMode targetAddressMode = AddressMode::_16BIT;
    QByteArray firmwareData;

    // Progress of the running update: whole pages of its image, the next page, failures so far.
    qsizetype pages = 0;
    qsizetype page = 0;
    int retryCount = 0;

    State state() const { return state_; }

    void viewDidLoad() override;

    // ---- Actions ----
    void btnLoadDeviceListAction();
    void btnLoadFirmwareListAction();
    void lstDeviceListAction();
    void lstFirmwareListAction();
    void btnOpenFileAction();
    // Start, or (while detecting) stop the search: told apart by the state, not the title.
    void btnStartAction();
    void btnCloseAction();

    // ---- Lists ----
    void loadDeviceList();
    void loadFirmwareList();
    void fetchList(QComboBox* list, const QString& urlText,
                   std::function<void(const QByteArray&)> onData,
                   std::function<void(const QString&)> onError);
    void parseDeviceList(const QByteArray& data);
    void parseUpdateList(const QByteArray& data);
    void fillDeviceList();
    void fillFirmwareList();
    void showListError(const QString& text);
    void showFirmwareDescription(qsizetype index);
    // A GET on the maker's site through the delegate; a missing HTTP answer is an error too.
    void httpGet(const QString& urlText, std::function<void(const QByteArray&)> onData,
                 std::function<void(const QString&)> onError);

    void parserDidStartElement(XMLParser& parser, const QString& elementName,
                               const QString& namespaceURI, const QString& qualifiedName,
                               const QXmlStreamAttributes& attributes) override;
    void parserDidEndElement(XMLParser& parser, const QString& elementName,
                             const QString& namespaceURI, const QString& qualifiedName) override;
    void parserFoundCharacters(XMLParser& parser, const QString& string) override;

    // ---- The image ----
    // Reads the file named (as a "file:" URL) by txtFilename and shows its summary; a file that
    // is missing, unreadable or shorter than 2 bytes is refused and forgets the file and image.
    void loadFirmwareFile();
    // The open panel's answer: the chosen path, none when cancelled.
    void openPanelDone(const std::optional<QString>& path);
    void firmwareDownloaded(const QByteArray& data);
    void downloadFailed(const QString& text);

    // ---- The update sequence ----
    void startUpdate();
    void chooseBootCommand();
    void sendBootCommand(const QByteArray& command);
    void probeAfterReboot();
    void readBootloaderId(std::function<void()> onSuccess, std::function<void()> onError,
                          std::function<void()> onTimeout);
    void checkBootloaderId();
    void confirmDetect();
    void startDetecting();
    void probeBootloader();
    void checkDetectedDevice();
    void scheduleProbe();
    void beginUpdate();
    void sendPage();
    void pageDone();
    void pageFailed();
    void scheduleNextPage();
    // Ends a running update: hides the progress, enables the controls and menus again and
    // clears the delegate's isUpdating (quitting is allowed again).
    void endUpdate();
    // Ends the boot-loader search: hides its indicator, enables the controls and menus again,
    // clears the delegate's isDetecting and titles the start button "START_UPDATE" again.
    void stopDetecting();

protected:
    QWidget* loadView() override;

private:
    // What Start took: the image and its targets.
    struct Snapshot {
        QByteArray image;
        std::uint8_t deviceId = 0;
        AddressMode addressMode = AddressMode::_16BIT;
    };
    // An opened file as its summary shows it.
    struct OpenedFile {
        QByteArray data;
        std::uint8_t deviceId = 0;
        std::uint8_t version = 0;
        AddressMode addressMode = AddressMode::_16BIT;
    };

    // Wraps a step of the current run: it runs only while that run is the current one.
    std::function<void()> step(void (FirmwareUpdateViewController::*fn)());
    std::function<void()> step(std::function<void()> fn);
    bool portIsOpen() const;
    SerialPort& link() const;
    // Back to idle: every pending step and reply of the run is dropped.
    void finishRun();
    // finishRun, then the critical alert of `key`, then (when `leave`) "e" to the boot loader.
    void failRun(const char* key, bool leave);
    void sendLeave();
    void setDetectingLocks(bool locked);
    void setUpdatingLocks(bool locked);
    void forgetFile();
    bool usesEnglish() const;
    void loadList(QComboBox* list, const QString& path,
                  void (FirmwareUpdateViewController::*parse)(const QByteArray&));
    // Parses a list into its entries; a damaged one is reported, offers nothing and gives false.
    bool parseList(const QByteArray& data, XMLFileName file, QComboBox* list,
                   const char* placeholderKey);
    // Runs a fill from the event loop, after the parse.
    void fillLater(void (FirmwareUpdateViewController::*fill)());

    std::unique_ptr<Ui::FirmwareUpdateViewController> ui_;
    State state_ = State::Idle;
    unsigned run_ = 0;
    Snapshot snapshot_;
    std::optional<OpenedFile> openedFile_;
    // What the release list says of the release being downloaded.
    std::optional<firmware::ExpectedImage> expected_;
    platform::Timer stepTimer_; // the pause after the restart, between probes, between pages
};
