#include "OVX_Configurator/WelcomeViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "platform/Fatal.h"
#include "ui_WelcomeViewController.h"

WelcomeViewController::WelcomeViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::WelcomeViewController>()) {}

WelcomeViewController::~WelcomeViewController() = default;

QWidget* WelcomeViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    btnDownloadUSBDriver = ui_->btnDownloadUSBDriver;
    ui_->boxWelcome->setBackgroundRole(QPalette::Base);
    ui_->imgLogo->setPixmap(imageNamed(QStringLiteral("app-icon"), QSize(96, 96)));
    connect(ui_->btnConnect, &QPushButton::clicked, this, [this] { ConnectButtonAction(); });
    connect(ui_->btnUpdate, &QPushButton::clicked, this, [this] { UpdateButtonAction(); });
    connect(ui_->btnDownloadUSBDriver, &QPushButton::clicked, this,
            [this] { btnDownloadUSBDriverAction(); });
    return view;
}

void WelcomeViewController::viewDidLoad() {
    if (!btnDownloadUSBDriver)
        platform::fatal("WelcomeViewController: btnDownloadUSBDriver is not connected");
    setButtonTitleColor(QColor(0, 122, 255), btnDownloadUSBDriver);
}

void WelcomeViewController::viewWillAppear() {
    QPixmap background = imageNamed(QStringLiteral("main-bg"));
    if (background.isNull())
        platform::fatal("WelcomeViewController: the picture main-bg is missing");
    QPalette palette = view()->palette();
    palette.setBrush(QPalette::Window, QBrush(background));
    view()->setPalette(palette);
    view()->setAutoFillBackground(true);
}

void WelcomeViewController::ConnectButtonAction() {
    if (parentController)
        parentController->detectDevice();
}

void WelcomeViewController::UpdateButtonAction() {
    if (parentController)
        parentController->showPage(FirmwareUpdatePage);
}

void WelcomeViewController::btnDownloadUSBDriverAction() {
    showInfoAlert(localized("SERIAL_PORT_ACCESS_HELP"), {});
}
