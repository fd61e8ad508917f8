#include "OVX_Configurator/MainViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "platform/Fatal.h"
#include "platform/Scheduler.h"
#include "ui_MainViewController.h"

#include <QApplication>

namespace {
const QColor kSystemBlue(0, 122, 255);
const QColor kSystemPink(255, 45, 85);
constexpr double kMessageSeconds = 3.0;
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
    return view;
}

ModalViewController* MainViewController::modalViewController() {
    if (!modalViewController_)
        modalViewController_ = std::make_unique<ModalViewController>();
    return modalViewController_.get();
}

WelcomeViewController* MainViewController::welcomeViewController() {
    if (!welcomeViewController_) {
        welcomeViewController_ = std::make_unique<WelcomeViewController>();
        welcomeViewController_->parentController = this;
    }
    return welcomeViewController_.get();
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
    StatusBarView->setBackgroundRole(QPalette::Button);
    MainContentView->setBackgroundRole(QPalette::Window);
    QPalette bar = BottomMessageView->palette();
    bar.setColor(QPalette::Window, kSystemBlue);
    BottomMessageView->setPalette(bar);
    showPage(0);
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
        label->setAutoFillBackground(false);
    }
    for (QLabel* label : statusLabels())
        label->hide();
    for (QAction* item :
         {appDelegate->menuItemRead.data(), appDelegate->menuItemWrite.data(),
          appDelegate->menuItemOpen.data(), appDelegate->menuItemSave.data(),
          appDelegate->menuItemRestore.data(), appDelegate->menuItemLevelCalibration.data(),
          appDelegate->menuItemHoverCalibration.data(),
          appDelegate->menuItemCheckFirmwareUpdate.data(), appDelegate->menuItemReboot.data(),
          appDelegate->menuItemAccelCalibration.data()})
        if (item)
            item->setEnabled(false);
}

void MainViewController::setMenusEnabled(bool enabled) {
    for (QAction* item : {appDelegate->menuItemMain.data(), appDelegate->menuItemLanguage.data(),
                          appDelegate->menuItemHelp.data()})
        if (item)
            item->setEnabled(enabled);
}

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
    // Each message hides the bar at its own time, even when a later one replaced its text.
    QPointer<QWidget> barView = BottomMessageView;
    platform::scheduler().after(kMessageSeconds, [barView] {
        if (barView)
            barView->hide();
    });
}

void MainViewController::detectDevice() {}

void MainViewController::restartDevice(bool, std::function<void()>, std::function<void()>,
                                       std::function<void()>) {}

void MainViewController::openParameterFile(std::function<void()>, std::function<void()>) {}

void MainViewController::saveParameterFile(std::function<void()>, std::function<void()>) {}
