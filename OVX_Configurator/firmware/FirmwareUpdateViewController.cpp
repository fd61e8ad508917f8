#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/HexString.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "platform/MainQueue.h"
#include "ui_FirmwareUpdateViewController.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

const QString kDeviceListPath = QStringLiteral("/updates/device_list.xml");
const QString kUpdateListPath = QStringLiteral("/updates/update_list.xml");
const QString kUpdatesFolder = QStringLiteral("/updates/");
const QString kDeviceElementName = QStringLiteral("device");
const QString kUpdateElementName = QStringLiteral("update");
const QString kOnlineTab = QStringLiteral("OnlineUpdate");
const QString kOfflineTab = QStringLiteral("OfflineUpdate");
// An opened file larger than this is no firmware image (24-bit addresses reach 16 MB).
constexpr qint64 kMaximumFileSize = 0x1000000 + firmware::kHeaderSize + firmware::kPageSize;

bool present(const std::optional<QString>& text) {
    return text && !text->isEmpty();
}

// A byte written in hexadecimal digits ("A6", "a8", "20").
std::optional<std::uint8_t> hexByte(const std::optional<QString>& text) {
    if (!present(text) || !std::all_of(text->begin(), text->end(), [](QChar c) {
            return isxdigit(c.unicode()) && c.unicode() < 128;
        }))
        return std::nullopt;
    const auto value = hexStringToInt(*text);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return std::uint8_t(*value);
}

// A release's listed size: absent, or a decimal byte count.
bool validSize(const std::optional<QString>& text, std::optional<qint64>* out = nullptr) {
    if (!text)
        return true;
    bool ok = false;
    const qint64 value = text->toLongLong(&ok, 10);
    if (!ok || value < 0)
        return false;
    if (out)
        *out = value;
    return true;
}

void setEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* w : widgets)
        if (w)
            w->setEnabled(enabled);
}

void setVisible(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* w : widgets)
        if (w)
            w->setVisible(visible);
}

} // namespace

// ---- Nested types ----

QString FirmwareUpdateViewController::rawValue(XMLFileName name) {
    return name == XMLFileName::XMLDeviceList ? QStringLiteral("device_list.xml")
                                              : QStringLiteral("update_list.xml");
}

std::optional<FirmwareUpdateViewController::XMLFileName>
FirmwareUpdateViewController::xmlFileName(const QString& raw) {
    for (XMLFileName name : {XMLFileName::XMLDeviceList, XMLFileName::XMLUpdateList})
        if (raw == rawValue(name))
            return name;
    return std::nullopt;
}

std::optional<QString>*
FirmwareUpdateViewController::DeviceElement::field(const QString& elementName) {
    if (elementName == QLatin1String("device_id"))
        return &device_id;
    if (elementName == QLatin1String("name_cn"))
        return &name_cn;
    if (elementName == QLatin1String("name_en"))
        return &name_en;
    return nullptr;
}

// ---- Life ----

FirmwareUpdateViewController::FirmwareUpdateViewController()
    : appDelegate(&AppDelegate::shared()),
      ui_(std::make_unique<Ui::FirmwareUpdateViewController>()) {}

FirmwareUpdateViewController::~FirmwareUpdateViewController() = default;

QWidget* FirmwareUpdateViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    tabMain = ui_->tabMain;
    lstDeviceList = ui_->lstDeviceList;
    lstFirmwareList = ui_->lstFirmwareList;
    btnReloadDeviceList = ui_->btnReloadDeviceList;
    btnReloadFirmwareList = ui_->btnReloadFirmwareList;
    txtFirmwareDescription = ui_->txtFirmwareDescription;
    barUpdateProgress = ui_->barUpdateProgress;
    btnStart = ui_->btnStart;
    btnClose = ui_->btnClose;
    txtUpdating = ui_->txtUpdating;
    txtUpdateInformation = ui_->txtUpdateInformation;
    barDetecting = ui_->barDetecting;
    txtDetecting = ui_->txtDetecting;
    txtFilename = ui_->txtFilename;
    btnOpen = ui_->btnOpen;
    txtFirmwareFileDescription = ui_->txtFirmwareFileDescription;

    connect(btnReloadDeviceList, &QToolButton::clicked, this,
            [this] { btnLoadDeviceListAction(); });
    connect(btnReloadFirmwareList, &QToolButton::clicked, this,
            [this] { btnLoadFirmwareListAction(); });
    connect(lstDeviceList, &QComboBox::activated, this, [this] { lstDeviceListAction(); });
    connect(lstFirmwareList, &QComboBox::activated, this, [this] { lstFirmwareListAction(); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { btnOpenFileAction(); });
    connect(btnStart, &QPushButton::clicked, this, [this] { btnStartAction(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void FirmwareUpdateViewController::viewDidLoad() {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtFirmwareFileDescription->setFont(fixed);
    txtUpdateInformation->setFont(fixed);
    loadDeviceList();
}

bool FirmwareUpdateViewController::usesEnglish() const {
    return appDelegate->lang == LanguageType::English;
}

// ---- Actions ----

void FirmwareUpdateViewController::btnLoadDeviceListAction() {
    loadDeviceList();
}

void FirmwareUpdateViewController::btnLoadFirmwareListAction() {
    loadFirmwareList();
}

void FirmwareUpdateViewController::lstDeviceListAction() {
    loadFirmwareList();
}

void FirmwareUpdateViewController::lstFirmwareListAction() {
    const int index = lstFirmwareList->currentIndex();
    if (index < 1)
        txtFirmwareDescription->setPlainText(QStringLiteral(" "));
    else
        showFirmwareDescription(index - 1);
}

void FirmwareUpdateViewController::btnOpenFileAction() {
    if (state_ == State::Detecting || state_ == State::Updating)
        return;
    openPanelDone(uiServices().runOpenPanel(view(), QStringLiteral("bin")));
}

void FirmwareUpdateViewController::btnStartAction() {
    if (state_ == State::Detecting) { // the button stops the search
        stopDetecting();
        return;
    }
    if (state_ != State::Idle) // a sequence is under way
        return;
    const QWidget* tab = tabMain ? tabMain->currentWidget() : nullptr;
    const QString identifier = tab ? tab->objectName() : QString();
    if (identifier == kOnlineTab) {
        const int index = lstFirmwareList->currentIndex();
        if (index < 1 || index > qsizetype(currentUpdateElements.size())) {
            QPointer<QComboBox> list = lstFirmwareList;
            showCriticalAlert(localized("FIRMWARE_NOT_SELECTED"), [list] {
                if (list)
                    list->showPopup();
            });
            return;
        }
        const UpdateElement& entry = currentUpdateElements[std::size_t(index - 1)];
        // Entries of the list are complete (incomplete ones are not listed).
        targetDeviceId = hexByte(entry.device_id).value_or(0);
        targetVersion = hexByte(entry.version).value_or(0);
        targetAddressMode = firmware::addressModeFor(targetDeviceId);
        targetFilename = entry.filename.value_or(QString());
        firmware::ExpectedImage expected{targetDeviceId, targetVersion, std::nullopt};
        validSize(entry.size, &expected.size);
        ModalViewController* sheet = parentController->modalViewController();
        sheet->messageToDisplay = localized("FIRMWARE_DOWNLOADING");
        parentController->presentAsSheet(sheet);
        QPointer<FirmwareUpdateViewController> self(this);
        httpGet(
            AppInfo::siteFileAddress(appDelegate->webSiteAddress, kUpdatesFolder, targetFilename),
            [self, expected](const QByteArray& data) {
                if (!self)
                    return;
                self->expected_ = expected;
                self->firmwareDownloaded(data);
            },
            [self](const QString& text) {
                if (self)
                    self->downloadFailed(text);
            });
    } else if (identifier == kOfflineTab) {
        if (txtFilename->text().isEmpty() || !openedFile_) {
            showCriticalAlert(localized("FIRMWARE_FILE_NOT_SELECTED"), {});
            return;
        }
        // The file as its summary shows it (a download meanwhile does not replace it).
        firmwareData = openedFile_->data;
        targetDeviceId = openedFile_->deviceId;
        targetVersion = openedFile_->version;
        targetAddressMode = openedFile_->addressMode;
        expected_.reset();
        startUpdate();
    }
}

void FirmwareUpdateViewController::btnCloseAction() {
    endUpdate();
    stopDetecting();
    finishRun();
    firmwareData.clear();
    expected_.reset();
    forgetFile();
    txtFirmwareDescription->setPlainText(QStringLiteral(" "));
    for (QComboBox* list : {lstDeviceList.data(), lstFirmwareList.data()})
        if (list && list->count() > 0)
            list->setCurrentIndex(0);
    if (parentController)
        parentController->showPage(0);
}

// ---- Lists ----

void FirmwareUpdateViewController::loadDeviceList() {
    loadList(lstDeviceList, kDeviceListPath, &FirmwareUpdateViewController::parseDeviceList);
}

void FirmwareUpdateViewController::loadFirmwareList() {
    loadList(lstFirmwareList, kUpdateListPath, &FirmwareUpdateViewController::parseUpdateList);
}

void FirmwareUpdateViewController::loadList(
    QComboBox* list, const QString& path,
    void (FirmwareUpdateViewController::*parse)(const QByteArray&)) {
    QPointer<FirmwareUpdateViewController> self(this);
    QPointer<QComboBox> shown(list);
    fetchList(
        list, appDelegate->webSiteAddress + path,
        [self, parse](const QByteArray& data) {
            if (self)
                (self->*parse)(data);
        },
        [self, shown](const QString& text) {
            if (!self)
                return;
            // The list says that nothing came, instead of waiting on.
            if (shown && shown->count() > 0)
                shown->setItemText(0, localized("LIST_NOT_LOADED"));
            self->showListError(text);
        });
}

void FirmwareUpdateViewController::fetchList(QComboBox* list, const QString& urlText,
                                             std::function<void(const QByteArray&)> onData,
                                             std::function<void(const QString&)> onError) {
    list->clear();
    list->addItem(localized("FETCHING_DATA"));
    httpGet(urlText, std::move(onData), std::move(onError));
}

void FirmwareUpdateViewController::httpGet(const QString& urlText,
                                           std::function<void(const QByteArray&)> onData,
                                           std::function<void(const QString&)> onError) {
    auto noAnswer = [onError] {
        if (onError)
            onError(localized("NO_HTTP_RESPONSE"));
    };
    appDelegate->httpGet(urlText, std::move(onData), std::move(onError), std::move(noAnswer));
}

void FirmwareUpdateViewController::parseDeviceList(const QByteArray& data) {
    deviceElements.clear();
    deviceElement.reset();
    if (parseList(data, XMLFileName::XMLDeviceList, lstDeviceList, "SELECT_PRODUCT_MODEL"))
        fillLater(&FirmwareUpdateViewController::fillDeviceList);
}

void FirmwareUpdateViewController::parseUpdateList(const QByteArray& data) {
    updateElements.clear();
    updateElement.reset();
    if (parseList(data, XMLFileName::XMLUpdateList, lstFirmwareList, "SELECT_FIRMWARE_VERSION"))
        fillLater(&FirmwareUpdateViewController::fillFirmwareList);
}

bool FirmwareUpdateViewController::parseList(const QByteArray& data, XMLFileName file,
                                             QComboBox* list, const char* placeholderKey) {
    currentNodeName.reset();
    currentXMLFile = file;
    XMLParser parser(data);
    parser.delegate = this;
    if (parser.parse())
        return true;
    // A damaged list offers nothing, not even the entries before the fault.
    if (file == XMLFileName::XMLDeviceList) {
        deviceElements.clear();
    } else {
        updateElements.clear();
        currentUpdateElements.clear();
        txtFirmwareDescription->setPlainText(QStringLiteral(" "));
    }
    list->setItemText(0, localized(placeholderKey));
    showCriticalAlert(localized("RELEASE_LIST_ERROR").arg(parser.parserError()), {});
    return false;
}

void FirmwareUpdateViewController::fillLater(void (FirmwareUpdateViewController::*fill)()) {
    QPointer<FirmwareUpdateViewController> self(this);
    platform::runOnMain([self, fill] {
        if (self)
            (self->*fill)();
    });
}

void FirmwareUpdateViewController::parserDidStartElement(XMLParser&, const QString& elementName,
                                                         const QString&, const QString&,
                                                         const QXmlStreamAttributes&) {
    currentNodeName = elementName;
    if (currentXMLFile == XMLFileName::XMLDeviceList && elementName == kDeviceElementName)
        deviceElement = DeviceElement{};
    else if (currentXMLFile == XMLFileName::XMLUpdateList && elementName == kUpdateElementName)
        updateElement = UpdateElement{};
}

void FirmwareUpdateViewController::parserDidEndElement(XMLParser&, const QString& elementName,
                                                       const QString&, const QString&) {
    // An entry is listed only when it has what the page needs of it.
    if (currentXMLFile == XMLFileName::XMLDeviceList && elementName == kDeviceElementName) {
        if (deviceElement && hexByte(deviceElement->device_id) &&
            present(usesEnglish() ? deviceElement->name_en : deviceElement->name_cn))
            deviceElements.push_back(*deviceElement);
        deviceElement.reset();
    } else if (currentXMLFile == XMLFileName::XMLUpdateList && elementName == kUpdateElementName) {
        const auto& e = updateElement;
        if (e && hexByte(e->device_id) && hexByte(e->version) && present(e->title) &&
            present(e->dateline) && present(e->filename) && validSize(e->size))
            updateElements.push_back(*e);
        updateElement.reset();
    }
}

void FirmwareUpdateViewController::parserFoundCharacters(XMLParser&, const QString& string) {
    if (!currentNodeName)
        return;
    // The first text of an element wins: the white space after it leaves the field alone.
    std::optional<QString>* field = nullptr;
    if (currentXMLFile == XMLFileName::XMLDeviceList) {
        if (deviceElement)
            field = deviceElement->field(*currentNodeName);
    } else if (updateElement) {
        field = updateElement->field(*currentNodeName);
    }
    if (field && !*field)
        *field = string.trimmed();
}

void FirmwareUpdateViewController::fillDeviceList() {
    if (lstDeviceList->count() == 0)
        lstDeviceList->addItem(QString());
    lstDeviceList->setItemText(0, localized("SELECT_PRODUCT_MODEL"));
    const bool english = usesEnglish();
    for (const DeviceElement& device : deviceElements)
        lstDeviceList->addItem(english ? device.name_en.value_or(QString())
                                       : device.name_cn.value_or(QString()));
    loadFirmwareList();
}

void FirmwareUpdateViewController::fillFirmwareList() {
    if (lstFirmwareList->count() == 0)
        lstFirmwareList->addItem(QString());
    lstFirmwareList->setItemText(0, localized("SELECT_FIRMWARE_VERSION"));
    currentUpdateElements.clear();
    const int selected = lstDeviceList->currentIndex();
    for (const UpdateElement& entry : updateElements) {
        bool take = selected == 0;
        if (selected > 0 && std::size_t(selected - 1) < deviceElements.size())
            take = entry.device_id == deviceElements[std::size_t(selected - 1)].device_id;
        if (!take)
            continue;
        currentUpdateElements.push_back(entry);
        lstFirmwareList->addItem(entry.title.value_or(QString()) + QLatin1Char('_') +
                                 entry.dateline.value_or(QString()).left(10));
    }
    txtFirmwareDescription->setPlainText(QStringLiteral(" "));
}

void FirmwareUpdateViewController::showListError(const QString& text) {
    showCriticalAlert(localized("NETWORK_REQUEST_ERROR").arg(text), {});
}

void FirmwareUpdateViewController::showFirmwareDescription(qsizetype index) {
    if (index < 0 || index >= qsizetype(currentUpdateElements.size()))
        return;
    const UpdateElement& entry = currentUpdateElements[std::size_t(index)];
    txtFirmwareDescription->setPlainText(
        (usesEnglish() ? entry.description_en : entry.description_cn).value_or(QString()));
}

// ---- The image ----

void FirmwareUpdateViewController::openPanelDone(const std::optional<QString>& path) {
    if (!path)
        return;
    txtFilename->setText(QUrl::fromLocalFile(*path).toString());
    loadFirmwareFile();
}

void FirmwareUpdateViewController::forgetFile() {
    openedFile_.reset();
    if (txtFilename)
        txtFilename->clear();
    if (txtFirmwareFileDescription)
        txtFirmwareFileDescription->setPlainText(QStringLiteral(" "));
}

void FirmwareUpdateViewController::loadFirmwareFile() {
    const QUrl url(txtFilename->text(), QUrl::TolerantMode);
    const QString path = url.isValid() && url.isLocalFile() ? url.toLocalFile() : QString();
    // A failed open forgets the file and its image: Start never writes what is not shown.
    auto refuse = [this](const char* key) {
        forgetFile();
        firmwareData.clear();
        showCriticalAlert(localized(key), {});
    };
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        refuse("FILE_NOT_EXISTS");
        return;
    }
    // Each refusal says what is wrong with the file.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse("FIRMWARE_FILE_UNREADABLE");
        return;
    }
    if (file.size() > kMaximumFileSize) {
        refuse("FIRMWARE_FILE_TOO_LARGE");
        return;
    }
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        refuse("FIRMWARE_FILE_UNREADABLE");
        return;
    }
    if (contents.size() < firmware::kHeaderSize) {
        refuse("FIRMWARE_IMAGE_TOO_SHORT");
        return;
    }
    firmwareData = contents;
    targetDeviceId = std::uint8_t(contents[0]);
    targetVersion = std::uint8_t(contents[1]);
    targetAddressMode = firmware::addressModeFor(targetDeviceId);
    openedFile_ = OpenedFile{contents, targetDeviceId, targetVersion, targetAddressMode};

    const QString lineEnd = QStringLiteral("\r\n");
    QString summary = QStringLiteral("> Filename: ") + txtFilename->text() + lineEnd;
    summary +=
        QStringLiteral("> Device ID: 0x") + QString::number(targetDeviceId, 16).toUpper() + lineEnd;
    summary += QStringLiteral("> Firmware Version: ") + QString::number(targetVersion >> 4) +
               QLatin1Char('.') + QString::number(targetVersion & 0x0F) + lineEnd;
    summary += QStringLiteral("> File Size: ") +
               QString::number(double(contents.size()) / 1024.0, 'f', 1) + QStringLiteral("KB") +
               lineEnd;
    summary += QStringLiteral("> Ready for update ...");
    txtFirmwareFileDescription->setPlainText(summary);
}

void FirmwareUpdateViewController::firmwareDownloaded(const QByteArray& data) {
    parentController->dismissViewController(parentController->modalViewController());
    firmwareData = data; // an empty body is refused by startUpdate, with its alert
    startUpdate();
}

void FirmwareUpdateViewController::downloadFailed(const QString& text) {
    parentController->dismissViewController(parentController->modalViewController());
    showListError(text);
}

// ---- The update sequence ----

SerialPort& FirmwareUpdateViewController::link() const {
    return *appDelegate->port;
}

bool FirmwareUpdateViewController::portIsOpen() const {
    return appDelegate->port && appDelegate->port->isOpen();
}

std::function<void()>
FirmwareUpdateViewController::step(void (FirmwareUpdateViewController::*fn)()) {
    return step([this, fn] { (this->*fn)(); });
}

std::function<void()> FirmwareUpdateViewController::step(std::function<void()> fn) {
    QPointer<FirmwareUpdateViewController> self(this);
    return [self, run = run_, fn = std::move(fn)] {
        if (self && self->run_ == run)
            fn();
    };
}

void FirmwareUpdateViewController::finishRun() {
    ++run_;
    state_ = State::Idle;
    stepTimer_.stop();
}

void FirmwareUpdateViewController::failRun(const char* key, bool leave) {
    finishRun();
    showCriticalAlert(localized(key), {});
    if (leave)
        sendLeave();
}

void FirmwareUpdateViewController::sendLeave() {
    if (portIsOpen())
        link().sendCommand("e", true, timeouts.leave); // its outcome does not matter
}

void FirmwareUpdateViewController::startUpdate() {
    if (state_ != State::Idle)
        return;
    // Nothing goes to the unit before the image has been found writable.
    if (auto problem = firmware::imageProblem(firmwareData, targetAddressMode, expected_)) {
        showCriticalAlert(localized(*problem), {});
        return;
    }
    snapshot_ = Snapshot{firmwareData, targetDeviceId, targetAddressMode};
    pages = firmware::pageCount(snapshot_.image);
    if (!portIsOpen()) {
        parentController->warnPortNotConnected();
        return;
    }
    finishRun();
    state_ = State::Identifying;
    if (!link().requestDataFrame("r", 3, true, timeouts.identify,
                                 step(&FirmwareUpdateViewController::chooseBootCommand),
                                 step([this] { failRun("RESPONSE_ERROR", false); }),
                                 step(&FirmwareUpdateViewController::confirmDetect)))
        failRun("DEVICE_BUSY", false); // nothing was sent: another exchange holds the link
}

void FirmwareUpdateViewController::chooseBootCommand() {
    const QByteArray reply = link().data();
    if (reply.size() < 2) {
        failRun("RESPONSE_ERROR", false);
        return;
    }
    const auto device = std::uint8_t(reply[0]);
    const auto version = std::uint8_t(reply[1]);
    QByteArray command;
    if (device == 168)
        command = version >= 32 ? "REBT" : "b";
    else if (device == 169 || device == 170 || device == 171)
        command = "REBT";
    if (command.isEmpty()) { // no restart command: the user brings the unit into its boot loader
        confirmDetect();
        return;
    }
    state_ = State::ConfirmingUpdate;
    showConfirmAlert(localized("UPDATE_CONFIRM"), localized("YES"), localized("CANCEL"),
                     step([this, command] { sendBootCommand(command); }),
                     step([this] { finishRun(); }));
}

void FirmwareUpdateViewController::sendBootCommand(const QByteArray& command) {
    state_ = State::Restarting;
    if (!link().sendCommand(command, true, timeouts.restart,
                            step(&FirmwareUpdateViewController::probeAfterReboot),
                            step(&FirmwareUpdateViewController::confirmDetect),
                            step(&FirmwareUpdateViewController::confirmDetect)))
        confirmDetect();
}

void FirmwareUpdateViewController::probeAfterReboot() {
    state_ = State::ProbingAfterRestart;
    // The unit restarts meanwhile; the program runs on.
    stepTimer_.start(
        timeouts.restartPause, step([this] {
            if (!portIsOpen()) {
                finishRun();
                parentController->warnPortNotConnected();
                return;
            }
            auto afterRestart = [this] {
                readBootloaderId(step(&FirmwareUpdateViewController::checkBootloaderId),
                                 step([this] { failRun("RESPONSE_ERROR", true); }),
                                 step([this] { failRun("RESPONSE_TIMEOUT", true); }));
            };
            if (!link().sendCommand("p", true, timeouts.probe, step(afterRestart),
                                    step([this] { failRun("IAP_BOOT_FAILED", false); }),
                                    step([this] { failRun("RESPONSE_TIMEOUT", false); })))
                failRun("IAP_BOOT_FAILED", false);
        }));
}

void FirmwareUpdateViewController::readBootloaderId(std::function<void()> onSuccess,
                                                    std::function<void()> onError,
                                                    std::function<void()> onTimeout) {
    if (state_ != State::Detecting)
        state_ = State::ReadingIdentifier;
    if (!link().requestBytes("r", 1, true, timeouts.readIdentifier, onSuccess, onError, onTimeout))
        onError();
}

void FirmwareUpdateViewController::checkBootloaderId() {
    const QByteArray reply = link().data();
    if (!reply.isEmpty() && std::uint8_t(reply[0]) == snapshot_.deviceId)
        beginUpdate();
    else
        failRun("UNEXPECTED_DEVICE_ID", true);
}

void FirmwareUpdateViewController::confirmDetect() {
    state_ = State::ConfirmingDetect;
    showConfirmAlert(localized("DETECT_CONFIRM"), localized("CONTINUE"), localized("CANCEL"),
                     step(&FirmwareUpdateViewController::startDetecting),
                     step([this] { finishRun(); }));
}

void FirmwareUpdateViewController::setDetectingLocks(bool locked) {
    setEnabled({lstDeviceList, lstFirmwareList, btnReloadDeviceList, btnReloadFirmwareList, btnOpen,
                txtFilename},
               !locked);
    if (parentController)
        setEnabled({parentController->btnReloadPortList, parentController->lstPortList}, !locked);
}

void FirmwareUpdateViewController::startDetecting() {
    setVisible({barDetecting, txtDetecting}, true);
    setDetectingLocks(true);
    btnStart->setText(localized("CANCEL_UPDATE"));
    parentController->lockMenus();
    appDelegate->isDetecting = true;
    state_ = State::Detecting;
    probeBootloader();
}

void FirmwareUpdateViewController::probeBootloader() {
    if (state_ != State::Detecting)
        return;
    if (!portIsOpen()) { // the search cannot go on without its port
        stopDetecting();
        parentController->warnPortNotConnected();
        return;
    }
    auto detected = [this] {
        readBootloaderId(step(&FirmwareUpdateViewController::checkDetectedDevice),
                         step(&FirmwareUpdateViewController::scheduleProbe),
                         step(&FirmwareUpdateViewController::scheduleProbe));
    };
    if (!link().sendCommand("p", true, timeouts.probe, step(detected),
                            step(&FirmwareUpdateViewController::scheduleProbe),
                            step(&FirmwareUpdateViewController::scheduleProbe)))
        scheduleProbe();
}

void FirmwareUpdateViewController::checkDetectedDevice() {
    const QByteArray reply = link().data();
    const bool matches = !reply.isEmpty() && std::uint8_t(reply[0]) == snapshot_.deviceId;
    stopDetecting();
    if (matches)
        beginUpdate();
    else
        showCriticalAlert(localized("UNEXPECTED_DEVICE_ID"), {});
}

void FirmwareUpdateViewController::scheduleProbe() {
    if (state_ == State::Detecting && appDelegate->isDetecting)
        stepTimer_.start(detectInterval, step(&FirmwareUpdateViewController::probeBootloader));
}

void FirmwareUpdateViewController::stopDetecting() {
    setVisible({barDetecting, txtDetecting}, false);
    setDetectingLocks(false);
    if (parentController)
        parentController->unlockMenus();
    appDelegate->isDetecting = false;
    if (btnStart)
        btnStart->setText(localized("START_UPDATE"));
    if (state_ == State::Detecting)
        finishRun(); // a probe still on its way is dropped when it answers
}

void FirmwareUpdateViewController::setUpdatingLocks(bool locked) {
    setEnabled({lstDeviceList, lstFirmwareList, btnReloadDeviceList, btnReloadFirmwareList,
                txtFilename, btnOpen, btnStart, btnClose},
               !locked);
    if (parentController)
        setEnabled({parentController->btnReloadPortList, parentController->lstPortList}, !locked);
}

void FirmwareUpdateViewController::beginUpdate() {
    finishRun();
    page = 0;
    retryCount = 0;
    barUpdateProgress->setRange(0, int(pages));
    barUpdateProgress->setValue(0);
    txtUpdateInformation->clear();
    setVisible({txtUpdating, txtUpdateInformation, barUpdateProgress}, true);
    setUpdatingLocks(true);
    parentController->lockMenus();
    // The window stays closable; the delegate refuses to quit while isUpdating is set.
    appDelegate->isUpdating = true;
    state_ = State::Updating;
    sendPage();
}

void FirmwareUpdateViewController::sendPage() {
    if (state_ != State::Updating)
        return;
    if (page >= pages) { // every page written
        endUpdate();
        showInfoAlert(localized("UPDATE_COMPLETE"), {});
        sendLeave();
        return;
    }
    if (!portIsOpen()) { // the port went: the image stays, Start can find the boot loader again
        endUpdate();
        parentController->warnPortNotConnected();
        return;
    }
    const QByteArray bytes =
        firmware::pageBytePermutation(firmware::imagePage(snapshot_.image, page));
    const bool wide = snapshot_.addressMode == AddressMode::_24BIT;
    if (!link().sendAddressedFrame(wide ? "W" : "w", snapshot_.addressMode,
                                   std::uint32_t(page * pageSize), bytes, bytes.size(), true,
                                   timeouts.page, step(&FirmwareUpdateViewController::pageDone),
                                   step(&FirmwareUpdateViewController::pageFailed),
                                   step(&FirmwareUpdateViewController::pageFailed)))
        pageFailed();
}

void FirmwareUpdateViewController::pageDone() {
    barUpdateProgress->setValue(int(std::clamp<qsizetype>(page, 0, pages)));
    const double percent = pages > 0 ? double(page) / double(pages) * 100.0 : 0.0;
    txtUpdateInformation->setText(QString::number(percent, 'f', 1) + QStringLiteral("%(") +
                                  QString::number(page * pageSize) + QLatin1Char('/') +
                                  QString::number(pages * pageSize) + localized("BYTES") +
                                  QLatin1Char(')'));
    ++page;
    scheduleNextPage();
}

void FirmwareUpdateViewController::pageFailed() {
    if (retryCount < kMaxRetries) {
        ++retryCount;
        scheduleNextPage(); // the same page again
        return;
    }
    endUpdate();
    showCriticalAlert(localized("UPDATE_TERMINATE_UNEXPECTEDLY"), {});
}

void FirmwareUpdateViewController::scheduleNextPage() {
    if (state_ == State::Updating && appDelegate->isUpdating)
        stepTimer_.start(updateInterval, step(&FirmwareUpdateViewController::sendPage));
}

void FirmwareUpdateViewController::endUpdate() {
    setVisible({txtUpdating, txtUpdateInformation, barUpdateProgress}, false);
    setUpdatingLocks(false);
    if (parentController)
        parentController->unlockMenus();
    appDelegate->isUpdating = false;
    if (state_ == State::Updating)
        finishRun();
}
