#include "OVX_Configurator/MainViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "OVX_Configurator/device/ParameterFile.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "OVX_Configurator/pages/OVXA_ViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "OVX_Configurator/pages/OVXC_ViewController.h"
#include "OVX_Configurator/pages/OVXD_ViewController.h"
#include "OVX_Configurator/pages/Telemetry.h"
#include "OVX_Configurator/utils/LayoutConstraint.h"
#include "OVX_Configurator/utils/VersionText.h"
#include "TTYSerialPort/TTYSerialPortManager.h"
#include "platform/Fatal.h"
#include "platform/MainQueue.h"
#include "ui_MainViewController.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>
#include <any>
#include <utility>

namespace {

const QColor kSystemBlue(0, 122, 255);
const QColor kSystemPink(255, 45, 85);
constexpr double kMessageSeconds = 3.0;

using platform::run;

// Why the listed port `name` did not open: its path leads nowhere (the unit was unplugged, or the
// path is wrong), or the port is there but refused (permission, another program).
QString openFailureText(const SerialPort& port, const QString& name) {
    const QString path = port.availablePorts().value(name);
    if (!path.isEmpty() && !QFileInfo::exists(path))
        return localized("PORT_PATH_MISSING").arg(path);
    return localized("OPEN_PORT_FAILED");
}

// The message bar's height: two lines of text in any of the program's languages (a line with
// Chinese characters may stand taller than a Latin one) and the bar's margins.
int messageBarHeight(const QWidget* bar, const QLabel* text) {
    QLabel probe(QStringLiteral("Xg\u4E2D\u6587\nXg\u4E2D\u6587"));
    probe.setFont(text->font());
    const QMargins margins = bar->layout()->contentsMargins();
    return probe.sizeHint().height() + margins.top() + margins.bottom();
}

void setEnabled(std::initializer_list<QPointer<QAction>> items, bool enabled) {
    for (const QPointer<QAction>& item : items)
        if (item)
            item->setEnabled(enabled);
}

// Selects the item of `tabs` whose page widget is named `identifier`.
void selectTabItem(QTabWidget* tabs, const char* identifier) {
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->objectName() == QLatin1String(identifier)) {
            tabs->setCurrentIndex(i);
            return;
        }
}

} // namespace

MainViewController::MainViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::MainViewController>()) {}

MainViewController::~MainViewController() = default;

QWidget* MainViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    MainContentView = ui_->MainContentView;
    StatusBarView = ui_->StatusBarView;
    BottomMessageView = ui_->BottomMessageView;
    txtBottomMessage = ui_->txtBottomMessage;
    imgBottomMessageIcon = ui_->imgBottomMessageIcon;
    // The message bar keeps its place and height, shown or hidden, with one line or two: the
    // page above it and the page's buttons never move under the pointer.
    QSizePolicy barPolicy = BottomMessageView->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    BottomMessageView->setSizePolicy(barPolicy);
    BottomMessageView->setFixedHeight(messageBarHeight(BottomMessageView, txtBottomMessage));
    lstPortList = ui_->lstPortList;
    imgPortStatus = ui_->imgPortStatus;
    btnReloadPortList = ui_->btnReloadPortList;
    statusSystemState = ui_->statusSystemState;
    statusFlightMode = ui_->statusFlightMode;
    statusMasterGain = ui_->statusMasterGain;
    statusChannel1 = ui_->statusChannel1;
    statusChannel2 = ui_->statusChannel2;
    statusChannel3 = ui_->statusChannel3;
    statusChannel4 = ui_->statusChannel4;
    statusChannel5 = ui_->statusChannel5;
    statusChannel6 = ui_->statusChannel6;
    statusChannel7 = ui_->statusChannel7;
    statusChannel8 = ui_->statusChannel8;
    statusChannel9 = ui_->statusChannel9;
    statusFirmwareVersionTitle = ui_->statusFirmwareVersionTitle;
    statusFirmwareVersion = ui_->statusFirmwareVersion;
    statusDataVersionTitle = ui_->statusDataVersionTitle;
    statusDataVersion = ui_->statusDataVersion;
    channel7Trailing_ = std::make_unique<LayoutConstraint>(view, ui_->layoutStatusFields,
                                                           ui_->spacerChannel7Trailing);
    channel8Trailing_ = std::make_unique<LayoutConstraint>(view, ui_->layoutStatusFields,
                                                           ui_->spacerChannel8Trailing);
    constChannel7Trailing = channel7Trailing_.get();
    constChannel8Trailing = channel8Trailing_.get();
    connect(ui_->lstPortList, &QComboBox::activated, this, [this] { lstPortListItemAction(); });
    connect(ui_->btnReloadPortList, &QToolButton::clicked, this,
            [this] { btnReloadPortListAction(); });
    return view;
}

// ---- Pages ----

template <class Page> Page* MainViewController::page(std::unique_ptr<Page>& slot) {
    if (!slot) {
        slot = std::make_unique<Page>();
        slot->parentController = this;
    }
    return slot.get();
}

ModalViewController* MainViewController::modalViewController() {
    if (!modalViewController_)
        modalViewController_ = std::make_unique<ModalViewController>();
    return modalViewController_.get();
}

WelcomeViewController* MainViewController::welcomeViewController() {
    return page(welcomeViewController_);
}
FirmwareUpdateViewController* MainViewController::firmwareUpdateViewController() {
    return page(firmwareUpdateViewController_);
}
OVXA_ViewController* MainViewController::ovxaViewController() {
    return page(ovxaViewController_);
}
OVXB_ViewController* MainViewController::ovxbViewController() {
    return page(ovxbViewController_);
}
OVXC_ViewController* MainViewController::ovxcViewController() {
    return page(ovxcViewController_);
}
OVXD_ViewController* MainViewController::ovxdViewController() {
    return page(ovxdViewController_);
}

QList<QLabel*> MainViewController::statusLabels() const {
    QList<QLabel*> labels{statusSystemState,
                          statusFlightMode,
                          statusMasterGain,
                          statusChannel1,
                          statusChannel2,
                          statusChannel3,
                          statusChannel4,
                          statusChannel5,
                          statusChannel6,
                          statusChannel7,
                          statusChannel8,
                          statusChannel9,
                          statusFirmwareVersionTitle,
                          statusFirmwareVersion,
                          statusDataVersionTitle,
                          statusDataVersion};
    if (labels.contains(nullptr))
        platform::fatal("MainViewController: a status bar field is not connected");
    return labels;
}

QList<QLabel*> MainViewController::channelLabels() const {
    QList<QLabel*> labels{statusChannel1, statusChannel2, statusChannel3,
                          statusChannel4, statusChannel5, statusChannel6,
                          statusChannel7, statusChannel8, statusChannel9};
    if (labels.contains(nullptr))
        platform::fatal("MainViewController: a channel field is not connected");
    return labels;
}

void MainViewController::viewDidLoad() {
    addChildViewController(welcomeViewController());
    addChildViewController(firmwareUpdateViewController());
    addChildViewController(ovxaViewController());
    addChildViewController(ovxbViewController());
    addChildViewController(ovxcViewController());
    addChildViewController(ovxdViewController());

    using N = const platform::Notification&;
    const std::pair<const char*, void (MainViewController::*)(N)> observers[] = {
        {TTYSerialPortManager::TTYSerialPortWasConnectedNotification,
         &MainViewController::serialPortsWereConnected},
        {TTYSerialPortManager::TTYSerialPortWasDisconnectedNotification,
         &MainViewController::serialPortsWereDisconnected},
        {serialPortWasOpenedNotification, &MainViewController::serialPortWasOpened},
        {serialPortWasClosedNotification, &MainViewController::serialPortWasClosed},
        {serialPortWasRemovedNotification, &MainViewController::serialPortWasRemovedFromSystem},
        {serialPortErrorNotification, &MainViewController::serialPortEncounterError},
    };
    for (const auto& [name, observer] : observers)
        observations_.emplace_back(name, nullptr, [this, observer](N n) { (this->*observer)(n); });

    const QPixmap pattern = imageNamed(QStringLiteral("bg"));
    if (pattern.isNull())
        platform::fatal("MainViewController: the picture bg is missing");
    QPalette palette = view()->palette();
    palette.setBrush(QPalette::Window, QBrush(pattern));
    view()->setPalette(palette);
    view()->setAutoFillBackground(true);
    MainContentView->setBackgroundRole(QPalette::Base);
    MainContentView->setAutoFillBackground(true);
    // The pattern is the main view's own background: the pages keep the plain window colour,
    // so that a page redrawing a live value does not tile the pattern again beneath it.
    QPalette content = MainContentView->palette();
    content.setBrush(QPalette::Window, QApplication::palette().window());
    MainContentView->setPalette(content);
    StatusBarView->setBackgroundRole(QPalette::Button);
    QPalette bar = BottomMessageView->palette();
    bar.setColor(QPalette::Window, kSystemBlue);
    BottomMessageView->setPalette(bar);

    showPage(WelcomePage);
    reloadPortList(true);
}

void MainViewController::showPage(std::int64_t index) {
    appDelegate->timerCheckFirmwareUpdate.stop();
    if (currentViewController && currentViewController->isViewLoaded()) {
        currentViewController->viewWillDisappear();
        QWidget* old = currentViewController->view();
        old->hide();
        old->setParent(nullptr);
        currentViewController->viewDidDisappear();
    }
    const auto& children = childViewControllers();
    if (index < 0 || index >= static_cast<std::int64_t>(children.size()))
        return;
    currentViewController = children[static_cast<std::size_t>(index)];
    QWidget* page = currentViewController->view();
    currentViewController->viewWillAppear();
    MainContentView->layout()->addWidget(page);
    page->show();
    currentViewController->viewDidAppear();

    if (window)
        window->setWindowTitle(QString::fromUtf8(AppInfo::kApplicationName));
    for (QLabel* label : channelLabels()) {
        label->setAlignment(Qt::AlignCenter);
        telemetry::showChannelActivity(label, false);
    }
    for (QLabel* label : statusLabels())
        label->hide();
    constChannel7Trailing->setConstant(2.0);
    constChannel8Trailing->setConstant(2.0);
    setDeviceItemsEnabled(false, false);
}

void MainViewController::setMenusEnabled(bool enabled) {
    setEnabled(
        {appDelegate->menuItemMain, appDelegate->menuItemLanguage, appDelegate->menuItemHelp},
        enabled);
}

// The device menu items: those of every model, then Reboot and accelerometer calibration.
void MainViewController::setDeviceItemsEnabled(bool enabled, bool rebootAndAccelEnabled) {
    AppDelegate* d = appDelegate;
    setEnabled({d->menuItemRead, d->menuItemWrite, d->menuItemOpen, d->menuItemSave,
                d->menuItemRestore, d->menuItemLevelCalibration, d->menuItemHoverCalibration,
                d->menuItemCheckFirmwareUpdate},
               enabled);
    setEnabled({d->menuItemReboot, d->menuItemAccelCalibration}, rebootAndAccelEnabled);
}

// ---- Message bar ----

void MainViewController::showInfoMessage(const QString& text) {
    showMessage(text, kSystemBlue, QStyle::SP_MessageBoxInformation);
}

void MainViewController::showCautionMessage(const QString& text) {
    showMessage(text, kSystemPink, QStyle::SP_MessageBoxWarning);
}

void MainViewController::showMessage(const QString& text, const QColor& background,
                                     QStyle::StandardPixmap icon) {
    view();
    txtBottomMessage->setText(text);
    QPalette textPalette = txtBottomMessage->palette();
    textPalette.setColor(QPalette::WindowText, Qt::white);
    txtBottomMessage->setPalette(textPalette);
    QPalette bar = BottomMessageView->palette();
    bar.setColor(QPalette::Window, background);
    BottomMessageView->setPalette(bar);
    BottomMessageView->show();
    imgBottomMessageIcon->setPixmap(QApplication::style()->standardIcon(icon).pixmap(16, 16));
    ++messagesShown_;
    // Each message hides the bar at its own time, even when a later one replaced its text, but
    // not before a message that must stay its full time has had it.
    QPointer<QWidget> barView = BottomMessageView;
    QPointer<MainViewController> self(this);
    platform::scheduler().after(kMessageSeconds, [barView, self] {
        if (barView && self && platform::scheduler().now() >= self->barKeptUntil_ - 1e-6)
            barView->hide();
    });
}

// ---- Ports ----

bool MainViewController::portIsOpen() const {
    return appDelegate->port && appDelegate->port->isOpen();
}

bool MainViewController::requirePort() {
    finishPortPause();
    if (portIsOpen())
        return true;
    warnPortNotConnected();
    return false;
}

// Closes the open port and runs `step` after the pause.
void MainViewController::afterPortPause(Callback step) {
    ++portAttempt_;
    appDelegate->port->disconnect({}, {});
    portPauseStep_ = std::move(step);
    portPause_.start(portClosePause, [this] { finishPortPause(); });
}

void MainViewController::finishPortPause() {
    portPause_.stop();
    if (Callback step = std::exchange(portPauseStep_, nullptr))
        step();
}

void MainViewController::reloadPortList(bool connect) {
    finishPortPause();
    if (!portIsOpen()) {
        rebuildPortList(connect, {});
        return;
    }
    endProceduresOnUnit();
    const QString open = appDelegate->port->portName().value_or(QString());
    afterPortPause([this, connect, open] { rebuildPortList(connect, open); });
}

void MainViewController::rebuildPortList(bool connect, const QString& keep) {
    SerialPort& port = *appDelegate->port;
    port.refreshPortList();
    view();
    lstPortList->clear();
    const auto& ports = port.availablePorts();
    if (ports.isEmpty()) {
        showCautionMessage(localized("PORT_NOT_FOUND"));
        lstPortList->addItem(localized("PORT_UNCONNECTED"));
        lstPortList->setEnabled(false);
        return;
    }
    QString preselected;
    for (auto it = ports.cbegin(); it != ports.cend(); ++it) {
        lstPortList->addItem(it.key());
        if (it.key().contains(QLatin1String("SLAB")))
            preselected = it.key();
    }
    if (!keep.isEmpty() && ports.contains(keep)) // the port that was open stays chosen
        preselected = keep;
    if (!preselected.isEmpty()) {
        lstPortList->setCurrentIndex(lstPortList->findText(preselected));
        if (connect)
            connectPort(preselected);
    }
    lstPortList->setEnabled(true);
}

void MainViewController::connectPort(const QString& name) {
    finishPortPause();
    if (unitPort_ && *unitPort_ != name) {
        endProceduresOnUnit();
        forgetUnit(localized("PORT_CHANGED"));
    }
    if (portIsOpen())
        afterPortPause([this, name] { openPort(name); });
    else
        openPort(name);
}

void MainViewController::openPort(const QString& name) {
    // The link reports 0.3 s later whether its port is open by then; a port closed meanwhile by
    // a later choice of port did not fail to open.
    const unsigned attempt = ++portAttempt_;
    failedPort_.reset();
    appDelegate->port->connect(name, {}, [this, attempt, name] {
        if (attempt != portAttempt_)
            return;
        failedPort_ = name;
        showCriticalAlert(openFailureText(*appDelegate->port, name), {});
    });
}

void MainViewController::warnPortNotConnected() {
    // The chosen port is listed but did not open: say so, not that a port should be chosen.
    if (appDelegate->port && failedPort_ && appDelegate->port->portName() == failedPort_ &&
        appDelegate->port->availablePorts().contains(*failedPort_)) {
        showCriticalAlert(openFailureText(*appDelegate->port, *failedPort_), {});
        return;
    }
    if (appDelegate->port && !appDelegate->port->availablePorts().isEmpty()) {
        QPointer<QComboBox> list = lstPortList;
        showCriticalAlert(localized("SELECT_PORT_WARNING"), [list] {
            if (list)
                list->showPopup();
        });
    } else {
        showCautionMessage(localized("PORT_NOT_FOUND"));
    }
}

void MainViewController::lstPortListItemAction() {
    if (lstPortList->currentIndex() < 0)
        return;
    const QString title = lstPortList->currentText();
    finishPortPause();
    // The open port chosen again: nothing. A chosen port that did not open is tried again.
    if (appDelegate->port->portName() == title && portIsOpen())
        return;
    connectPort(title);
}

void MainViewController::btnReloadPortListAction() {
    showInfoMessage(localized("RELOAD_PORTLIST"));
    reloadPortList(true);
}

// ---- Port events ----

bool MainViewController::isCurrentPort(const platform::Notification& n) const {
    const auto& current = appDelegate->port->portName();
    auto entry = n.userInfo.find("0");
    if (!current || entry == n.userInfo.end())
        return false;
    const auto* port = std::any_cast<std::shared_ptr<TTYSerialPort>>(&entry->second);
    return port && *port && (*port)->name() == *current;
}

void MainViewController::serialPortsWereConnected(const platform::Notification& n) {
    finishPortPause();
    if (!n.userInfo.empty() && !portIsOpen())
        reloadPortList(true);
}

void MainViewController::serialPortsWereDisconnected(const platform::Notification&) {}

void MainViewController::serialPortWasOpened(const platform::Notification& n) {
    if (!isCurrentPort(n))
        return;
    imgPortStatus->setPixmap(imageNamed(QStringLiteral("icon-connected-18")));
    checkReturningUnit();
}

void MainViewController::serialPortWasClosed(const platform::Notification& n) {
    if (!isCurrentPort(n))
        return;
    imgPortStatus->setPixmap(imageNamed(QStringLiteral("icon-disconnected-18")));
    unitGone();
    unitPortClosed();
}

void MainViewController::serialPortWasRemovedFromSystem(const platform::Notification& n) {
    finishPortPause();
    if (!isCurrentPort(n))
        return;
    showCriticalAlert(localized("PORT_REMOVED").arg(*appDelegate->port->portName()), {});
    // The removal ended the request on the port: a calibration waiting for it ends here.
    if (modalViewController_ && modalViewController_->isPresentedAsSheet()) {
        dismissViewController(modalViewController_.get());
        unlockMenus();
    }
    unitGone();
    unitPortClosed();
    reloadPortList(false);
    endFirmwareWork();
}

void MainViewController::serialPortEncounterError(const platform::Notification& n) {
    finishPortPause();
    // A port that is not open reports the error of its failed open: "OPEN_PORT_FAILED" follows.
    if (!isCurrentPort(n) || !portIsOpen())
        return;
    showCriticalAlert(localized("PORT_ERROR").arg(*appDelegate->port->portName()), {});
    endFirmwareWork();
}

// A firmware update or boot-loader search cannot go on without its port.
void MainViewController::endFirmwareWork() {
    if (appDelegate->isUpdating)
        firmwareUpdateViewController()->endUpdate();
    if (appDelegate->isDetecting)
        firmwareUpdateViewController()->stopDetecting();
}

// ---- Identification ----

void MainViewController::detectDevice() {
    if (!requirePort())
        return;
    appDelegate->port->requestDataFrame(
        "r", 3, true, identifyTimeout, [this] { identifyDevice(); },
        reportFailure("RESPONSE_ERROR", {}), reportNoReply({}));
}

// ---- The identified unit's port opened again ----

// Whatever opens on the unit's port next may be another unit: from now on the link takes nothing
// but the question who it is.
void MainViewController::unitPortClosed() {
    if (!unitPort_ || appDelegate->port->portName() != unitPort_)
        return;
    ++unitCheck_; // an answer still due came from the port that closed
    unitCheckTimer_.stop();
    unitAskedAgain_ = false;
    unitPortLost_ = true;
    appDelegate->port->setHeld(true);
}

void MainViewController::checkReturningUnit() {
    if (!unitPortLost_ || !portIsOpen() || appDelegate->port->portName() != unitPort_)
        return;
    unitCheckTimer_.stop();
    askReturningUnit(false);
}

// Asks the unit on the reopened port who it is ("r"), or, once it has answered as the identified
// unit, reads its block ("R").
void MainViewController::askReturningUnit(bool readBlock) {
    if (!portIsOpen()) // the next open of the port asks
        return;
    SerialPort& link = *appDelegate->port;
    const unsigned check = ++unitCheck_;
    auto ifCurrent = [this, check](std::function<void()> step) {
        return [this, check, step = std::move(step)] {
            if (check == unitCheck_)
                step();
        };
    };
    Callback answered = readBlock ? Callback([this] { returningUnitBlockRead(); })
                                  : Callback([this] { returningUnitAnswered(); });
    // The hold is lifted for this request alone; the request keeps the link busy until its end.
    link.setHeld(false);
    const bool sent = link.requestDataFrame(
        readBlock ? "R" : "r", readBlock ? dataLength : 3, true,
        readBlock ? blockTimeout : identifyTimeout, ifCurrent(std::move(answered)),
        ifCurrent([this] { returningUnitNotIdentified(true); }),
        ifCurrent([this] {
            returningUnitNotIdentified(appDelegate->port->dataSizeReceived() > 0);
        }));
    link.setHeld(true);
    if (!sent) // an exchange from before the port closed still has the line
        unitCheckTimer_.start(unitCheckLineWait,
                              [this, readBlock] { askReturningUnit(readBlock); });
}

void MainViewController::returningUnitAnswered() {
    if (isIdentifiedUnit(appDelegate->port->data()))
        askReturningUnit(true);
    else
        forgetUnit(localized("UNIT_CHANGED_ON_PORT").arg(unitPort_.value_or(QString())));
}

void MainViewController::returningUnitBlockRead() {
    const QByteArray block = appDelegate->port->data();
    if (holdsKnownBlock(block)) {
        endUnitCheck(); // the page goes on as it was
        return;
    }
    if (blockChangedByProgram_ && block.size() == dataLength) {
        // A calibration or procedure of the program ended as the port closed, before the read
        // that follows it: the unit keeps its result, and the page takes the block as that read
        // would have.
        endUnitCheck();
        takeReadBlock(block);
        return;
    }
    forgetUnit(localized("UNIT_BLOCK_CHANGED_ON_PORT").arg(unitPort_.value_or(QString())));
}

bool MainViewController::isIdentifiedUnit(const QByteArray& identity) const {
    return identity.size() >= 3 && std::uint8_t(identity[0]) == deviceID &&
           std::uint8_t(identity[1]) == firmwareVersion &&
           std::uint8_t(identity[2]) == dataVersion;
}

// Bytes 0 to 2 of a block are the unit's own (its versions; a write does not change them) and
// are checked by its answer to "r": the blocks are compared from byte 3 on.
bool MainViewController::holdsKnownBlock(const QByteArray& block) {
    constexpr qsizetype identityBytes = 3;
    auto matches = [&](const std::optional<QByteArray>& known) {
        return known && block.size() == dataLength && known->size() == block.size() &&
               known->mid(identityBytes) == block.mid(identityBytes);
    };
    if (matches(unitBlock_)) {
        unitBlockIfWritten_.reset();
        return true;
    }
    if (matches(unitBlockIfWritten_)) { // the write whose reply went missing was stored
        recordUnitBlock(*unitBlockIfWritten_);
        return true;
    }
    return false;
}

void MainViewController::recordUnitBlock(const QByteArray& block) {
    clearUnitBlockRecord();
    unitBlock_ = block;
}

void MainViewController::clearUnitBlockRecord() {
    unitBlock_.reset();
    unitBlockIfWritten_.reset();
    blockChangedByProgram_ = false;
}

// `answered`: bytes came, but no identification.
void MainViewController::returningUnitNotIdentified(bool answered) {
    if (answered && !unitAskedAgain_) {
        unitAskedAgain_ = true;
        unitCheckTimer_.start(retryUnitCheckDelay, [this] { askReturningUnit(false); });
        return;
    }
    forgetUnit(localized("NO_UNIT_ON_PORT").arg(unitPort_.value_or(QString())));
}

void MainViewController::endUnitCheck() {
    ++unitCheck_;
    unitCheckTimer_.stop();
    unitPortLost_ = false;
    unitAskedAgain_ = false;
    if (appDelegate->port)
        appDelegate->port->setHeld(false);
}

void MainViewController::forgetUnit(const QString& reason) {
    const unsigned before = messagesShown_;
    forgetDevice();
    // What ended with the unit was told just now: the reason joins it instead of replacing it.
    if (messagesShown_ != before) {
        const QString told = txtBottomMessage->text();
        // Chinese sentences follow each other without a space.
        const bool spaced = !told.isEmpty() && told.back().unicode() < 0x3000;
        showCautionMessage(told + (spaced ? QStringLiteral(" ") : QString()) + reason);
    } else
        showInfoMessage(reason);
    // Why the page went is read in full: an earlier message's end does not hide it.
    barKeptUntil_ = platform::scheduler().now() + kMessageSeconds;
}

void MainViewController::endProceduresOnUnit() {
    if (!portIsOpen() || !unitPort_ || appDelegate->port->portName() != unitPort_)
        return;
    for (ModelPageViewController* page : modelPages())
        if (page)
            if (const QByteArray word = page->procedureEndWord(); !word.isEmpty()) {
                appDelegate->port->sendLastWord(word);
                blockChangedByProgram_ = true; // the unit keeps what the procedure found
            }
}

std::array<ModelPageViewController*, 4> MainViewController::modelPages() const {
    return {ovxaViewController_.get(), ovxbViewController_.get(), ovxcViewController_.get(),
            ovxdViewController_.get()};
}

void MainViewController::unitGone() {
    for (ModelPageViewController* page : modelPages())
        if (page)
            page->unitGone();
}

// Nothing of an earlier unit stays active: what its page ran on it ends, identity, block and
// handler slots are cleared and the welcome page (with the device menu items disabled) replaces
// the earlier unit's page. The firmware update page, which needs no identified unit, stays.
void MainViewController::forgetDevice() {
    unitGone();
    endUnitCheck();
    unitPort_.reset();
    deviceID = 0;
    deviceDesc.clear();
    firmwareVersion = 0;
    dataVersion = 0;
    dataLength = 0;
    data.clear();
    clearUnitBlockRecord();
    for (Callback* slot :
         {&handlerDataToUI, &handlerUIToData, &handlerReadFromDevice, &handlerWriteToDevice,
          &handlerLevelCalibration, &handlerHoverCalibration, &handlerAccelCalibration,
          &handlerFactoryRestore})
        *slot = nullptr;
    if (!currentViewController || currentViewController != firmwareUpdateViewController_.get())
        showPage(WelcomePage);
}

void MainViewController::identifyDevice() {
    const QByteArray reply = appDelegate->port->data();
    if (reply.size() < 3) {
        showCriticalAlert(localized("RESPONSE_ERROR"), {});
        return;
    }
    const auto id = static_cast<std::uint8_t>(reply[0]);
    const auto firmware = static_cast<std::uint8_t>(reply[1]);
    const auto version = static_cast<std::uint8_t>(reply[2]);
    const DeviceModel* model = deviceModelFor(id);
    if (!model) {
        showCriticalAlert(localized("UNRECOGNIZED_DEVICE"), {});
        return;
    }
    if (firmware < model->minFirmware) {
        // The unit cannot be served: the device menus stay disabled and nothing is read, so no
        // block of an earlier unit can be written to this one.
        forgetDevice();
        showConfirmAlert(localized("FIRMWARE_OUTDATED"), localized("UPDATE_NOW"),
                         localized("UPDATE_LATER"), [this] { showPage(FirmwareUpdatePage); }, {});
        return;
    }

    // A unit of another model or block layout never sees the block of the earlier one.
    const std::int64_t length = model->blockLength(version);
    if (id != deviceID || length != dataLength || version != dataVersion) {
        data.clear();
        clearUnitBlockRecord();
    }
    unitPort_ = appDelegate->port->portName();
    endUnitCheck();
    deviceID = id;
    firmwareVersion = firmware;
    dataVersion = version;
    deviceDesc = QString::fromUtf8(model->name);
    dataLength = length;

    showPage(model->page);

    if (model->letters.isEmpty()) {
        for (QLabel* label : {statusFirmwareVersionTitle.data(), statusFirmwareVersion.data(),
                              statusDataVersionTitle.data(), statusDataVersion.data()})
            label->show();
    } else {
        const QList<QLabel*> channels = channelLabels();
        for (int i = 0; i < model->letters.size(); ++i)
            channels[i]->setText(model->letters[i]);
        for (QLabel* label : statusLabels())
            label->show();
        for (int indicator : model->leftAligned)
            channels[indicator - 1]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        statusChannel8->hide();
        statusChannel9->hide();
        constChannel7Trailing->setConstant(-statusChannel8->frameGeometry().width() -
                                           statusChannel9->frameGeometry().width() - 2.0);
    }

    installHandlers(*model);

    if (window)
        window->setWindowTitle(QString::fromUtf8(AppInfo::kApplicationName) + QStringLiteral(" [") +
                               deviceDesc + QStringLiteral("]"));

    setDeviceItemsEnabled(true, model->hasAccelCalibration);

    AppDelegate* delegate = appDelegate;
    delegate->timerCheckFirmwareUpdate.stop();
    delegate->timerCheckFirmwareUpdate.startRepeating(
        firmwareCheckDelay, [delegate] { delegate->checkFirmwareUpdateBackground(); });

    run(handlerReadFromDevice);
}

// The handler slots of a model: the page decodes, encodes and writes the block. A unit with an
// accelerometer calibration runs the main view's level and hover calibrations and factory
// restore and its slot selects the page's calibration tab; a unit without one runs its page's
// own procedures.
void MainViewController::installHandlers(const DeviceModel& model) {
    ModelPageViewController* p = modelPage(model.page);
    handlerReadFromDevice = [this] { readFromDevice({}, {}, {}); };
    handlerDataToUI = [p] { p->dataToUI(); };
    handlerUIToData = [p] { p->uiToData(); };
    handlerWriteToDevice = [p] { p->writeToDevice(); };
    if (!model.hasAccelCalibration) {
        handlerLevelCalibration = [p] { p->levelCalibration(); };
        handlerHoverCalibration = [p] { p->hoverCalibration(); };
        handlerAccelCalibration = nullptr;
        handlerFactoryRestore = [p] { p->factoryReset(); };
        return;
    }
    auto* tabbed = dynamic_cast<TabbedModelPageViewController*>(p);
    if (!tabbed)
        platform::fatal("MainViewController: the page of a unit with an accelerometer "
                        "calibration has no calibration tab");
    handlerLevelCalibration = [this] { levelCalibration({}, {}, {}); };
    handlerHoverCalibration = [this] { hoverCalibration({}, {}, {}); };
    handlerAccelCalibration = [this, tabbed] {
        selectAccelCalibrationTab(tabbed->tabMain, tabbed->tabSensor);
    };
    handlerFactoryRestore = [this] { factoryReset({}, {}, {}); };
}

// The model page shown at child index `page`.
ModelPageViewController* MainViewController::modelPage(PageIndex page) {
    const auto& children = childViewControllers();
    auto* model = page < static_cast<int>(children.size())
                      ? dynamic_cast<ModelPageViewController*>(children[std::size_t(page)])
                      : nullptr;
    if (!model)
        platform::fatal("MainViewController: no model page at the page index of a unit");
    return model;
}

void MainViewController::selectAccelCalibrationTab(QTabWidget* tabMain, QTabWidget* tabSensor) {
    if (!tabMain || !tabSensor)
        platform::fatal("MainViewController: tabMain or tabSensor of the page is not connected");
    selectTabItem(tabMain, "Sensor");
    selectTabItem(tabSensor, "AccelerometerCalibration");
}

void MainViewController::showBlockVersions() {
    if (data.size() < 3)
        return;
    view();
    // A block opened from a file may name the firmware that saved it: the status bar shows the
    // connected unit's own versions.
    const bool identified = deviceID != 0;
    statusFirmwareVersion->setText(
        versionText(identified ? firmwareVersion : static_cast<std::uint8_t>(data[1])));
    statusDataVersion->setText(
        versionText(identified ? dataVersion : static_cast<std::uint8_t>(data[2])));
}

// ---- The parameter block and the unit ----

MainViewController::Callback MainViewController::reportFailure(const char* key, Callback then) {
    return [this, key, then = std::move(then)] {
        showCriticalAlert(localized(key), {});
        run(then);
    };
}

MainViewController::Callback MainViewController::reportNoReply(Callback then) {
    return [this, then = std::move(then)] {
        showNoReply();
        run(then);
    };
}

void MainViewController::showNoReply() {
    const bool unwritten = appDelegate->port && appDelegate->port->lastRequestUnwritten();
    showCriticalAlert(localized(unwritten ? "LINE_BUSY" : "RESPONSE_TIMEOUT"), {});
}

void MainViewController::readFromDevice(Callback onSuccess, Callback onError, Callback onTimeout) {
    if (!requirePort())
        return;
    appDelegate->port->requestDataFrame(
        "R", dataLength, true, blockTimeout,
        [this, onSuccess] {
            takeReadBlock(appDelegate->port->data());
            run(onSuccess);
        },
        reportFailure("RESPONSE_ERROR", onError), reportNoReply(onTimeout));
}

void MainViewController::takeReadBlock(const QByteArray& block) {
    data = block;
    recordUnitBlock(block);
    run(handlerDataToUI);
    showInfoMessage(localized("READ_SUCCESS"));
}

// Whether `data` is a whole block of the identified unit; else tells the user why not and runs
// `onFailure`.
bool MainViewController::checkBlock(const Callback& onFailure) {
    if (deviceID == 0) { // forgotten, while a question or panel was shown
        showCriticalAlert(localized("NO_UNIT_NO_PARAMETERS"), {});
        run(onFailure);
        return false;
    }
    if (data.isEmpty()) {
        showCriticalAlert(localized("DATA_BUFFER_EMPTY"), {});
        run(onFailure);
        return false;
    }
    if (data.size() != dataLength) {
        showCriticalAlert(localized("DATA_BUFFER_INVALID"), {});
        run(onFailure);
        return false;
    }
    return true;
}

void MainViewController::writeToDevice(Callback onSuccess, Callback onError, Callback onTimeout,
                                       qsizetype head) {
    if (!requirePort())
        return;
    if (!checkBlock(onError))
        return;
    showConfirmAlert(localized("WRITE_CONFIRM"), localized("YES"), localized("CANCEL"),
                     [this, onSuccess, onError, onTimeout, head] {
                         // The port or the unit may have changed while the question was shown.
                         if (!requirePort())
                             return;
                         run(handlerUIToData);
                         if (!checkBlock(onError))
                             return;
                         const bool accepted = sendBlock(
                             head,
                             [this, onSuccess] {
                                 showInfoMessage(localized("WRITE_SUCCESS"));
                                 run(onSuccess);
                             },
                             onError, onTimeout);
                         if (!accepted) // the link is busy (a unit on a reopened port is asked)
                             showCriticalAlert(localized("DEVICE_BUSY"), {});
                     },
                     {});
}

bool MainViewController::sendBlock(qsizetype head, Callback onSuccess, Callback onError,
                                   Callback onTimeout) {
    return checkUnitOnLine(
        [this, head, onSuccess, onError, onTimeout] {
            writeBlock(head, onSuccess, onError, onTimeout);
        },
        onError, onTimeout);
}

bool MainViewController::checkUnitOnLine(Callback proceed, Callback onError, Callback onTimeout) {
    Callback error = reportFailure("RESPONSE_ERROR", onError);
    Callback timeout = reportNoReply(onTimeout);
    auto notTheSame = [this, onError] {
        const QString port = appDelegate->port->portName().value_or(QString());
        forgetDevice();
        showCriticalAlert(localized("UNIT_NOT_THE_SAME").arg(port), {});
        run(onError);
    };
    auto readBlock = [this, proceed, notTheSame, error, timeout] {
        if (!isIdentifiedUnit(appDelegate->port->data())) {
            notTheSame();
            return;
        }
        appDelegate->port->requestDataFrame(
            "R", dataLength, true, blockTimeout,
            [this, proceed, notTheSame] {
                if (holdsKnownBlock(appDelegate->port->data()))
                    proceed();
                else
                    notTheSame();
            },
            error, timeout);
    };
    return appDelegate->port->requestDataFrame("r", 3, true, identifyTimeout, readBlock, error,
                                               timeout);
}

// What the unit holds once it stored a write of `head` bytes (0: the whole block): the block,
// but past `head` the bytes it kept.
QByteArray MainViewController::blockAsStored(qsizetype head) const {
    QByteArray stored = data.left(dataLength);
    if (head > 0 && head < stored.size() && unitBlock_ && unitBlock_->size() == stored.size())
        stored.replace(head, stored.size() - head, unitBlock_->mid(head));
    return stored;
}

void MainViewController::writeBlock(qsizetype head, Callback onSuccess, Callback onError,
                                    Callback onTimeout) {
    SerialPort& port = *appDelegate->port;
    const QByteArray stored = blockAsStored(head);
    // A refused or unanswered write may still have been stored.
    auto mayHaveStored = [this, stored](Callback report) {
        return [this, stored, report = std::move(report)] {
            unitBlockIfWritten_ = stored;
            report();
        };
    };
    Callback success = [this, stored, onSuccess] {
        recordUnitBlock(stored);
        run(onSuccess);
    };
    Callback error = mayHaveStored(reportFailure("RESPONSE_ERROR", std::move(onError)));
    Callback timeout = mayHaveStored(reportNoReply(std::move(onTimeout)));
    if (head > 0)
        port.sendDataFrameSplit("W", data, std::min<qsizetype>(head, data.size()), true,
                                blockTimeout, std::move(success), std::move(error),
                                std::move(timeout));
    else
        port.sendDataFrame("W", data, dataLength, true, blockTimeout, std::move(success),
                           std::move(error), std::move(timeout));
}

void MainViewController::restartDevice(bool confirm, Callback onSuccess, Callback onError,
                                       Callback onTimeout) {
    if (!requirePort())
        return;
    auto restart = [this, onSuccess, onError, onTimeout] {
        if (!requirePort()) // the port may have gone while the question was shown
            return;
        appDelegate->port->sendCommand("REBT", true, restartTimeout, onSuccess, onError, onTimeout);
    };
    if (confirm)
        showConfirmAlert(localized("RESTART_CONFIRM"), localized("RESTART_NOW"),
                         localized("RESTART_LATER"), restart, {});
    else
        restart();
}

void MainViewController::factoryReset(Callback onSuccess, Callback onError, Callback onTimeout) {
    if (!requirePort())
        return;
    showConfirmAlert(localized("RESET_CONFIRM"), localized("YES"), localized("CANCEL"),
                     [this, onSuccess, onError, onTimeout] {
                         if (!requirePort())
                             return;
                         // The read after the restore records the factory block.
                         if (appDelegate->port->sendCommand(
                                 "REST", true, blockTimeout,
                                 [this, onSuccess] {
                                     showInfoAlert(localized("RESET_SUCCESS"), {});
                                     readFromDevice({}, {}, {});
                                     run(onSuccess);
                                 },
                                 reportFailure("RESPONSE_ERROR", onError),
                                 reportNoReply(onTimeout)))
                             blockChangedByProgram_ = true;
                     },
                     {});
}

void MainViewController::levelCalibration(Callback onSuccess, Callback onError,
                                          Callback onTimeout) {
    calibrate("LEVEL_CALIBRATION_CONFIRM", "LEVL", calibrationTimeout, std::move(onSuccess),
              std::move(onError), std::move(onTimeout));
}

void MainViewController::hoverCalibration(Callback onSuccess, Callback onError,
                                          Callback onTimeout) {
    calibrate("HOVER_CALIBRATION_CONFIRM", "HOVR", calibrationTimeout, std::move(onSuccess),
              std::move(onError), std::move(onTimeout));
}

void MainViewController::calibrate(const char* confirmKey, const QByteArray& command,
                                   double timeout, Callback onSuccess, Callback onError,
                                   Callback onTimeout) {
    if (!requirePort())
        return;
    const QByteArray word(command);
    showConfirmAlert(localized(confirmKey), localized("START"), localized("CANCEL"),
                     [this, word, timeout, onSuccess, onError, onTimeout] {
                         if (!requirePort())
                             return;
                         lockMenus();
                         ModalViewController* sheet = modalViewController();
                         sheet->messageToDisplay = localized("CALIBRATING");
                         presentAsSheet(sheet);
                         const bool accepted = appDelegate->port->sendCommandDualAck(
                             word, true, timeout,
                             [this, sheet, onSuccess] {
                                 dismissViewController(sheet);
                                 showInfoAlert(localized("CALIBRATION_SUCCESS"), {});
                                 readFromDevice({}, {}, {});
                                 unlockMenus();
                                 run(onSuccess);
                             },
                             [this, sheet, onError] {
                                 dismissViewController(sheet);
                                 showCriticalAlert(localized("CALIBRATION_FAILED"), {});
                                 unlockMenus();
                                 run(onError);
                             },
                             [this, sheet, onTimeout] {
                                 dismissViewController(sheet);
                                 showNoReply();
                                 unlockMenus();
                                 run(onTimeout);
                             });
                         // The unit may store a result even when its answer is lost; the read
                         // after the calibration records it.
                         if (accepted)
                             blockChangedByProgram_ = true;
                         // A request the link refused (busy) runs no closure: nothing may stay
                         // locked.
                         if (!accepted) {
                             dismissViewController(sheet);
                             unlockMenus();
                             showCriticalAlert(localized("DEVICE_BUSY"), {});
                         }
                     },
                     {});
}

// ---- Parameter file ----

void MainViewController::saveParameterFile(Callback onSuccess, Callback onFailure) {
    if (!checkBlock(onFailure))
        return;
    const auto path = uiServices().runSavePanel(viewWindow(), localized("SAVE_FILE_TITLE"),
                                                QStringLiteral("dat"));
    if (!path || path->isEmpty())
        return;
    // The unit may have been forgotten while the panel was shown: nothing replaces the file then.
    if (!checkBlock(onFailure))
        return;
    if (ParameterFile::write(*path, data)) {
        showInfoMessage(localized("SAVE_FILE_SUCCESS"));
        run(onSuccess);
    } else {
        showCriticalAlert(localized("SAVE_FILE_FAILED"), {});
        run(onFailure);
    }
}

void MainViewController::openParameterFile(Callback onSuccess, Callback onFailure) {
    const auto path = uiServices().runOpenPanel(viewWindow(), QStringLiteral("dat"));
    if (!path || path->isEmpty())
        return;
    if (deviceID == 0) { // forgotten while the panel was shown
        showCriticalAlert(localized("NO_UNIT_FOR_FILE"), {});
        run(onFailure);
        return;
    }
    // A block must also belong to an identified unit: with no block length no file fits.
    switch (ParameterFile::read(*path, dataLength, dataVersion, data)) {
    case ParameterFile::Status::Missing:
        showCriticalAlert(localized("FILE_NOT_EXISTS"), {});
        run(onFailure);
        return;
    case ParameterFile::Status::BadFormat:
        showCriticalAlert(localized("BAD_FILE_FORMAT"), {});
        run(onFailure);
        return;
    case ParameterFile::Status::Read:
        break;
    }
    run(handlerDataToUI);
    showInfoMessage(localized("OPEN_FILE_SUCCESS"));
    run(onSuccess);
}
